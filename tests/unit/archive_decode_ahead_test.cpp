// The decode-ahead core with std::thread workers: the bytes, the order and
// the errors must be those of the plain reader, whatever the caller skips,
// repeats or stops, and however small the window.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "archive/byte_order.h"
#include "archive/decode_ahead.h"
#include "archive_test_support.h"

using namespace archive_test;

namespace {

// A host on std::thread that can refuse to start more than `startable`
// workers.
struct TestHost {
  std::mutex core;
  std::mutex signals;
  std::condition_variable signal[kDecodeAheadMaxWorkers + 1];
  bool woken[kDecodeAheadMaxWorkers + 1] = {};
  std::vector<std::thread> threads;
  uint32_t startable = kDecodeAheadMaxWorkers;
};

void HostLock(void *context) { ((TestHost *)context)->core.lock(); }
void HostUnlock(void *context) { ((TestHost *)context)->core.unlock(); }
void HostWait(void *context, uint32_t waiter) {
  TestHost *host = (TestHost *)context;
  std::unique_lock<std::mutex> lock(host->signals);
  host->signal[waiter].wait(lock, [host, waiter] { return host->woken[waiter]; });
  host->woken[waiter] = false;
}
void HostWake(void *context, uint32_t waiter) {
  TestHost *host = (TestHost *)context;
  std::lock_guard<std::mutex> lock(host->signals);
  host->woken[waiter] = true;
  host->signal[waiter].notify_one();
}
int HostStart(void *context, DecodeAhead *core, uint32_t worker) {
  TestHost *host = (TestHost *)context;
  if (host->threads.size() >= host->startable) return 0;
  host->threads.emplace_back(DecodeAheadWork, core, worker);
  return 1;
}
void HostJoin(void *context) {
  TestHost *host = (TestHost *)context;
  for (std::thread &thread : host->threads) thread.join();
  host->threads.clear();
}

// The caller's side: its own reader and the core over the same bytes.
struct Session {
  Bytes archive;
  ArchiveSource callerSource;
  ArchiveSource walkSource;
  ArchiveReader *reader = NULL;
  TestHost host;
  DecodeAhead *core = NULL;

  ArchiveResult Open(const Bytes &bytes, uint32_t workers, uint32_t windowBytes,
                     uint32_t maxChunks) {
    archive = bytes;
    callerSource = SourceOf(&archive);
    walkSource = SourceOf(&archive);
    ArchiveResult result = ArchiveReaderOpen(&reader, &callerSource, 0);
    if (result != ARCHIVE_OK) return result;
    DecodeAheadHost calls = {&host, HostLock, HostUnlock, HostWait, HostWake, HostStart, HostJoin};
    DecodeAheadSettings settings = {workers, windowBytes, maxChunks};
    return DecodeAheadCreate(&core, &walkSource, 0, &settings, &calls);
  }
  ~Session() {
    DecodeAheadDestroy(core);
    ArchiveReaderClose(reader);
  }
  ArchiveResult Extract(Bytes *out) {
    out->clear();
    return DecodeAheadExtract(core, reader, CollectSink, out);
  }
  // Moves the caller to entry `index` from wherever it is, telling the core
  // about each step when `announce` is set.
  bool MoveTo(size_t index, bool announce) {
    if (ArchiveReaderFirst(reader) != ARCHIVE_OK) return false;
    if (announce) DecodeAheadPassTo(core, reader);
    for (size_t i = 0; i < index; i++) {
      if (ArchiveReaderNext(reader) != ARCHIVE_OK) return false;
      if (announce) DecodeAheadPassTo(core, reader);
    }
    return true;
  }
};

std::vector<TestFile> MixedFiles() {
  std::vector<TestFile> files;
  files.push_back({"_$_INSTALLER_Data_0000001_$_\\Config\\Script.qvs", MakeData(300, 1), 1, 0x20});
  files.push_back({"1\\empty.txt", Bytes(), 2, 0x20});
  files.push_back({"1\\one.bin", MakeData(1, 2), 3, 0x80});
  files.push_back({"1\\big.dat", MakeData(1401856, 3), 4, 0x20});
  files.push_back({"2\\exact.dat", MakeData(kChunkSize, 4), 5, 0x20});
  for (uint32_t i = 0; i < 12; i++)
    files.push_back({"3\\small" + std::to_string(i), MakeData(100 + i * 977, 10 + i), 6, 0x20});
  files.push_back({"4\\last.dat", MakeData(kChunkSize + 5, 30), 7, 0x20});
  return files;
}

const Bytes &MixedArchive() {
  static const Bytes archive = BuildArchive(MixedFiles());
  return archive;
}

// Offset of entry `index`'s first chunk header, read off the bytes.
size_t FirstChunkOffset(const Bytes &archive, size_t index) {
  size_t at = kArchiveHeaderSize;
  for (size_t i = 0;; i++) {
    uint32_t nameLength = LoadU32(&archive[at]);
    size_t chunks = at + 4 + nameLength + kEntryFixedSize;
    if (i == index) return chunks;
    uint64_t size = LoadU64(&archive[at + 4 + nameLength + 16]);
    at = chunks;
    for (uint64_t done = 0; done < size;) {
      done += LoadU32(&archive[at + 4]);
      at += kChunkHeaderSize + LoadU32(&archive[at]);
    }
  }
}

TEST(DecodeAhead, EveryEntryComesOutAsTheReaderGivesIt) {
  std::vector<TestFile> files = MixedFiles();
  struct Shape {
    uint32_t workers, windowBytes, maxChunks;
  } shapes[] = {{1, kChunkSize, 1}, {2, kChunkSize, 2}, {2, 4 * kChunkSize, 64},
                {4, 3 * kChunkSize / 2, 5}};
  for (const Shape &shape : shapes) {
    SCOPED_TRACE(shape.workers);
    Session session;
    ASSERT_EQ(ARCHIVE_OK,
              session.Open(MixedArchive(), shape.workers, shape.windowBytes, shape.maxChunks));
    size_t index = 0;
    for (ArchiveResult walk = ArchiveReaderFirst(session.reader); walk == ARCHIVE_OK;
         walk = ArchiveReaderNext(session.reader), index++) {
      Bytes out;
      EXPECT_EQ(ARCHIVE_OK, session.Extract(&out)) << files[index].name;
      EXPECT_TRUE(out == files[index].data) << files[index].name;
    }
    EXPECT_EQ(files.size(), index);
  }
}

TEST(DecodeAhead, SkippedEntriesAndRetriesGiveTheRightBytes) {
  std::vector<TestFile> files = MixedFiles();
  for (bool announce : {true, false}) {
    Session session;
    ASSERT_EQ(ARCHIVE_OK, session.Open(MixedArchive(), 2, 2 * kChunkSize, 8));
    // Every third entry, the caller passing over the others.
    for (size_t index = 0; index < files.size(); index += 3) {
      ASSERT_TRUE(session.MoveTo(index, announce));
      Bytes out;
      EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
      EXPECT_TRUE(out == files[index].data) << files[index].name;
    }
    // The same entry twice, and an earlier one after a later one.
    const size_t order[] = {3, 3, 4, 0, 17, 3};
    for (size_t index : order) {
      ASSERT_TRUE(session.MoveTo(index, announce));
      Bytes out;
      EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
      EXPECT_TRUE(out == files[index].data) << files[index].name;
      EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
      EXPECT_TRUE(out == files[index].data) << files[index].name << " again";
    }
    // Past the last entry the workers stop; a walk from the start goes on.
    ASSERT_TRUE(session.MoveTo(files.size() - 1, announce));
    EXPECT_EQ(ARCHIVE_END, ArchiveReaderNext(session.reader));
    DecodeAheadPassTo(session.core, session.reader);
    ASSERT_TRUE(session.MoveTo(5, announce));
    Bytes out;
    EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
    EXPECT_TRUE(out == files[5].data);
  }
}

struct StopAfter {
  int chunksLeft;
  Bytes bytes;
};

ArchiveResult StopSink(void *context, const uint8_t *data, size_t size) {
  StopAfter *stop = (StopAfter *)context;
  stop->bytes.insert(stop->bytes.end(), data, data + size);
  return --stop->chunksLeft > 0 ? ARCHIVE_OK : ARCHIVE_STOPPED;
}

ArchiveResult RefuseSink(void *, const uint8_t *, size_t) { return ARCHIVE_WRITE_ERROR; }

TEST(DecodeAhead, AStoppedOrRefusedEntryCanBeExtractedAgain) {
  std::vector<TestFile> files = MixedFiles();
  Session session;
  ASSERT_EQ(ARCHIVE_OK, session.Open(MixedArchive(), 2, 2 * kChunkSize, 16));
  ASSERT_TRUE(session.MoveTo(3, true));  // big.dat: three chunks
  StopAfter stop = {2, Bytes()};
  EXPECT_EQ(ARCHIVE_STOPPED, DecodeAheadExtract(session.core, session.reader, StopSink, &stop));
  EXPECT_EQ(2 * kChunkSize, stop.bytes.size());
  EXPECT_EQ(ARCHIVE_WRITE_ERROR, DecodeAheadExtract(session.core, session.reader, RefuseSink, NULL));
  Bytes out;
  EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
  EXPECT_TRUE(out == files[3].data);
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderNext(session.reader));
  EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
  EXPECT_TRUE(out == files[4].data);
}

TEST(DecodeAhead, DamageShowsInItsOwnEntryOnly) {
  std::vector<TestFile> files = MixedFiles();
  // Entry 3's second chunk is corrupt, entry 6's CRC is wrong.
  Bytes bad = MixedArchive();
  size_t chunk = FirstChunkOffset(bad, 3);
  chunk += kChunkHeaderSize + LoadU32(&bad[chunk]);
  bad[chunk + kChunkHeaderSize + 20] ^= 0x55;
  size_t crcField = FirstChunkOffset(bad, 6) - 8;
  bad[crcField] ^= 0x01;
  Session session;
  ASSERT_EQ(ARCHIVE_OK, session.Open(bad, 2, 2 * kChunkSize, 8));
  size_t index = 0;
  for (ArchiveResult walk = ArchiveReaderFirst(session.reader); walk == ARCHIVE_OK;
       walk = ArchiveReaderNext(session.reader), index++) {
    Bytes out;
    ArchiveResult result = session.Extract(&out);
    if (index == 3) {
      EXPECT_TRUE(result == ARCHIVE_DATA_ERROR || result == ARCHIVE_CRC_ERROR) << result;
    } else if (index == 6) {
      EXPECT_EQ(ARCHIVE_CRC_ERROR, result);
    } else {
      EXPECT_EQ(ARCHIVE_OK, result) << files[index].name;
      EXPECT_TRUE(out == files[index].data) << files[index].name;
    }
  }
  EXPECT_EQ(files.size(), index);
}

// The workers' source: counts reads and fails those from `failFrom` on.
struct WatchedSource {
  const Bytes *bytes;
  uint64_t failFrom;
  std::atomic<int> reads{0};
};

int WatchedRead(void *context, uint64_t offset, void *buffer, size_t size) {
  WatchedSource *source = (WatchedSource *)context;
  source->reads++;
  if (offset + size > source->failFrom) return 0;
  return ReadBytes((void *)source->bytes, offset, buffer, size);
}

TEST(DecodeAhead, AFailingReadReachesTheCallerWithoutHanging) {
  std::vector<TestFile> files = MixedFiles();
  const Bytes &archive = MixedArchive();
  WatchedSource watched;
  watched.bytes = &archive;
  watched.failFrom = FirstChunkOffset(archive, 6) + 10;  // inside entry 6's data
  Session session;
  ASSERT_EQ(ARCHIVE_OK, session.Open(archive, 2, 2 * kChunkSize, 8));
  DecodeAheadDestroy(session.core);
  session.walkSource = {&watched, WatchedRead, archive.size()};
  DecodeAheadHost calls = {&session.host, HostLock,  HostUnlock, HostWait,
                           HostWake,      HostStart, HostJoin};
  DecodeAheadSettings settings = {2, 2 * kChunkSize, 8};
  ASSERT_EQ(ARCHIVE_OK,
            DecodeAheadCreate(&session.core, &session.walkSource, 0, &settings, &calls));
  size_t index = 0;
  for (ArchiveResult walk = ArchiveReaderFirst(session.reader); walk == ARCHIVE_OK;
       walk = ArchiveReaderNext(session.reader), index++) {
    Bytes out;
    ArchiveResult result = session.Extract(&out);
    if (index < 6) {
      EXPECT_EQ(ARCHIVE_OK, result) << files[index].name;
      EXPECT_TRUE(out == files[index].data) << files[index].name;
    } else {
      EXPECT_EQ(ARCHIVE_READ_ERROR, result) << files[index].name;
    }
  }
}

TEST(DecodeAhead, WorkersReadNothingUntilAskedAndStopPastTheEnd) {
  const Bytes &archive = MixedArchive();
  WatchedSource watched;
  watched.bytes = &archive;
  watched.failFrom = archive.size();
  Session session;
  ASSERT_EQ(ARCHIVE_OK, session.Open(archive, 2, 8 * kChunkSize, 64));
  DecodeAheadDestroy(session.core);
  session.walkSource = {&watched, WatchedRead, archive.size()};
  DecodeAheadHost calls = {&session.host, HostLock,  HostUnlock, HostWait,
                           HostWake,      HostStart, HostJoin};
  DecodeAheadSettings settings = {2, 8 * kChunkSize, 64};
  ASSERT_EQ(ARCHIVE_OK,
            DecodeAheadCreate(&session.core, &session.walkSource, 0, &settings, &calls));
  int opened = watched.reads.load();  // the workers' reader read the header
  // A walk that extracts nothing (the installer's first walk) costs the
  // workers nothing.
  ASSERT_TRUE(session.MoveTo(MixedFiles().size() - 1, true));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(opened, watched.reads.load());
  ASSERT_TRUE(session.MoveTo(15, true));
  Bytes out;
  EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
  EXPECT_GT(watched.reads.load(), opened);
  // Past the last entry nothing more is read.
  ArchiveResult walk = ARCHIVE_OK;
  while ((walk = ArchiveReaderNext(session.reader)) == ARCHIVE_OK)
    DecodeAheadPassTo(session.core, session.reader);
  EXPECT_EQ(ARCHIVE_END, walk);
  DecodeAheadPassTo(session.core, session.reader);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  int settled = watched.reads.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(settled, watched.reads.load());
}

TEST(DecodeAhead, StopsWhileBusyAndWhenThreadsCannotStart) {
  // Destroyed with the window full and workers mid-chunk.
  for (int round = 0; round < 20; round++) {
    Session session;
    ASSERT_EQ(ARCHIVE_OK, session.Open(MixedArchive(), 3, 2 * kChunkSize, 4));
    ASSERT_TRUE(session.MoveTo(3, false));
    StopAfter stop = {1, Bytes()};
    EXPECT_EQ(ARCHIVE_STOPPED, DecodeAheadExtract(session.core, session.reader, StopSink, &stop));
  }
  // No thread at all: the caller is told and extracts on its own.
  {
    Session session;
    session.host.startable = 0;
    EXPECT_EQ(ARCHIVE_MEM_ERROR, session.Open(MixedArchive(), 2, kChunkSize, 2));
    EXPECT_TRUE(session.core == NULL);
  }
  // Fewer threads than asked for still do the work.
  {
    Session session;
    session.host.startable = 1;
    ASSERT_EQ(ARCHIVE_OK, session.Open(MixedArchive(), 4, kChunkSize, 4));
    EXPECT_EQ(1u, session.host.threads.size());
    ASSERT_TRUE(session.MoveTo(3, true));
    Bytes out;
    EXPECT_EQ(ARCHIVE_OK, session.Extract(&out));
    EXPECT_TRUE(out == MixedFiles()[3].data);
  }
  // Settings the core cannot work with.
  TestHost host;
  DecodeAheadHost calls = {&host, HostLock, HostUnlock, HostWait, HostWake, HostStart, HostJoin};
  ArchiveSource source = SourceOf(&MixedArchive());
  DecodeAhead *core = NULL;
  DecodeAheadSettings tooSmall = {1, kChunkSize - 1, 4};
  EXPECT_EQ(ARCHIVE_PROG_ERROR, DecodeAheadCreate(&core, &source, 0, &tooSmall, &calls));
  DecodeAheadSettings noWorker = {0, kChunkSize, 4};
  EXPECT_EQ(ARCHIVE_PROG_ERROR, DecodeAheadCreate(&core, &source, 0, &noWorker, &calls));
  DecodeAheadSettings fewChunks = {3, kChunkSize, 2};
  EXPECT_EQ(ARCHIVE_PROG_ERROR, DecodeAheadCreate(&core, &source, 0, &fewChunks, &calls));
  EXPECT_TRUE(core == NULL);
  DecodeAheadDestroy(NULL);
}

TEST(ArchiveReaderChunks, SeekAndChunkWalkAgreeWithTheRecords) {
  const Bytes &archive = MixedArchive();
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *walk = NULL, *jump = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&walk, &source, 0));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&jump, &source, 0));
  Bytes in((size_t)LzmaChunkBound(kChunkSize));
  for (ArchiveResult result = ArchiveReaderFirst(walk); result == ARCHIVE_OK;
       result = ArchiveReaderNext(walk)) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(walk);
    uint64_t index = ArchiveReaderGetEntryIndex(walk);
    ASSERT_EQ(ARCHIVE_OK, ArchiveReaderSeek(jump, index, entry->recordOffset));
    EXPECT_STREQ(entry->name, ArchiveReaderGetEntry(jump)->name);
    ArchiveChunkCursor cursor;
    ASSERT_EQ(ARCHIVE_OK, ArchiveReaderChunksBegin(jump, &cursor));
    EXPECT_EQ(entry->uncompressedSize, cursor.remaining);
    uint32_t c = 0, u = 0;
    while (cursor.remaining > 0) {
      ASSERT_EQ(ARCHIVE_OK, ArchiveReaderChunkHeader(jump, &cursor, &c, &u));
      ASSERT_EQ(ARCHIVE_OK, ArchiveReaderChunkData(jump, &cursor, c, u, in.data()));
    }
    EXPECT_EQ(entry->compressedSize, cursor.compressed);
    EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderChunkHeader(jump, &cursor, &c, &u));
  }
  // Indexes and offsets that cannot be an entry's.
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderSeek(jump, 1000, kArchiveHeaderSize));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderSeek(jump, 0, 3));
  // A cursor of another entry is refused.
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderSeek(jump, 3, kArchiveHeaderSize));
  ArchiveChunkCursor stale;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderChunksBegin(jump, &stale));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderNext(jump));
  uint32_t c = 0, u = 0;
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderChunkHeader(jump, &stale, &c, &u));
  ArchiveReaderClose(walk);
  ArchiveReaderClose(jump);
}

}  // namespace
