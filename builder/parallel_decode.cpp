#include "builder/parallel_decode.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "archive/archive_format.h"
#include "archive/decode_ahead.h"

// Decoded bytes in flight: eight full chunks.
static const uint32_t kWindowBytes = 8 * kChunkSize;
static const uint32_t kMaxChunks = 64;
static const uint32_t kMaxDefaultThreads = 4;

struct ParallelDecodeThreads {
  std::mutex core;  // the core's lock
  std::mutex signals;  // guards `woken`
  std::condition_variable signal[kDecodeAheadMaxWorkers + 1];
  bool woken[kDecodeAheadMaxWorkers + 1];
  std::vector<std::thread> workers;
};

namespace {

void LockCore(void *context) { ((ParallelDecodeThreads *)context)->core.lock(); }
void UnlockCore(void *context) { ((ParallelDecodeThreads *)context)->core.unlock(); }

void WaitFor(void *context, uint32_t waiter) {
  ParallelDecodeThreads *threads = (ParallelDecodeThreads *)context;
  std::unique_lock<std::mutex> lock(threads->signals);
  threads->signal[waiter].wait(lock, [threads, waiter] { return threads->woken[waiter]; });
  threads->woken[waiter] = false;
}

void Wake(void *context, uint32_t waiter) {
  ParallelDecodeThreads *threads = (ParallelDecodeThreads *)context;
  {
    std::lock_guard<std::mutex> lock(threads->signals);
    threads->woken[waiter] = true;
  }
  threads->signal[waiter].notify_one();
}

int StartWorker(void *context, DecodeAhead *core, uint32_t worker) {
  ParallelDecodeThreads *threads = (ParallelDecodeThreads *)context;
  try {
    threads->workers.emplace_back(DecodeAheadWork, core, worker);
  } catch (const std::system_error &) {
    return 0;
  }
  return 1;
}

void JoinWorkers(void *context) {
  ParallelDecodeThreads *threads = (ParallelDecodeThreads *)context;
  for (std::thread &worker : threads->workers) worker.join();
  threads->workers.clear();
}

}  // namespace

uint32_t DefaultDecodeThreads() {
  uint32_t processors = std::thread::hardware_concurrency();
  if (processors == 0) processors = 1;
  return processors < kMaxDefaultThreads ? processors : kMaxDefaultThreads;
}

void ParallelDecodeStart(ParallelDecode *decode, const ArchiveSource *source,
                         uint64_t archiveOffset, uint32_t workers) {
  decode->threads = new ParallelDecodeThreads();
  for (bool &woken : decode->threads->woken) woken = false;
  decode->core = NULL;
  DecodeAheadHost host = {decode->threads, LockCore, UnlockCore, WaitFor, Wake, StartWorker,
                          JoinWorkers};
  DecodeAheadSettings settings = {workers, kWindowBytes, kMaxChunks};
  DecodeAheadCreate(&decode->core, source, archiveOffset, &settings, &host);
}

ArchiveResult ParallelDecodeExtract(ParallelDecode *decode, ArchiveReader *reader, ArchiveSink sink,
                                    void *context) {
  if (decode->core == NULL) return ArchiveReaderExtract(reader, sink, context);
  return DecodeAheadExtract(decode->core, reader, sink, context);
}

void ParallelDecodeStop(ParallelDecode *decode) {
  DecodeAheadDestroy(decode->core);
  decode->core = NULL;
  delete decode->threads;
  decode->threads = NULL;
}
