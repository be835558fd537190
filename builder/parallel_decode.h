// The archive's decode-ahead core on std::thread, for the builder commands
// that decode every entry (extract, verify): worker threads decode the
// chunks while the calling thread writes or counts them.
//
// Call order: ParallelDecodeStart -> ParallelDecodeExtract per entry ->
// ParallelDecodeStop (safe to call twice, and after a failed start).
#ifndef QVS_BUILDER_PARALLEL_DECODE_H
#define QVS_BUILDER_PARALLEL_DECODE_H

#include <stdint.h>

#include "archive/archive_reader.h"

struct DecodeAhead;
struct ParallelDecodeThreads;

struct ParallelDecode {
  ParallelDecodeThreads *threads;
  DecodeAhead *core;  // null when the workers could not start: extraction runs on the caller
};

// Worker threads the builder decodes with: one per processor, at most 4.
uint32_t DefaultDecodeThreads();

// Starts `workers` threads decoding the archive of `source` at
// `archiveOffset`; `source` must allow positioned reads from several threads
// (pread). Never fails: without threads, extraction falls back to the reader.
void ParallelDecodeStart(ParallelDecode *decode, const ArchiveSource *source,
                         uint64_t archiveOffset, uint32_t workers);
// ArchiveReaderExtract of the reader's current entry, decoded ahead.
ArchiveResult ParallelDecodeExtract(ParallelDecode *decode, ArchiveReader *reader, ArchiveSink sink,
                                    void *context);
void ParallelDecodeStop(ParallelDecode *decode);

#endif
