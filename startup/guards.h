// The administrator test and the two guards the payload loader runs as soon
// as the unpacker module is bound: the elevation relaunch and the
// single-instance guard.
#ifndef QVS_STARTUP_GUARDS_H
#define QVS_STARTUP_GUARDS_H

#include <stdint.h>

#include <string>

#include "platform/program_run.h"

// True when the service control manager can be opened with the rights to
// create services, which only administrators hold.
bool CheckAdministrator();

// When the configuration block asks for administrator rights
// (`requireAdminRights` 1) on an NT-family system and this process is no
// administrator: the copy the user started relaunches itself elevated with
// "-elevated", the hand-over (its log and the pipe for the programs to
// start as the user, platform/user_side.h) and every switch it was given,
// serves that pipe until the elevated copy ends, and ends with its exit
// code; the relaunched copy waits for the hand-over mutex and refuses to go
// on without the rights. Otherwise returns at once. Reads the system it
// acts as and isAdministrator from the start-up state.
void HandleElevation(uint32_t requireAdminRights);

// Starts `file` (the own executable when empty) with `parameters` through
// the elevation prompt and hands back the started process (NULL when the
// system gives none). False when it did not start, a declined prompt
// included.
bool RelaunchElevated(const std::string &file, const std::string &parameters,
                      ProcessHandle *process);

// Creates the mutex "QuorvantisInstaller", kept for the whole run; ends the
// process with a message when another installer holds it.
void EnsureSingleInstance();

#endif
