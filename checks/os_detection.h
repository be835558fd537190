// Detection of the running Windows version and of a 64-bit system.
#ifndef QVS_CHECKS_OS_DETECTION_H
#define QVS_CHECKS_OS_DETECTION_H

#include "checks/os_classification.h"

// What the running system reports about itself: version, build, kind and
// width. Called once at start-up, which keeps the record; the OS code and
// the system it acts as follow from it (os_classification.h).
OsDetails DetectOsDetails();

// 1 when the system (not this process) is 64-bit, else 0; 0 also where the
// system cannot tell. Computed on every call.
int IsSystem64Bit();

#endif
