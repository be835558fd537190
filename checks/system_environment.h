// The system checks bound to the running Windows.
#ifndef QVS_CHECKS_SYSTEM_ENVIRONMENT_H
#define QVS_CHECKS_SYSTEM_ENVIRONMENT_H

#include <string>

#include "checks/check_environment.h"

// Every pointer of CheckEnvironment set to the real system: message boxes
// without owner, the local registry, files, mutexes, windows, hardware and
// OpenWebAddress; the system as detected (`osCode` and `os`). `expandText`
// is the path-variable expansion to use (may be null: texts stay as they
// are).
CheckEnvironment SystemCheckEnvironment(int osCode, const OsDetails &os,
                                        std::string (*expandText)(const std::string &text));

#endif
