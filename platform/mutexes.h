// Named mutexes, used to coordinate installer processes.
// CloseMutexHandle clears the handle and is safe to call twice.
#ifndef QVS_PLATFORM_MUTEXES_H
#define QVS_PLATFORM_MUTEXES_H

#include <stdint.h>

typedef void *MutexHandle;

// Creates (or opens, when it exists) the mutex `name` with no security
// attributes. `alreadyExisted` (may be NULL) tells whether another process
// had created it before.
MutexHandle CreateNamedMutex(const char *name, bool initiallyOwned, bool *alreadyExisted);
// Opens an existing mutex with full access, not inherited; NULL when absent.
MutexHandle OpenNamedMutex(const char *name);
// Waits up to `milliseconds` for the mutex; true when it was acquired, also
// when its owner ended without releasing it. A mutex is released when its
// owner ends.
bool WaitForMutex(MutexHandle mutex, uint32_t milliseconds);
void ReleaseOwnedMutex(MutexHandle mutex);
void CloseMutexHandle(MutexHandle *mutex);

#endif
