// The system's side of the path variables: special folders, the PureBasic
// folder and the lookup record that ReplacePathVariables reads the system
// through. Each call asks the system afresh; nothing is cached.
#ifndef QVS_CHECKS_PATH_LOOKUPS_H
#define QVS_CHECKS_PATH_LOOKUPS_H

#include <string>

#include "script/path_variables.h"

// Special folder `csidl` ending in "\"; the empty text (or a lone "\") when
// the system has no such folder. Callers treat both as no folder.
std::string GetSpecialFolderPath(int csidl);

// The PureBasic folder on a system of OS code `osCode`, ending in "\"; or
// empty.
std::string FindPureBasicFolderOn(int osCode);

// The lookups of the running system, for PathVariableScope. Safe from any
// thread.
const PathVariableLookups &SystemPathLookups();

#endif
