#include "module/decode_threads.h"

#include <stdlib.h>
#include <windows.h>

struct WorkerStart {
  DecodeThreads *owner;
  DecodeAhead *core;
  uint32_t worker;
};

struct DecodeThreads {
  CRITICAL_SECTION lock;
  uint32_t workers;
  HANDLE events[kDecodeAheadMaxWorkers + 1];  // auto-reset, one per waiter
  HANDLE threads[kDecodeAheadMaxWorkers];
  uint32_t started;
  WorkerStart starts[kDecodeAheadMaxWorkers];
  HMODULE self;
};

static void LockThreads(void *context) { EnterCriticalSection(&((DecodeThreads *)context)->lock); }
static void UnlockThreads(void *context) {
  LeaveCriticalSection(&((DecodeThreads *)context)->lock);
}

static void WaitFor(void *context, uint32_t waiter) {
  WaitForSingleObject(((DecodeThreads *)context)->events[waiter], INFINITE);
}

static void Wake(void *context, uint32_t waiter) {
  SetEvent(((DecodeThreads *)context)->events[waiter]);
}

static DWORD WINAPI WorkerThread(LPVOID parameter) {
  const WorkerStart *start = (const WorkerStart *)parameter;
  HMODULE self = start->owner->self;
  DecodeAheadWork(start->core, start->worker);
  // Drops the reference StartWorker took; the code that runs this call
  // stays mapped until the thread has ended.
  FreeLibraryAndExitThread(self, 0);
  return 0;
}

// The module that holds this code, found through an address inside it.
static HMODULE ThisModule() {
  MEMORY_BASIC_INFORMATION memory;
  if (VirtualQuery((const void *)WorkerThread, &memory, sizeof memory) == 0) return NULL;
  return (HMODULE)memory.AllocationBase;
}

// One more reference to this module, for a thread about to start.
static int ReferenceModule(HMODULE module) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, sizeof path);
  if (length == 0 || length >= sizeof path) return 0;
  return LoadLibraryA(path) == module;
}

static int StartWorker(void *context, DecodeAhead *core, uint32_t worker) {
  DecodeThreads *threads = (DecodeThreads *)context;
  if (worker >= threads->workers || threads->self == NULL || !ReferenceModule(threads->self))
    return 0;
  WorkerStart *start = &threads->starts[worker];
  start->owner = threads;
  start->core = core;
  start->worker = worker;
  HANDLE thread = CreateThread(NULL, 0, WorkerThread, start, 0, NULL);
  if (thread == NULL) {
    FreeLibrary(threads->self);
    return 0;
  }
  threads->threads[threads->started++] = thread;
  return 1;
}

static void JoinWorkers(void *context) {
  DecodeThreads *threads = (DecodeThreads *)context;
  for (uint32_t i = 0; i < threads->started; i++) {
    WaitForSingleObject(threads->threads[i], INFINITE);
    CloseHandle(threads->threads[i]);
  }
  threads->started = 0;
}

DecodeThreads *DecodeThreadsCreate(uint32_t workers) {
  if (workers == 0 || workers > kDecodeAheadMaxWorkers) return NULL;
  DecodeThreads *threads = (DecodeThreads *)calloc(1, sizeof *threads);
  if (threads == NULL) return NULL;
  InitializeCriticalSection(&threads->lock);
  threads->workers = workers;
  threads->self = ThisModule();
  for (uint32_t waiter = 0; waiter <= workers; waiter++) {
    threads->events[waiter] = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (threads->events[waiter] == NULL) {
      DecodeThreadsFree(threads);
      return NULL;
    }
  }
  return threads;
}

DecodeAheadHost DecodeThreadsHost(DecodeThreads *threads) {
  DecodeAheadHost host = {threads, LockThreads, UnlockThreads, WaitFor, Wake, StartWorker,
                          JoinWorkers};
  return host;
}

void DecodeThreadsFree(DecodeThreads *threads) {
  if (threads == NULL) return;
  for (uint32_t waiter = 0; waiter <= kDecodeAheadMaxWorkers; waiter++)
    if (threads->events[waiter] != NULL) CloseHandle(threads->events[waiter]);
  DeleteCriticalSection(&threads->lock);
  free(threads);
}

uint32_t ProcessorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? (uint32_t)info.dwNumberOfProcessors : 1;
}
