// The installed uninstaller's own part: it asks for administrator rights
// when the installer said so, then hands the work to a copy of itself in
// the temporary folder and waits for that copy's result. The copy can
// delete the installed uninstaller and its folder once this process has
// ended; the copy's own file is deleted when its last handle closes, which
// this process opens for it and the copy inherits.
#ifndef QVS_UNINSTALLER_LAUNCHER_H
#define QVS_UNINSTALLER_LAUNCHER_H

#include <stdint.h>

#include "uninstaller/arguments.h"

// Runs the installed uninstaller's part and returns the exit code (the
// copy's, or the elevated process's). When no copy can be made or
// started, the uninstallation runs in this process instead, and this
// program's file is left for the next restart.
uint32_t RunInstalledUninstaller(const UninstallerArguments &arguments);

#endif
