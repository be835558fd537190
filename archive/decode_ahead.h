// Decodes an archive's chunks ahead of the thread that extracts them. Chunks
// are independent LZMA streams, so worker threads decode them in any order
// while the extracting thread (the caller) writes the ones decoded before,
// and the caller takes them in archive order.
//
// The workers walk the archive with a reader of their own, from the entry the
// caller extracts on, into the entries after it, one worker reading a chunk
// at a time and each decoding what it read. A window bounds what is in flight
// however large the archive: at most `windowBytes` of decoded data in at most
// `maxChunks` chunks, plus one decoder and one input buffer per worker.
// Decoded chunks of entries the caller passes over are dropped; an entry
// extracted a second time (a retry) is decoded again.
//
// This code makes no OS call: the host gives it threads, a lock and waits
// (DecodeAheadHost), Win32 ones in the module and std::thread in the builder.
//
// Call order, all but DecodeAheadWork on the caller's thread:
//   DecodeAheadCreate -> { DecodeAheadExtract | DecodeAheadPassTo } ...
//   -> DecodeAheadDestroy
// The host's startWorker runs DecodeAheadWork on a thread of its own, and
// joinWorkers (called by Destroy) waits for those threads to return.
#ifndef QVS_ARCHIVE_DECODE_AHEAD_H
#define QVS_ARCHIVE_DECODE_AHEAD_H

#include <stdint.h>

#include "archive/archive_reader.h"

struct DecodeAhead;

static const uint32_t kDecodeAheadMaxWorkers = 8;

// Threads, a lock and waits. Waiter 0 is the caller, waiter w + 1 is worker
// w. wait(waiter) blocks until wake(waiter) was called since that waiter last
// returned from wait (a wake before the wait is not lost); both are called
// without the lock held, and only the waiter itself waits on its number.
struct DecodeAheadHost {
  void *context;
  void (*lock)(void *context);
  void (*unlock)(void *context);
  void (*wait)(void *context, uint32_t waiter);
  void (*wake)(void *context, uint32_t waiter);
  // Starts a thread running DecodeAheadWork(core, worker); 1 when it runs.
  int (*startWorker)(void *context, DecodeAhead *core, uint32_t worker);
  // Returns once every started thread has returned from DecodeAheadWork.
  void (*joinWorkers)(void *context);
};

struct DecodeAheadSettings {
  uint32_t workers;  // 1..kDecodeAheadMaxWorkers
  uint32_t windowBytes;  // decoded bytes in flight at most, at least kChunkSize
  uint32_t maxChunks;  // chunks in flight at most, at least `workers`
};

// Opens a reader of its own on `source` (the archive at `archiveOffset`),
// allocates the window, the decoders and buffers, and starts the workers.
// The source is read by the workers, one at a time, while the caller reads
// the archive through its own reader: it must allow that (a second file
// handle, or positioned reads). `source` and `host` are copied; the host's
// context must outlive the core. On failure *core is null, nothing runs and
// the result says why (ARCHIVE_MEM_ERROR also when no thread could start);
// the caller then extracts with ArchiveReaderExtract.
ArchiveResult DecodeAheadCreate(DecodeAhead **core, const ArchiveSource *source,
                                uint64_t archiveOffset, const DecodeAheadSettings *settings,
                                const DecodeAheadHost *host);

// Like ArchiveReaderExtract for the current entry of the caller's `reader`
// (which must read the same archive), with the chunks decoded by the workers:
// the sink gets each chunk in order on the caller's thread, and the CRC is
// checked after the last one. May be called again for the same entry.
ArchiveResult DecodeAheadExtract(DecodeAhead *core, const ArchiveReader *reader, ArchiveSink sink,
                                 void *context);

// Tells the workers that the caller moved on to the current entry of
// `reader` (or past the last one) without extracting the entries before it:
// their chunks are dropped and the walk goes on from there.
void DecodeAheadPassTo(DecodeAhead *core, const ArchiveReader *reader);

// Stops the workers (each ends after the chunk at hand), waits for them and
// frees everything. Safe with null.
void DecodeAheadDestroy(DecodeAhead *core);

// The body of worker `worker` (0-based); returns when Destroy stops it.
void DecodeAheadWork(DecodeAhead *core, uint32_t worker);

#endif
