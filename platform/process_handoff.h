// What two copies of one program hand each other when the first starts the
// second and lets it finish the work: inherited handles (a process to wait
// for, a pipe for the result, a file deleted when its last handle closes)
// named by number on the command line, and the elevation prompt's process.
//
// Handles are NULL when nothing is open; CloseHandoffHandle clears them and
// is safe to call twice.
#ifndef QVS_PLATFORM_PROCESS_HANDOFF_H
#define QVS_PLATFORM_PROCESS_HANDOFF_H

#include <stdint.h>

#include <string>

#include "platform/program_run.h"

typedef void *HandoffHandle;

// A handle's number as a child that inherits it sees it, and back.
uint64_t HandoffNumber(HandoffHandle handle);
HandoffHandle HandoffFromNumber(uint64_t number);

// A handle to this process that a child inherits, good for waiting until
// this process has ended. NULL on failure.
HandoffHandle InheritableOwnProcess();

// A pipe whose write end a child inherits; the read end stays here. False
// on failure (nothing open then).
bool CreateResultPipe(HandoffHandle *readEnd, HandoffHandle *writeEnd);
// Writes / reads one 32-bit number through the pipe. Reading fails when
// every write end has closed without writing (the writer ended).
bool WriteResultNumber(HandoffHandle writeEnd, uint32_t value);
bool ReadResultNumber(HandoffHandle readEnd, uint32_t *value);

// Opens the existing file `path` for reading, so that it is deleted once
// the last handle to it closes, in a handle a child inherits. Others may
// only read it meanwhile (no one may write, delete or rename it), so the
// file can be started as a program while the handle is open. NULL on
// failure.
HandoffHandle OpenDeletedWithLastHandle(const std::string &path);

// This process's ID, and a copy in this process of the handle `number` of
// the running process `processId` (which must still hold it), with the
// same access. NULL when the process or the handle cannot be reached.
uint32_t OwnProcessId();
HandoffHandle CopyHandleFromProcess(uint32_t processId, uint64_t number);

// Keeps `handle` out of the processes this one starts from now on.
void StopInheriting(HandoffHandle handle);
// Waits until the process behind `handle` has ended, at most `milliseconds`.
bool WaitForHandoffProcess(HandoffHandle handle, uint32_t milliseconds);
void CloseHandoffHandle(HandoffHandle *handle);

// A new, empty file with a unique name in `folder` (ending in "\"), its
// name starting with `prefix` (GetTempFileNameA). False on failure.
bool CreateUniqueFileIn(const std::string &folder, const char *prefix, std::string *path);

// Starts `file` with `parameters` through the elevation prompt ("runas"),
// shown normally, and hands back the started process (NULL when the system
// gives none). False when it did not start, a declined prompt included.
bool LaunchElevatedProcess(const std::string &file, const std::string &parameters,
                           ProcessHandle *process);

#endif
