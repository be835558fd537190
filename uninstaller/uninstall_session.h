// The uninstallation itself, in the copy of the uninstaller that runs from
// the temporary folder (or, when no copy could be started, in the
// installed uninstaller): the data file read with the shared reader, the
// question, the running-programs check, the removal with its progress
// window, the result handed back to the installed uninstaller, the
// uninstaller's own files once that has ended, the final message and the
// restart question.
#ifndef QVS_UNINSTALLER_UNINSTALL_SESSION_H
#define QVS_UNINSTALLER_UNINSTALL_SESSION_H

#include <stdint.h>

#include "uninstaller/arguments.h"

// `arguments.originalPath` names the installed uninstaller; `isCopy` says
// that this process is the copy, with the handles of the arguments
// inherited. Returns the exit code (exit_codes.h; kExitSuccess for every
// interactive run).
uint32_t RunUninstallSession(const UninstallerArguments &arguments, bool isCopy);

#endif
