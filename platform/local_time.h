// The local date-time as the installer records it.
#ifndef QVS_PLATFORM_LOCAL_TIME_H
#define QVS_PLATFORM_LOCAL_TIME_H

#include <stdint.h>

// The current local date-time in seconds since 1 January 1970 (the local
// clock read as if it were UTC).
int64_t LocalSecondsSince1970();

#endif
