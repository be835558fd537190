#include "platform/threads.h"

#include <windows.h>

#include <new>

struct PlatformLock {
  CRITICAL_SECTION section;
};

namespace {

struct ThreadStart {
  int (*entry)(void *argument);
  void *argument;
};

DWORD WINAPI ThreadTrampoline(LPVOID parameter) {
  ThreadStart start = *(ThreadStart *)parameter;
  delete (ThreadStart *)parameter;
  return (DWORD)start.entry(start.argument);
}

const int kMaxWaitHandles = 8;

}  // namespace

ThreadHandle StartThread(int (*entry)(void *argument), void *argument) {
  ThreadStart *start = new (std::nothrow) ThreadStart{entry, argument};
  if (start == NULL) return NULL;
  HANDLE thread = CreateThread(NULL, 0, ThreadTrampoline, start, 0, NULL);
  if (thread == NULL) delete start;
  return thread;
}

bool IsThreadFinished(ThreadHandle thread) {
  return thread == NULL || WaitForSingleObject((HANDLE)thread, 0) == WAIT_OBJECT_0;
}

void WaitForThreadEnd(ThreadHandle thread) {
  if (thread != NULL) WaitForSingleObject((HANDLE)thread, INFINITE);
}

void CloseThreadHandle(ThreadHandle *thread) {
  if (thread == NULL || *thread == NULL) return;
  CloseHandle((HANDLE)*thread);
  *thread = NULL;
}

SignalHandle CreateSignal() { return CreateEventA(NULL, FALSE, FALSE, NULL); }

void RaiseSignal(SignalHandle signal) {
  if (signal != NULL) SetEvent((HANDLE)signal);
}

bool WaitForSignal(SignalHandle signal, uint32_t timeoutMs) {
  return signal != NULL && WaitForSingleObject((HANDLE)signal, timeoutMs) == WAIT_OBJECT_0;
}

void CloseSignal(SignalHandle *signal) {
  if (signal == NULL || *signal == NULL) return;
  CloseHandle((HANDLE)*signal);
  *signal = NULL;
}

WakeReason WaitForMessagesOrHandles(void *const *handles, int count, uint32_t timeoutMs,
                                    int *which) {
  HANDLE waited[kMaxWaitHandles];
  DWORD waitedCount = 0;
  int indexOf[kMaxWaitHandles];
  for (int i = 0; i < count && waitedCount < (DWORD)kMaxWaitHandles; i++) {
    if (handles[i] == NULL) continue;
    indexOf[waitedCount] = i;
    waited[waitedCount++] = (HANDLE)handles[i];
  }
  DWORD result = MsgWaitForMultipleObjects(waitedCount, waited, FALSE, timeoutMs, QS_ALLINPUT);
  if (result < WAIT_OBJECT_0 + waitedCount) {
    if (which != NULL) *which = indexOf[result - WAIT_OBJECT_0];
    return kWakeHandle;
  }
  if (result == WAIT_OBJECT_0 + waitedCount) return kWakeMessage;
  return kWakeTimeout;
}

LockHandle CreateLock() {
  PlatformLock *lock = new (std::nothrow) PlatformLock;
  if (lock != NULL) InitializeCriticalSection(&lock->section);
  return lock;
}

void EnterLock(LockHandle lock) {
  if (lock != NULL) EnterCriticalSection(&lock->section);
}

void LeaveLock(LockHandle lock) {
  if (lock != NULL) LeaveCriticalSection(&lock->section);
}

void DestroyLock(LockHandle *lock) {
  if (lock == NULL || *lock == NULL) return;
  DeleteCriticalSection(&(*lock)->section);
  delete *lock;
  *lock = NULL;
}

uint32_t MillisecondsTicking() { return (uint32_t)GetTickCount(); }
