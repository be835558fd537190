// The log of a run (/LOG=file): one line per step, each with its local
// date and time, in plain text a support person can read. From any thread;
// nothing happens while no log is open.
#ifndef QVS_ENGINE_STATE_INSTALL_LOG_H
#define QVS_ENGINE_STATE_INSTALL_LOG_H

#include <stdint.h>

#include <string>

// "2026-12-07 14:05:09 " + text + CR LF, for the local date-time `seconds`.
std::string FormatLogLine(int64_t seconds, const std::string &text);

// Creates (or empties) the log file, or with `append` adds to it; false
// when it cannot be written.
bool OpenInstallLog(const std::string &path, bool append);
void LogLine(const std::string &text);
void CloseInstallLog();

#endif
