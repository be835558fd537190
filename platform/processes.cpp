#include "platform/processes.h"

#include <windows.h>
#include <shellapi.h>

// The 32-bit record the shell expects has 60 bytes; the 64-bit one is larger.
static_assert(sizeof(void *) != 4 || sizeof(SHELLEXECUTEINFOA) == 60,
              "unexpected SHELLEXECUTEINFOA layout");

std::string GetProcessCommandLine() {
  const char *line = GetCommandLineA();
  return line != NULL ? std::string(line) : std::string();
}

void SleepMilliseconds(uint32_t milliseconds) { Sleep(milliseconds); }

namespace {

bool RunAs(const std::string &file, const std::string &parameters, HANDLE *process) {
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = process != NULL ? SEE_MASK_NOCLOSEPROCESS : 0;
  info.hwnd = GetDesktopWindow();
  info.lpVerb = "runas";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = NULL;
  info.nShow = SW_SHOWNORMAL;
  const bool started = ShellExecuteExA(&info) != 0;
  if (process != NULL) *process = started ? info.hProcess : NULL;
  return started;
}

}  // namespace

void LaunchWithRunAs(const std::string &file, const std::string &parameters) {
  RunAs(file, parameters, NULL);
}

bool LaunchWithRunAsAndWait(const std::string &file, const std::string &parameters,
                            uint32_t *exitCode) {
  HANDLE process = NULL;
  if (!RunAs(file, parameters, &process) || process == NULL) return false;
  WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  const bool read = GetExitCodeProcess(process, &code) != 0;
  CloseHandle(process);
  if (exitCode != NULL) *exitCode = read ? (uint32_t)code : 1;
  return read;
}

void EndProcess(uint32_t exitCode) { ExitProcess(exitCode); }
