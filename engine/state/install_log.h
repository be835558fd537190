// The log of a run (/LOG=file): one line per step, each with its local
// date and time, in plain text a support person can read. From any thread;
// nothing happens while no log is open.
#ifndef QVS_ENGINE_STATE_INSTALL_LOG_H
#define QVS_ENGINE_STATE_INSTALL_LOG_H

#include <stdint.h>

#include <string>

#include "platform/files.h"

// "2026-12-07 14:05:09 " + text + CR LF, for the local date-time `seconds`.
std::string FormatLogLine(int64_t seconds, const std::string &text);

// `text` from outside (the command line, a typed folder) as the log shows
// it: in double quotes, a double quote inside doubled, control characters
// as "?". However the text was made, it stays one quoted field, also for a
// program that reads the log as a command script.
std::string QuotedForLog(const std::string &text);

// Creates (or empties) the log file, or with `append` adds to it; false
// when it cannot be written. The file is opened with this process's
// rights, never through a link: a log name that is a link (symbolic, a
// junction or a second name of another file) is refused.
bool OpenInstallLog(const std::string &path, bool append);
// Writes the log to `file`, an open file handed over by the process that
// opened it (the user's copy of the installer), appending to it.
void UseInstallLogFile(FileHandle file);
// The open log file (NULL when none), to hand over to the elevated copy.
FileHandle InstallLogFile();
void LogLine(const std::string &text);
void CloseInstallLog();

#endif
