#include "platform/program_start.h"

#include <windows.h>

#include <vector>

bool StartDetachedProgram(const std::string &commandLine, const std::string &workingFolder) {
  // CreateProcessA may write into the command line, so it gets a copy.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  ZeroMemory(&process, sizeof process);
  BOOL started = CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL,
                                workingFolder.empty() ? NULL : workingFolder.c_str(), &startup,
                                &process);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}
