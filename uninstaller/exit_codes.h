// The uninstaller's exit codes, the numbers deployment tools already know
// from Windows Installer. An interactive run always ends with kExitSuccess;
// a silent one (/S) says what happened.
#ifndef QVS_UNINSTALLER_EXIT_CODES_H
#define QVS_UNINSTALLER_EXIT_CODES_H

#include <stdint.h>

enum UninstallerExitCode : uint32_t {
  kExitSuccess = 0,
  // Removed, but files in use go at the next restart, or the product asks
  // for a restart ("RebootRequired").
  kExitRestartNeeded = 3010,
  // Nothing was changed: the data file is missing, unreadable or damaged,
  // the administrator rights were refused, or the work could not start.
  kExitFailed = 1603,
  // Nothing was changed: the product (one of its close items) or another
  // uninstallation is running. Try again later.
  kExitBusy = 1618,
};

#endif
