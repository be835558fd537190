// Detection of the running Windows version and of a 64-bit system.
#ifndef QVS_CHECKS_OS_DETECTION_H
#define QVS_CHECKS_OS_DETECTION_H

#include "checks/os_codes.h"
#include "platform/system_info.h"

// The OS code of a reported version; `known` false means the version could
// not be read. Portable.
int ClassifyOsVersion(bool known, const OsVersion &version);

// The OS code of the running system. Called once at start-up.
int DetectOsCode();

// 1 when the system (not this process) is 64-bit, else 0; 0 also where the
// system cannot tell. Computed on every call.
int IsSystem64Bit();

#endif
