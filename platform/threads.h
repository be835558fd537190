// Threads, signals and locks for the installation's workers.
//
// Handles are NULL when nothing is open; the Close functions clear them and
// are safe to call twice. A signal is an event that stays raised until a
// wait on it returns (auto-reset): one raise wakes one wait.
#ifndef QVS_PLATFORM_THREADS_H
#define QVS_PLATFORM_THREADS_H

#include <stdint.h>

typedef void *ThreadHandle;
typedef void *SignalHandle;
typedef struct PlatformLock *LockHandle;

// Starts `entry(argument)` on a new thread; its return value is the
// thread's exit code. NULL when the thread could not be started.
ThreadHandle StartThread(int (*entry)(void *argument), void *argument);
bool IsThreadFinished(ThreadHandle thread);
// Waits until the thread has ended; for threads that are known to end soon.
void WaitForThreadEnd(ThreadHandle thread);
void CloseThreadHandle(ThreadHandle *thread);

// A timeout that never passes.
static const uint32_t kWaitForever = 0xFFFFFFFFu;

SignalHandle CreateSignal();
void RaiseSignal(SignalHandle signal);
// True when the signal was raised within `timeoutMs` (consuming it).
bool WaitForSignal(SignalHandle signal, uint32_t timeoutMs);
void CloseSignal(SignalHandle *signal);

// What woke WaitForMessagesOrHandles.
enum WakeReason { kWakeMessage, kWakeHandle, kWakeTimeout };
// Waits until this thread's queue holds a message, one of `handles` (thread
// or signal handles, at most 8) is signalled, or `timeoutMs` passes, without
// using the processor meanwhile. *which (may be NULL) receives the index of
// the signalled handle. A signalled signal is consumed.
WakeReason WaitForMessagesOrHandles(void *const *handles, int count, uint32_t timeoutMs,
                                    int *which);

LockHandle CreateLock();
void EnterLock(LockHandle lock);
void LeaveLock(LockHandle lock);
void DestroyLock(LockHandle *lock);

// Milliseconds since the system started, for spacing out screen updates;
// wraps after 49 days, so compare differences only.
uint32_t MillisecondsTicking();

#endif
