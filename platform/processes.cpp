#include "platform/processes.h"

#include <windows.h>

std::string GetProcessCommandLine() {
  const char *line = GetCommandLineA();
  return line != NULL ? std::string(line) : std::string();
}

void SleepMilliseconds(uint32_t milliseconds) { Sleep(milliseconds); }

void EndProcess(uint32_t exitCode) { ExitProcess(exitCode); }
