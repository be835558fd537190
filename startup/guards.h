// The administrator test and the two guards the payload loader runs as soon
// as the unpacker module is bound: the elevation relaunch and the
// single-instance guard.
#ifndef QVS_STARTUP_GUARDS_H
#define QVS_STARTUP_GUARDS_H

#include <stdint.h>

#include <string>

// True when the service control manager can be opened with the rights to
// create services, which only administrators hold.
bool CheckAdministrator();

// When the configuration block asks for administrator rights
// (`requireAdminRights` 1) on an NT-family system and this process is no
// administrator: the copy the user started relaunches itself elevated with
// "-elevated" and ends; the relaunched copy waits for the first to go and
// refuses to go on without the rights. Otherwise returns at once. Reads
// the system it acts as and isAdministrator from the start-up state.
void HandleElevation(uint32_t requireAdminRights);

// Starts `file` (the own executable when empty) with `parameters` through
// the elevation prompt. The outcome is not examined.
void RelaunchElevated(const std::string &file, const std::string &parameters);

// Creates the mutex "QuorvantisInstaller", kept for the whole run; ends the
// process with a message when another installer holds it.
void EnsureSingleInstance();

#endif
