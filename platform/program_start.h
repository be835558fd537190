// Starting another program without waiting for it.
#ifndef QVS_PLATFORM_PROGRAM_START_H
#define QVS_PLATFORM_PROGRAM_START_H

#include <string>

// Starts a process with `commandLine` (CreateProcessA, no application
// name) in `workingFolder` (empty: this process's current folder) and lets
// it run on its own. False when it could not be started.
bool StartDetachedProgram(const std::string &commandLine, const std::string &workingFolder);

#endif
