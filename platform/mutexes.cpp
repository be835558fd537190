#include "platform/mutexes.h"

#include <windows.h>

MutexHandle CreateNamedMutex(const char *name, bool initiallyOwned, bool *alreadyExisted) {
  HANDLE mutex = CreateMutexA(NULL, initiallyOwned ? TRUE : FALSE, name);
  // GetLastError tells ERROR_ALREADY_EXISTS even when the call succeeded.
  DWORD error = GetLastError();
  if (alreadyExisted != NULL) *alreadyExisted = mutex != NULL && error == ERROR_ALREADY_EXISTS;
  return (MutexHandle)mutex;
}

MutexHandle OpenNamedMutex(const char *name) {
  return (MutexHandle)OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
}

bool WaitForMutex(MutexHandle mutex, uint32_t milliseconds) {
  if (mutex == NULL) return false;
  DWORD result = WaitForSingleObject((HANDLE)mutex, milliseconds);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void ReleaseOwnedMutex(MutexHandle mutex) {
  if (mutex != NULL) ReleaseMutex((HANDLE)mutex);
}

void CloseMutexHandle(MutexHandle *mutex) {
  if (mutex == NULL || *mutex == NULL) return;
  CloseHandle((HANDLE)*mutex);
  *mutex = NULL;
}
