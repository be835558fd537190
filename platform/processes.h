// The running process: its command line, pauses, relaunching and ending.
#ifndef QVS_PLATFORM_PROCESSES_H
#define QVS_PLATFORM_PROCESSES_H

#include <stdint.h>

#include <string>

// The whole command line as the process received it.
std::string GetProcessCommandLine();
void SleepMilliseconds(uint32_t milliseconds);
// Starts `file` with `parameters` through the shell's "runas" verb (the
// elevation prompt), owned by the desktop window, shown normally. Whether
// the start succeeded is not reported: a declined prompt is no error.
void LaunchWithRunAs(const std::string &file, const std::string &parameters);
// The same, then waits until that copy has ended and gives its exit code;
// false when it could not be started (a declined prompt).
bool LaunchWithRunAsAndWait(const std::string &file, const std::string &parameters,
                            uint32_t *exitCode);
// Ends the process at once with `exitCode`.
[[noreturn]] void EndProcess(uint32_t exitCode);

#endif
