// The running process: its command line, pauses and ending.
#ifndef QVS_PLATFORM_PROCESSES_H
#define QVS_PLATFORM_PROCESSES_H

#include <stdint.h>

#include <string>

// The whole command line as the process received it.
std::string GetProcessCommandLine();
void SleepMilliseconds(uint32_t milliseconds);
// Ends the process at once with `exitCode`.
[[noreturn]] void EndProcess(uint32_t exitCode);

#endif
