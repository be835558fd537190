#include "engine/tasks/run_program.h"

#include "engine/tasks/task_rules.h"
#include "platform/program_run.h"
#include "platform/user_side.h"
#include "script/path_rules.h"

namespace {

const int32_t kYes = 1;

// `context` points at the caller's callback.
int CallWaitCallback(void *context) {
  return (*(const WaitCallbackFunction *)context)(NULL);
}

void WaitIfAsked(ProcessHandle process, int32_t wait, WaitCallbackFunction callback) {
  if (wait != kYes) return;
  if (callback == NULL) {
    WaitForProcessEnd(process, NULL, NULL);
  } else {
    WaitForProcessEnd(process, CallWaitCallback, &callback);
  }
}

}  // namespace

int WaitCallback(void *) {
  ProcessPendingWindowEvents();
  return 0;
}

int RunProgram(const std::string &path, const std::string &commandLine, int32_t runMode,
               int32_t hidden, int32_t wait, WaitCallbackFunction callback, bool *started) {
  if (started != NULL) *started = false;
  if (path.empty()) return 0;
  const std::string folder = FolderPartOf(path);
  ProcessHandle process = NULL;
  int result = 0;
  bool running = false;
  if (runMode == kRunThroughShell) {
    running = StartThroughShell(path, commandLine, folder, hidden == kYes, &process);
    result = running ? 1 : 0;
  } else if (runMode == kRunDirect) {
    running = StartProgramDirectly(path, DirectCommandLine(path, commandLine), folder,
                                   hidden == kYes, &process);
  }
  if (running) WaitIfAsked(process, wait, callback);
  CloseProcessHandle(&process);
  if (started != NULL) *started = running;
  return result;
}

int RunProgramForUser(const std::string &path, const std::string &commandLine, int32_t runMode,
                      int32_t hidden) {
  if (path.empty() || (runMode != kRunThroughShell && runMode != kRunDirect)) return 0;
  UserStartRequest request;
  request.file = path;
  request.folder = FolderPartOf(path);
  request.hidden = hidden == kYes;
  if (runMode == kRunThroughShell) {
    request.kind = kUserStartThroughShell;
    request.parameters = commandLine;
    return StartForUser(request) ? 1 : 0;
  }
  request.kind = kUserStartProgram;
  request.parameters = DirectCommandLine(path, commandLine);
  StartForUser(request);
  return 0;
}
