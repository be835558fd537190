#include "builder/chunk_pipeline.h"

#include <string.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "archive/archive_format.h"
#include "archive/chunk_codec.h"
#include "builder/fifo_arena.h"
#include "builder/source_file.h"

namespace {

enum SlotState { SLOT_FREE, SLOT_QUEUED, SLOT_DONE };

// The window per worker: at most this many chunks, holding at most this
// many full chunks' worth of input.
const uint32_t kSlotsPerWorker = 16;
const uint32_t kFullChunksPerWorker = 2;

// A chunk in the window. Its input and output lie in one region of the
// run's arena, sized to the chunk.
struct Slot {
  uint8_t *input;
  uint8_t *output;
  size_t outputCapacity;
  uint32_t u;
  uint32_t c;
  size_t entryIndex;
  SlotState state;
  ArchiveResult result;
};

struct SharedWork {
  std::mutex mutex;
  std::condition_variable workReady;
  std::condition_variable slotDone;
  std::deque<size_t> queue;  // slot indexes waiting for a worker
  std::vector<Slot> slots;
  bool stopping;
};

void Worker(SharedWork *work, uint32_t level, bool extreme) {
  ChunkEncoder *encoder = ChunkEncoderCreate(level, extreme);
  while (true) {
    size_t index = 0;
    {
      std::unique_lock<std::mutex> lock(work->mutex);
      work->workReady.wait(lock, [work] { return work->stopping || !work->queue.empty(); });
      if (work->queue.empty()) break;
      index = work->queue.front();
      work->queue.pop_front();
    }
    Slot &slot = work->slots[index];
    ArchiveResult result = ARCHIVE_MEM_ERROR;
    if (encoder != NULL) {
      result = ChunkEncoderCompress(encoder, slot.input, slot.u, slot.output,
                                    slot.outputCapacity, &slot.c);
    }
    {
      std::lock_guard<std::mutex> lock(work->mutex);
      slot.result = result;
      slot.state = SLOT_DONE;
    }
    work->slotDone.notify_all();
  }
  ChunkEncoderFree(encoder);
}

// Reads the chunks of all entries in writing order; entries of size 0 have
// none. One source file is open at a time.
struct ChunkReader {
  const std::vector<InputFile> *files;
  size_t entryIndex;
  uint64_t offset;  // within the current entry
  OsFile file;
};

bool ReadFully(OsFile file, uint8_t *buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    size_t got = 0;
    if (!ReadFromFile(file, buffer + done, size - done, &got) || got == 0) return false;
    done += got;
  }
  return true;
}

void CloseCurrent(ChunkReader *reader) { CloseFile(&reader->file); }

// Moves past entries of size 0 (they have no chunk) and gives the size of
// the next chunk; 0 when none is left.
uint32_t NextChunkSize(ChunkReader *reader) {
  const std::vector<InputFile> &files = *reader->files;
  while (reader->entryIndex < files.size() && files[reader->entryIndex].size == 0)
    reader->entryIndex++;
  if (reader->entryIndex >= files.size()) return 0;
  uint64_t left = files[reader->entryIndex].size - reader->offset;
  return left < kChunkSize ? (uint32_t)left : kChunkSize;
}

// Fills `buffer` with the next chunk. Returns false with *error set on a
// read failure, or when a source no longer has the size it had when the
// project was scanned (it changed while building).
bool ReadNextChunk(ChunkReader *reader, uint8_t *buffer, uint32_t *u, size_t *entryIndex,
                   std::string *error) {
  uint32_t size = NextChunkSize(reader);
  if (size == 0) {
    *error = "internal error: more chunks requested than the entries hold";
    return false;
  }
  const InputFile &file = (*reader->files)[reader->entryIndex];
  if (file.memory != NULL) {
    memcpy(buffer, file.memory + reader->offset, size);
  } else {
    if (reader->file == kNoFile) {
      reader->file = OpenSourceFile(file.sourcePath, file.identity, error);
      if (reader->file == kNoFile) return false;
    }
    if (!ReadFully(reader->file, buffer, size)) {
      *error = file.sourcePath + ": cannot read, or the file shrank while building";
      return false;
    }
  }
  *u = size;
  *entryIndex = reader->entryIndex;
  reader->offset += size;
  if (reader->offset == file.size) {
    uint8_t extra = 0;
    size_t got = 0;
    if (reader->file != kNoFile && (!ReadFromFile(reader->file, &extra, 1, &got) || got != 0)) {
      *error = file.sourcePath + ": the file grew while building";
      return false;
    }
    // Rewritten in place with the same size: the bytes read may be torn.
    if (reader->file != kNoFile &&
        !SourceFileUnchanged(reader->file, file.sourcePath, file.identity, error))
      return false;
    CloseCurrent(reader);
    reader->entryIndex++;
    reader->offset = 0;
  }
  return true;
}

struct PipelineRun {
  SharedWork work;
  std::vector<std::thread> workers;
  ChunkReader reader;
  uint64_t chunksTotal;
  uint64_t chunksRead;
  uint64_t chunksWritten;
  FifoArena arena;  // the slots' buffers, taken and released in chunk order
};

// Reads chunks into free slots until the window is full or none is left.
// The window is bounded both in chunks and in memory: many small chunks may
// wait behind a large one that a worker is still compressing, so that the
// other workers do not idle at the start of a run of small files, while
// memory stays what a few full chunks per worker need.
bool FillWindow(PipelineRun *run, std::string *error) {
  size_t windowSize = run->work.slots.size();
  while (run->chunksRead < run->chunksTotal && run->chunksRead < run->chunksWritten + windowSize) {
    uint32_t next = NextChunkSize(&run->reader);
    size_t outputCapacity = (size_t)LzmaChunkBound(next);
    uint8_t *region = FifoArenaTake(&run->arena, next + outputCapacity);
    if (region == NULL) break;  // the oldest chunks must be written first
    size_t index = (size_t)(run->chunksRead % windowSize);
    Slot &slot = run->work.slots[index];
    slot.input = region;
    slot.output = region + next;
    slot.outputCapacity = outputCapacity;
    if (!ReadNextChunk(&run->reader, slot.input, &slot.u, &slot.entryIndex, error))
      return false;
    {
      std::lock_guard<std::mutex> lock(run->work.mutex);
      slot.state = SLOT_QUEUED;
      run->work.queue.push_back(index);
    }
    run->work.workReady.notify_one();
    run->chunksRead++;
  }
  return true;
}

// Waits for the oldest chunk, hands it to the writer and frees its slot.
bool WriteNextChunk(PipelineRun *run, ArchiveWriter *writer, size_t entryIndex,
                    uint64_t *bytesIn, uint64_t *bytesOut, std::string *error) {
  size_t index = (size_t)(run->chunksWritten % run->work.slots.size());
  Slot &slot = run->work.slots[index];
  {
    std::unique_lock<std::mutex> lock(run->work.mutex);
    run->work.slotDone.wait(lock, [&slot] { return slot.state == SLOT_DONE; });
  }
  if (slot.result != ARCHIVE_OK) {
    *error = std::string("compression failed: ") + ArchiveResultText(slot.result);
    return false;
  }
  if (slot.entryIndex != entryIndex) {
    *error = "internal error: chunk order lost";
    return false;
  }
  ArchiveResult result = ArchiveWriterAddChunk(writer, slot.input, slot.u, slot.output, slot.c);
  if (result != ARCHIVE_OK) {
    *error = std::string("writing the archive failed: ") + ArchiveResultText(result);
    return false;
  }
  *bytesIn += slot.u;
  *bytesOut += slot.c + kChunkHeaderSize;
  slot.state = SLOT_FREE;
  FifoArenaReleaseOldest(&run->arena);
  run->chunksWritten++;
  return true;
}

bool WriteAll(PipelineRun *run, ArchiveWriter *writer, const std::vector<InputFile> &files,
              const PipelineProgress *progress, std::string *error) {
  uint64_t bytesIn = 0;
  uint64_t bytesOut = 0;
  for (size_t i = 0; i < files.size(); i++) {
    ArchiveEntrySpec spec;
    spec.name = files[i].entryName.c_str();
    spec.modificationTime = files[i].modificationTime;
    spec.attributes = files[i].attributes;
    spec.uncompressedSize = files[i].size;
    ArchiveResult result = ArchiveWriterBeginEntry(writer, &spec);
    if (result != ARCHIVE_OK) {
      *error = files[i].entryName + ": " + ArchiveResultText(result);
      return false;
    }
    bytesOut += 4 + files[i].entryName.size() + 1 + kEntryFixedSize;
    uint64_t chunks = (files[i].size + kChunkSize - 1) / kChunkSize;
    for (uint64_t k = 0; k < chunks; k++) {
      if (!FillWindow(run, error)) return false;
      if (!WriteNextChunk(run, writer, i, &bytesIn, &bytesOut, error)) return false;
      if (progress != NULL) progress->report(progress->context, bytesIn, bytesOut);
    }
    result = ArchiveWriterEndEntry(writer);
    if (result != ARCHIVE_OK) {
      *error = files[i].entryName + ": " + ArchiveResultText(result);
      return false;
    }
    if (progress != NULL) progress->report(progress->context, bytesIn, bytesOut);
  }
  return true;
}

}  // namespace

bool WriteEntries(ArchiveWriter *writer, const std::vector<InputFile> &files,
                  const PipelineSettings &settings, const PipelineProgress *progress,
                  std::string *error) {
  PipelineRun run;
  uint32_t threads = settings.threads < 1 ? 1 : settings.threads;
  run.work.stopping = false;
  run.work.slots.resize(kSlotsPerWorker * (size_t)threads);
  for (Slot &slot : run.work.slots) {
    slot.input = slot.output = NULL;
    slot.outputCapacity = 0;
    slot.u = slot.c = 0;
    slot.entryIndex = 0;
    slot.state = SLOT_FREE;
    slot.result = ARCHIVE_OK;
  }
  run.reader.files = &files;
  run.reader.entryIndex = 0;
  run.reader.offset = 0;
  run.reader.file = kNoFile;
  run.chunksTotal = 0;
  for (const InputFile &file : files) run.chunksTotal += (file.size + kChunkSize - 1) / kChunkSize;
  run.chunksRead = run.chunksWritten = 0;
  size_t fullRegion = kChunkSize + (size_t)LzmaChunkBound(kChunkSize);
  FifoArenaInit(&run.arena, kFullChunksPerWorker * (size_t)threads * fullRegion,
                run.work.slots.size());
  for (uint32_t i = 0; i < threads; i++)
    run.workers.emplace_back(Worker, &run.work, settings.level, settings.extreme);

  bool ok = WriteAll(&run, writer, files, progress, error);

  {
    std::lock_guard<std::mutex> lock(run.work.mutex);
    run.work.stopping = true;
    run.work.queue.clear();
  }
  run.work.workReady.notify_all();
  for (std::thread &worker : run.workers) worker.join();
  CloseCurrent(&run.reader);
  return ok;
}
