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

void LaunchWithRunAs(const std::string &file, const std::string &parameters) {
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = 0;
  info.hwnd = GetDesktopWindow();
  info.lpVerb = "runas";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = NULL;
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&info);
}

void EndProcess(uint32_t exitCode) { ExitProcess(exitCode); }
