#include "checks/os_detection.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "platform/files.h"

StartupState &Startup() {
  static StartupState state;
  return state;
}

PayloadState &Payload() {
  static PayloadState state;
  return state;
}

void DetectRunningSystem(StartupState *state) {
  state->os = DetectOsDetails();
  state->osCode = ClassifyOsVersion(state->os);
}

int ActingOsCode() { return OsCodeActingAs(Startup().osCode, Startup().os); }

namespace {

std::string InstallerPathForModule() {
  std::string path;
  GetOwnExecutablePath(&path);
  return path;
}

}  // namespace

int64_t PayloadUncompressedSize() {
  const PayloadState &payload = Payload();
  const ModuleExports &module = payload.moduleExports;
  if (module.Archive_GetUncompressedSizeFromHandle != NULL)
    return module.Archive_GetUncompressedSizeFromHandle(payload.installerFile);
  return module.Archive_GetUncompressedSize(InstallerPathForModule().c_str());
}

int OpenPayloadArchive() {
  const PayloadState &payload = Payload();
  const ModuleExports &module = payload.moduleExports;
  if (module.Archive_ReadFromHandle != NULL)
    return module.Archive_ReadFromHandle(payload.installerFile);
  return module.Archive_Read(InstallerPathForModule().c_str());
}
