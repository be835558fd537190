#include "archive/decode_ahead.h"

#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include "archive/chunk_codec.h"

enum JobState { JOB_READING, JOB_DECODING, JOB_DONE };

// One chunk in flight. Jobs live in a ring in walk order and their decoded
// bytes in the window in the same order, so both are freed oldest first.
struct Job {
  uint64_t entryIndex;
  uint32_t chunkIndex;
  uint32_t c;
  uint32_t u;
  uint32_t start;  // of the decoded bytes in the window
  uint32_t length;  // bytes held in the window: u, or 0 for a chunk that could not be read
  uint32_t crc;  // of the decoded bytes
  JobState state;
  ArchiveResult result;
  int dropped;  // taken by the caller or no longer wanted: freed once done
};

struct DecodeAhead {
  DecodeAheadHost host;
  uint32_t workers;  // started
  uint32_t pendingWakes;  // waiters to wake once the lock is released, bit per waiter
  int quit;

  uint8_t *window;
  uint32_t windowBytes;
  uint32_t head;  // where the newest region ends
  uint32_t windowUsed;  // bytes of the live regions
  Job *jobs;
  uint32_t maxChunks;
  uint32_t oldest;  // ring index of the oldest live job
  uint32_t live;

  ChunkDecoder *decoders[kDecodeAheadMaxWorkers];
  uint8_t *inputs[kDecodeAheadMaxWorkers];
  int idle[kDecodeAheadMaxWorkers];  // waiting for work

  // The walk. Only the worker holding it (`walking`) touches the reader and
  // the cursor; the rest is guarded by the lock.
  ArchiveReader *walker;
  ArchiveChunkCursor cursor;
  uint64_t walkEntry;  // the entry the walker is on
  uint32_t walkChunk;  // chunks of it passed
  int walking;
  int walkEnded;  // nothing more to read until the caller moves the walk
  uint32_t generation;  // counts moves; a walker of an older one drops its work
  int seekPending;
  uint64_t seekIndex;
  uint64_t seekRecord;
  int pendingHeader;  // a chunk header read that did not fit into the window yet
  uint32_t pendingC;
  uint32_t pendingU;
  uint64_t nextEntry;  // what the walk delivers next, when it is not ended
  uint32_t nextChunk;

  int callerWaiting;
};

static const size_t kInputCapacity = (size_t)LzmaChunkBound(kChunkSize);
static const uint32_t kCallerWaiter = 0;

static uint32_t WaiterOf(uint32_t worker) { return worker + 1; }

static void Lock(DecodeAhead *core) { core->host.lock(core->host.context); }

// Wakes come after the lock is released, so that no thread is woken only to
// wait for the lock.
static void Unlock(DecodeAhead *core) {
  uint32_t wakes = core->pendingWakes;
  core->pendingWakes = 0;
  core->host.unlock(core->host.context);
  for (uint32_t waiter = 0; wakes != 0; waiter++, wakes >>= 1)
    if (wakes & 1) core->host.wake(core->host.context, waiter);
}

static void Wait(DecodeAhead *core, uint32_t waiter) {
  Unlock(core);
  core->host.wait(core->host.context, waiter);
  Lock(core);
}

static void WakeCaller(DecodeAhead *core) {
  if (!core->callerWaiting) return;
  core->callerWaiting = 0;
  core->pendingWakes |= 1u << kCallerWaiter;
}

static Job *JobAt(DecodeAhead *core, uint32_t position) {
  return &core->jobs[(core->oldest + position) % core->maxChunks];
}

// --- window -------------------------------------------------------------------

// Start of the oldest region that holds bytes; 0 when none does.
static int OldestBytes(DecodeAhead *core, uint32_t *tail) {
  for (uint32_t i = 0; i < core->live; i++) {
    Job *job = JobAt(core, i);
    if (job->length > 0) {
      *tail = job->start;
      return 1;
    }
  }
  return 0;
}

// Where `size` contiguous bytes fit after the newest region; 0 when they do
// not fit until older regions are freed.
static int FindRoom(DecodeAhead *core, uint32_t size, uint32_t *start) {
  uint32_t tail = 0;
  if (size == 0) {
    *start = core->head;
    return 1;
  }
  if (!OldestBytes(core, &tail)) {
    *start = 0;
    return size <= core->windowBytes;
  }
  if (core->head > tail) {  // live bytes in [tail, head)
    if (core->windowBytes - core->head >= size) {
      *start = core->head;
      return 1;
    }
    *start = 0;
    return tail >= size;
  }
  *start = core->head;  // wrapped: live bytes in [tail, end) and [0, head)
  return tail - core->head >= size;
}

static Job *AddJob(DecodeAhead *core, uint32_t c, uint32_t u, uint32_t start, uint32_t length) {
  Job *job = JobAt(core, core->live);
  core->live++;
  memset(job, 0, sizeof *job);
  job->entryIndex = core->walkEntry;
  job->chunkIndex = core->walkChunk;
  job->c = c;
  job->u = u;
  job->start = start;
  job->length = length;
  job->state = JOB_READING;
  job->result = ARCHIVE_OK;
  core->head = start + length;
  core->windowUsed += length;
  return job;
}

// Frees the dropped jobs at the front whose workers are done with them.
static void Reap(DecodeAhead *core) {
  while (core->live > 0) {
    Job *job = JobAt(core, 0);
    if (!job->dropped || job->state != JOB_DONE) break;
    core->windowUsed -= job->length;
    core->oldest = (core->oldest + 1) % core->maxChunks;
    core->live--;
  }
}

// --- workers ------------------------------------------------------------------

static int CanWalk(DecodeAhead *core) {
  if (core->quit || core->walking || core->walkEnded || core->live >= core->maxChunks) return 0;
  uint32_t start = 0;
  return core->seekPending || !core->pendingHeader || FindRoom(core, core->pendingU, &start);
}

// Hands the walk to an idle worker when there is walking to do.
static void WakeWalker(DecodeAhead *core) {
  if (!CanWalk(core)) return;
  for (uint32_t worker = 0; worker < core->workers; worker++) {
    if (core->idle[worker]) {
      core->idle[worker] = 0;
      core->pendingWakes |= 1u << WaiterOf(worker);
      return;
    }
  }
}

// Wakes a worker only once the window has drained to half. Waking costs a
// call into the system on both sides (under Wine, two round trips to its
// server): refilling in bursts keeps that to one per half window instead of
// one per chunk taken, which for small files would be one per file.
static void WakeWalkerToRefill(DecodeAhead *core) {
  if (core->live <= core->maxChunks / 2 && core->windowUsed <= core->windowBytes / 2)
    WakeWalker(core);
}

// Moves the walker to where the next chunk comes from and reads its header;
// without the lock. ARCHIVE_END past the last entry.
static ArchiveResult ReadNextHeader(DecodeAhead *core, int seek, uint64_t seekIndex,
                                    uint64_t seekRecord, uint32_t *c, uint32_t *u) {
  ArchiveResult result = ARCHIVE_OK;
  if (seek) {
    core->walkEntry = seekIndex;
    core->walkChunk = 0;
    result = ArchiveReaderSeek(core->walker, seekIndex, seekRecord);
    if (result == ARCHIVE_OK) result = ArchiveReaderChunksBegin(core->walker, &core->cursor);
  }
  while (result == ARCHIVE_OK && core->cursor.remaining == 0) {
    core->walkEntry++;
    core->walkChunk = 0;
    result = ArchiveReaderNext(core->walker);
    if (result == ARCHIVE_OK) result = ArchiveReaderChunksBegin(core->walker, &core->cursor);
  }
  if (result == ARCHIVE_OK) result = ArchiveReaderChunkHeader(core->walker, &core->cursor, c, u);
  return result;
}

// Ends the walk with a job that carries the failure to the caller.
static void EndWalkWithError(DecodeAhead *core, ArchiveResult result) {
  Job *job = AddJob(core, 0, 0, core->head, 0);
  job->result = result;
  job->state = JOB_DONE;
  core->walkEnded = 1;
  WakeCaller(core);
}

// Decodes `job`, read into the worker's input, outside the lock.
static void DecodeJob(DecodeAhead *core, uint32_t worker, Job *job) {
  uint8_t *out = core->window + job->start;
  uint32_t c = job->c, u = job->u;
  Unlock(core);
  ArchiveResult result = ChunkDecoderDecode(core->decoders[worker], core->inputs[worker], c, out, u);
  uint32_t crc = result == ARCHIVE_OK ? (uint32_t)crc32(crc32(0L, Z_NULL, 0), out, u) : 0;
  Lock(core);
  job->result = result;
  job->crc = crc;
  job->state = JOB_DONE;
  Reap(core);  // when the caller dropped it meanwhile
  WakeCaller(core);
}

// Reads the next chunk of the walk and decodes it. Called and returns with
// the lock held, the walk free.
static void WalkOneChunk(DecodeAhead *core, uint32_t worker) {
  core->walking = 1;
  uint32_t generation = core->generation;
  int seek = core->seekPending;
  uint64_t seekIndex = core->seekIndex, seekRecord = core->seekRecord;
  core->seekPending = 0;
  if (seek) core->pendingHeader = 0;
  int havePending = core->pendingHeader;
  uint32_t c = core->pendingC, u = core->pendingU;
  Unlock(core);
  ArchiveResult result =
      havePending ? ARCHIVE_OK : ReadNextHeader(core, seek, seekIndex, seekRecord, &c, &u);
  Lock(core);
  core->walking = 0;
  if (generation != core->generation || core->quit) return;
  if (result == ARCHIVE_END) {
    core->walkEnded = 1;
    WakeCaller(core);
    return;
  }
  if (result != ARCHIVE_OK) {
    EndWalkWithError(core, result);
    return;
  }
  uint32_t start = 0;
  if (!FindRoom(core, u, &start)) {
    core->pendingHeader = 1;  // a caller's release wakes a worker for it
    core->pendingC = c;
    core->pendingU = u;
    return;
  }
  core->pendingHeader = 0;
  Job *job = AddJob(core, c, u, start, u);
  int last = core->cursor.remaining == u;
  core->nextEntry = last ? core->walkEntry + 1 : core->walkEntry;
  core->nextChunk = last ? 0 : core->walkChunk + 1;
  core->walking = 1;
  Unlock(core);
  result = ArchiveReaderChunkData(core->walker, &core->cursor, c, u, core->inputs[worker]);
  core->walkChunk++;
  Lock(core);
  core->walking = 0;
  if (generation != core->generation || core->quit) {
    job->dropped = 1;  // by the move, or nobody wants it any more
    job->state = JOB_DONE;
    Reap(core);
    WakeWalker(core);
    return;
  }
  if (result != ARCHIVE_OK) {
    job->result = result;
    job->state = JOB_DONE;
    core->walkEnded = 1;
    WakeCaller(core);
    return;
  }
  job->state = JOB_DECODING;
  WakeWalker(core);  // another worker reads the next chunk meanwhile
  DecodeJob(core, worker, job);
}

void DecodeAheadWork(DecodeAhead *core, uint32_t worker) {
  Lock(core);
  while (!core->quit) {
    if (CanWalk(core)) {
      WalkOneChunk(core, worker);
    } else {
      core->idle[worker] = 1;
      Wait(core, WaiterOf(worker));
      core->idle[worker] = 0;
    }
  }
  Unlock(core);
}

// --- the caller ---------------------------------------------------------------

static void DropAll(DecodeAhead *core) {
  for (uint32_t i = 0; i < core->live; i++) JobAt(core, i)->dropped = 1;
}

// Drops the jobs of entries before `index`; they form the front.
static void DropBefore(DecodeAhead *core, uint64_t index) {
  for (uint32_t i = 0; i < core->live; i++) {
    Job *job = JobAt(core, i);
    if (job->dropped) continue;
    if (job->entryIndex >= index) break;
    job->dropped = 1;
  }
}

static Job *FirstWanted(DecodeAhead *core) {
  for (uint32_t i = 0; i < core->live; i++) {
    Job *job = JobAt(core, i);
    if (!job->dropped) return job;
  }
  return NULL;
}

// Restarts the walk at entry `index` (record at `record`).
static void MoveWalk(DecodeAhead *core, uint64_t index, uint64_t record) {
  DropAll(core);
  core->generation++;
  core->seekPending = 1;
  core->seekIndex = index;
  core->seekRecord = record;
  core->walkEnded = 0;
  core->pendingHeader = 0;
  Reap(core);
  WakeWalker(core);
}

// Entry of the next chunk the walk will deliver beyond the live jobs; 0
// when the walk is ended.
static int WalkPosition(const DecodeAhead *core, uint64_t *entry, uint32_t *chunk) {
  if (core->seekPending) {
    *entry = core->seekIndex;
    *chunk = 0;
    return 1;
  }
  if (core->walkEnded) return 0;
  *entry = core->nextEntry;
  *chunk = core->nextChunk;
  return 1;
}

// Makes the entry's first chunk the next one the caller gets.
static void OpenEntry(DecodeAhead *core, uint64_t index, uint64_t record) {
  DropBefore(core, index);
  Reap(core);
  Job *first = FirstWanted(core);
  uint64_t entry = 0;
  uint32_t chunk = 0;
  int ready = first != NULL ? first->entryIndex == index && first->chunkIndex == 0
                            : WalkPosition(core, &entry, &chunk) && entry == index && chunk == 0;
  if (!ready) MoveWalk(core, index, record);
}

// Waits for chunk `chunk` of entry `index`. The job stays the caller's until
// it drops it.
static ArchiveResult TakeChunk(DecodeAhead *core, uint64_t index, uint32_t chunk, Job **taken) {
  for (;;) {
    Job *job = FirstWanted(core);
    if (job != NULL) {
      if (job->entryIndex != index || job->chunkIndex != chunk) return ARCHIVE_PROG_ERROR;
      if (job->state == JOB_DONE) {
        *taken = job;
        return ARCHIVE_OK;
      }
    } else if (core->walkEnded && !core->seekPending && !core->walking) {
      return ARCHIVE_PROG_ERROR;  // the walk ended before the entry did
    }
    WakeWalker(core);  // the caller is about to wait: a worker must run, half window or not
    core->callerWaiting = 1;
    Wait(core, kCallerWaiter);
  }
}

static void DropTaken(DecodeAhead *core, Job *job) {
  job->dropped = 1;
  Reap(core);
  WakeWalkerToRefill(core);
}

static ArchiveResult SinkAnswer(ArchiveResult answer) {
  if (answer == ARCHIVE_OK || answer == ARCHIVE_STOPPED) return answer;
  return ARCHIVE_WRITE_ERROR;
}

ArchiveResult DecodeAheadExtract(DecodeAhead *core, const ArchiveReader *reader, ArchiveSink sink,
                                 void *context) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  if (core == NULL || entry == NULL || sink == NULL) return ARCHIVE_PROG_ERROR;
  if (entry->uncompressedSize == 0) return entry->crc32 == 0 ? ARCHIVE_OK : ARCHIVE_CRC_ERROR;
  uint64_t index = ArchiveReaderGetEntryIndex(reader);
  uint64_t remaining = entry->uncompressedSize;
  uint32_t crc = 0;
  ArchiveResult result = ARCHIVE_OK;
  Lock(core);
  OpenEntry(core, index, entry->recordOffset);
  for (uint32_t chunk = 0; remaining > 0 && result == ARCHIVE_OK; chunk++) {
    Job *job = NULL;
    result = TakeChunk(core, index, chunk, &job);
    if (result != ARCHIVE_OK) break;
    if (job->result != ARCHIVE_OK || job->u > remaining) {
      result = job->result != ARCHIVE_OK ? job->result : ARCHIVE_PROG_ERROR;
      DropTaken(core, job);
      break;
    }
    const uint8_t *data = core->window + job->start;
    uint32_t u = job->u;
    crc = chunk == 0 ? job->crc : (uint32_t)crc32_combine(crc, job->crc, (z_off_t)u);
    Unlock(core);
    result = SinkAnswer(sink(context, data, u));
    Lock(core);
    DropTaken(core, job);
    remaining -= u;
  }
  Unlock(core);
  if (result == ARCHIVE_OK && crc != entry->crc32) result = ARCHIVE_CRC_ERROR;
  return result;
}

void DecodeAheadPassTo(DecodeAhead *core, const ArchiveReader *reader) {
  if (core == NULL) return;
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  Lock(core);
  if (entry == NULL) {
    // Past the last entry: nothing more is wanted.
    DropAll(core);
    core->generation++;
    core->seekPending = 0;
    core->pendingHeader = 0;
    core->walkEnded = 1;
  } else {
    uint64_t index = ArchiveReaderGetEntryIndex(reader);
    uint64_t walkEntry = 0;
    uint32_t walkChunk = 0;
    DropBefore(core, index);
    // A walk still in the entries passed over jumps ahead instead of
    // decoding them.
    if (WalkPosition(core, &walkEntry, &walkChunk) && walkEntry < index)
      MoveWalk(core, index, entry->recordOffset);
  }
  Reap(core);
  WakeWalkerToRefill(core);
  Unlock(core);
}

// --- life cycle ---------------------------------------------------------------

static int SettingsValid(const DecodeAheadSettings *settings) {
  return settings->workers >= 1 && settings->workers <= kDecodeAheadMaxWorkers &&
         settings->windowBytes >= kChunkSize && settings->maxChunks >= settings->workers;
}

static int HostValid(const DecodeAheadHost *host) {
  return host->lock != NULL && host->unlock != NULL && host->wait != NULL && host->wake != NULL &&
         host->startWorker != NULL && host->joinWorkers != NULL;
}

// Frees what Create allocated; the workers have stopped.
static void FreeCore(DecodeAhead *core) {
  for (uint32_t worker = 0; worker < kDecodeAheadMaxWorkers; worker++) {
    ChunkDecoderFree(core->decoders[worker]);
    free(core->inputs[worker]);
  }
  ArchiveReaderClose(core->walker);
  free(core->jobs);
  free(core->window);
  free(core);
}

ArchiveResult DecodeAheadCreate(DecodeAhead **core, const ArchiveSource *source,
                                uint64_t archiveOffset, const DecodeAheadSettings *settings,
                                const DecodeAheadHost *host) {
  if (core == NULL) return ARCHIVE_PROG_ERROR;
  *core = NULL;
  if (source == NULL || settings == NULL || host == NULL || !SettingsValid(settings) ||
      !HostValid(host))
    return ARCHIVE_PROG_ERROR;
  DecodeAhead *made = (DecodeAhead *)calloc(1, sizeof *made);
  if (made == NULL) return ARCHIVE_MEM_ERROR;
  made->host = *host;
  made->windowBytes = settings->windowBytes;
  made->maxChunks = settings->maxChunks;
  made->walkEnded = 1;  // until the first extraction says where to start
  ArchiveResult result = ArchiveReaderOpen(&made->walker, source, archiveOffset);
  if (result == ARCHIVE_OK) {
    made->window = (uint8_t *)malloc(made->windowBytes);
    made->jobs = (Job *)calloc(made->maxChunks, sizeof *made->jobs);
    int allocated = made->window != NULL && made->jobs != NULL;
    for (uint32_t worker = 0; worker < settings->workers; worker++) {
      made->decoders[worker] = ChunkDecoderCreate();
      made->inputs[worker] = (uint8_t *)malloc(kInputCapacity);
      allocated = allocated && made->decoders[worker] != NULL && made->inputs[worker] != NULL;
    }
    if (!allocated) result = ARCHIVE_MEM_ERROR;
  }
  // Workers start last, when everything they touch exists; the core counts
  // only those that run.
  for (uint32_t worker = 0; result == ARCHIVE_OK && worker < settings->workers; worker++) {
    Lock(made);
    int started = host->startWorker(host->context, made, worker);
    if (started) made->workers++;
    Unlock(made);
    if (!started) break;
  }
  if (result == ARCHIVE_OK && made->workers == 0) result = ARCHIVE_MEM_ERROR;
  if (result != ARCHIVE_OK) {
    if (made->workers > 0) host->joinWorkers(host->context);
    FreeCore(made);
    return result;
  }
  *core = made;
  return ARCHIVE_OK;
}

void DecodeAheadDestroy(DecodeAhead *core) {
  if (core == NULL) return;
  Lock(core);
  core->quit = 1;
  for (uint32_t worker = 0; worker < core->workers; worker++) {
    if (core->idle[worker]) {
      core->idle[worker] = 0;
      core->pendingWakes |= 1u << WaiterOf(worker);
    }
  }
  Unlock(core);
  core->host.joinWorkers(core->host.context);
  FreeCore(core);
}
