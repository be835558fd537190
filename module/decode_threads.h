// Win32 threads, a critical section and events for the archive's
// decode-ahead core.
//
// Each worker thread holds a reference to this module, taken before the
// thread starts and dropped as the thread ends (FreeLibraryAndExitThread):
// a FreeLibrary by the stub while workers still run then leaves their code
// mapped instead of pulling it away under them.
//
// Call order: DecodeThreadsCreate -> DecodeAheadCreate with
// DecodeThreadsHost -> ... -> DecodeAheadDestroy (which joins the threads)
// -> DecodeThreadsFree.
#ifndef QVS_MODULE_DECODE_THREADS_H
#define QVS_MODULE_DECODE_THREADS_H

#include <stdint.h>

#include "archive/decode_ahead.h"

struct DecodeThreads;

// Room and events for `workers` threads (1..kDecodeAheadMaxWorkers); null
// when they cannot be had.
DecodeThreads *DecodeThreadsCreate(uint32_t workers);
DecodeAheadHost DecodeThreadsHost(DecodeThreads *threads);
// After every thread was joined. Safe with null.
void DecodeThreadsFree(DecodeThreads *threads);

// Processors the system offers, at least 1.
uint32_t ProcessorCount();

#endif
