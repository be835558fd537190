// RegisterDll and UnregisterDll (declared in engine/tasks/system_integration.h).
#include <stdint.h>

#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "engine/tasks/task_rules.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/program_run.h"

namespace {

const char kNtRegistrar[] = "\\system32\\regsvr32.exe";
const char kNineXRegistrar[] = "\\system\\regsvr32.exe";
// Keeps regsvr32 from showing message boxes of its own.
const char kSilentSwitch[] = "/s";
const char kUnregisterSwitch[] = "/u";

std::string RegistrarPath(int osCode) {
  const std::string windir = ReadEnvironmentVariable("windir");
  if (windir.empty()) return std::string();
  if (IsListedNtSystem(osCode)) return windir + kNtRegistrar;
  if (IsNineXSystem(osCode)) return windir + kNineXRegistrar;
  return std::string();
}

int CallWaitCallback(void *context) {
  return (*(const WaitCallbackFunction *)context)(NULL);
}

}  // namespace

namespace {

// regsvr32 `switches` "dllPath", waited for; 1 when it ended with code 0.
int RunRegistrar(const std::string &switches, const std::string &dllPath,
                 WaitCallbackFunction callback) {
  if (dllPath.empty()) return 0;
  const std::string registrar = RegistrarPath(ActingOsCode());
  uint64_t size = 0;
  if (registrar.empty() || !ReadFileSizeAt(registrar, &size) || size == 0) return 0;
  const std::string commandLine = "\"" + registrar + "\" " + switches + " \"" + dllPath + "\"";
  ProcessHandle process = NULL;
  if (!StartCommandLine(commandLine, &process)) return 0;
  if (callback != NULL) {
    WaitForProcessEnd(process, CallWaitCallback, &callback);
  } else {
    WaitForProcessEnd(process, NULL, NULL);
  }
  uint32_t exitCode = 1;
  const bool ended = ReadProcessExitCode(process, &exitCode);
  CloseProcessHandle(&process);
  return ended && exitCode == 0 ? 1 : 0;
}

}  // namespace

int RegisterDll(const std::string &dllPath, WaitCallbackFunction callback) {
  return RunRegistrar(kSilentSwitch, dllPath, callback);
}

int UnregisterDll(const std::string &dllPath, WaitCallbackFunction callback) {
  return RunRegistrar(std::string(kUnregisterSwitch) + " " + kSilentSwitch, dllPath, callback);
}
