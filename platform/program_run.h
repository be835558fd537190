// Starting programs the installer waits for, and keeping this thread's
// windows answering meanwhile.
//
// A ProcessHandle is NULL when no process is held; CloseProcessHandle
// clears it and is safe to call twice. Every start that succeeds hands the
// caller one process handle to close; thread handles are closed at once.
#ifndef QVS_PLATFORM_PROGRAM_RUN_H
#define QVS_PLATFORM_PROGRAM_RUN_H

#include <stdint.h>

#include <string>

typedef void *ProcessHandle;

// Starts `applicationPath` as the application (CreateProcessA) with
// `commandLine` exactly as given (empty: the program receives an empty
// command line), with this process's start-up information, shown hidden
// or normally, handles inherited, in `currentFolder` (empty: this
// process's current folder). False when it could not be started.
bool StartProgramDirectly(const std::string &applicationPath, const std::string &commandLine,
                          const std::string &currentFolder, bool hidden, ProcessHandle *process);

// Opens `file` with its default action through the shell (ShellExecuteExA:
// a program runs, a document opens in its program), with `parameters`, in
// `directory` (empty: none given). True when the shell reports success;
// *process is then the started process, or NULL when the shell handed the
// file to a program that was already running.
bool StartThroughShell(const std::string &file, const std::string &parameters,
                       const std::string &directory, bool hidden, ProcessHandle *process);

// Starts `commandLine` (the program is its first, quoted, word), shown
// normally, nothing inherited, in this process's current folder.
bool StartCommandLine(const std::string &commandLine, ProcessHandle *process);

// Called while a process runs, whenever messages arrive for this thread
// and at least every few hundred milliseconds.
typedef int (*ProcessWaitCallback)(void *context);

// Returns when `process` has ended. Without a callback the thread simply
// blocks; with one it sleeps until the process ends or a message arrives
// (MsgWaitForMultipleObjects), calling the callback on each wake, so the
// processor stays idle and the callback can keep windows answering.
void WaitForProcessEnd(ProcessHandle process, ProcessWaitCallback callback, void *context);

// The ended process's exit code; false while it runs or when unreadable.
bool ReadProcessExitCode(ProcessHandle process, uint32_t *exitCode);

void CloseProcessHandle(ProcessHandle *process);

// Removes every message waiting in this thread's queue and hands each to
// its window; a quit request is left queued for the thread's own loop.
void ProcessPendingWindowEvents();

#endif
