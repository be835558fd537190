#include "engine/state/exits.h"

#include "platform/files.h"
#include "platform/processes.h"
#include "engine/state/exit_codes.h"
#include "engine/state/install_log.h"
#include "engine/state/startup_state.h"
#include "engine/state/unattended_options.h"

void CleanExit() {
  StartupState &state = Startup();
  FreeLibraryHandle(&state.moduleHandle);
  uint64_t size = 0;
  if (!state.tempModulePath.empty() && ReadFileSizeAt(state.tempModulePath, &size) && size > 0)
    DeleteFileAt(state.tempModulePath);
  NormalExit();
}

namespace {

int gExitCode = kExitFatalError;

}  // namespace

void SetExitCode(int code) { gExitCode = code; }

void NormalExit() {
  const int code = Unattended().silent ? gExitCode : kExitSuccess;
  LogLine("Exit code " + std::to_string(code));
  CloseInstallLog();
  EndProcess((uint32_t)code);
}
