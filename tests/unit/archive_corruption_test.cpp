// Malformed archives: every fault must come back as the right error result,
// quickly and without a crash.
#include <gtest/gtest.h>

#include "archive/byte_order.h"
#include "archive_test_support.h"

using namespace archive_test;

namespace {

// Offsets of the first entry in an archive whose first name is "1\\a.txt".
const size_t kFirstRecord = kArchiveHeaderSize;
const size_t kFirstName = kFirstRecord + 4;
const size_t kFirstFixed = kFirstName + 8;  // "1\\a.txt" and its zero
const size_t kFirstChunk = kFirstFixed + kEntryFixedSize;

std::vector<TestFile> SmallFiles() {
  std::vector<TestFile> files;
  files.push_back({"1\\a.txt", MakeData(3000, 1), 10, 0x20});
  files.push_back({"1\\empty", Bytes(), 11, 0x20});
  files.push_back({"2\\b.txt", MakeData(700, 2), 12, 0x20});
  return files;
}

ArchiveResult OpenResult(const Bytes &archive) {
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &source, 0);
  EXPECT_EQ(result == ARCHIVE_OK, reader != NULL);
  ArchiveReaderClose(reader);
  return result;
}

// Result of walking only (no extraction).
ArchiveResult WalkResult(const Bytes &archive) {
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &source, 0);
  if (result == ARCHIVE_OK) result = ArchiveReaderFirst(reader);
  while (result == ARCHIVE_OK) result = ArchiveReaderNext(reader);
  ArchiveReaderClose(reader);
  return result == ARCHIVE_END ? ARCHIVE_OK : result;
}

TEST(ArchiveCorruption, HeaderFaultsAreToldApart) {
  Bytes good = BuildArchive(SmallFiles());
  Bytes bad = good;
  bad[0] = 'X';
  EXPECT_EQ(ARCHIVE_FORMAT_ERROR, OpenResult(bad));
  EXPECT_EQ(ARCHIVE_FORMAT_ERROR, OpenResult(Bytes(good.begin(), good.begin() + 3)));
  EXPECT_EQ(ARCHIVE_FORMAT_ERROR, OpenResult(Bytes()));
  EXPECT_EQ(ARCHIVE_DATA_ERROR, OpenResult(Bytes(good.begin(), good.begin() + 20)));
  bad = good;
  StoreU32(&bad[5], 2);
  EXPECT_EQ(ARCHIVE_UNSUPPORTED, OpenResult(bad));
  bad = good;
  bad[37] = 0x5E;
  EXPECT_EQ(ARCHIVE_UNSUPPORTED, OpenResult(bad));
  bad = good;
  StoreU32(&bad[38], 1 << 24);
  EXPECT_EQ(ARCHIVE_UNSUPPORTED, OpenResult(bad));
  // Counts and totals that the file cannot hold are refused at once.
  bad = good;
  StoreU64(&bad[13], UINT64_MAX);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, OpenResult(bad));
  bad = good;
  StoreU64(&bad[13], good.size() / 41);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, WalkResult(bad));
  bad = good;
  StoreU64(&bad[21], UINT64_MAX / 2);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, OpenResult(bad));
  bad = good;
  StoreU64(&bad[29], 1ull << 40);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, OpenResult(bad));
  EXPECT_STREQ("not a QLZMA archive", ArchiveResultText(ARCHIVE_FORMAT_ERROR));
}

TEST(ArchiveCorruption, BogusLengthsInRecordsAndChunks) {
  Bytes good = BuildArchive(SmallFiles());
  ASSERT_EQ(8u, LoadU32(&good[kFirstRecord]));
  ASSERT_EQ(ARCHIVE_OK, WalkResult(good));
  struct Case {
    const char *what;
    size_t offset;
    uint32_t value;
  } cases[] = {
      {"huge name length", kFirstRecord, 0xFFFFFFFFu},
      {"name length over the maximum", kFirstRecord, kMaxEntryNameLength + 1},
      {"zero name length", kFirstRecord, 0},
      {"name length past the terminator", kFirstRecord, 9},
      {"u above the chunk size", kFirstChunk + 4, kChunkSize + 1},
      {"u of zero", kFirstChunk + 4, 0},
      {"u above the entry size", kFirstChunk + 4, 3001},
      {"c above the bound", kFirstChunk, (uint32_t)LzmaChunkBound(3000) + 1},
      {"c past the end", kFirstChunk, 0x7FFFFFFF},
      {"c of zero", kFirstChunk, 0},
      {"compressed size above the file", kFirstFixed + 12, 1},
      {"uncompressed size above what chunks can carry", kFirstFixed + 20, 1},
  };
  for (const Case &test : cases) {
    Bytes bad = good;
    StoreU32(&bad[test.offset], test.value);
    EXPECT_EQ(ARCHIVE_DATA_ERROR, WalkResult(bad)) << test.what;
    EXPECT_EQ(ARCHIVE_DATA_ERROR, ReadEverything(bad, NULL)) << test.what;
  }
  // A zero inside the name.
  Bytes bad = good;
  bad[kFirstName + 2] = 0;
  EXPECT_EQ(ARCHIVE_DATA_ERROR, WalkResult(bad));
  // The record's compressed size must be the sum of its chunks.
  bad = good;
  StoreU64(&bad[kFirstFixed + 8], LoadU64(&good[kFirstFixed + 8]) - 1);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, WalkResult(bad));
  // An empty entry that claims compressed bytes.
  std::vector<TestFile> onlyEmpty(1, TestFile{"e", Bytes(), 0, 0});
  bad = BuildArchive(onlyEmpty);
  bad.resize(bad.size() + 8);
  StoreU64(&bad[kArchiveHeaderSize + 4 + 2 + 8], 8);
  EXPECT_EQ(ARCHIVE_DATA_ERROR, WalkResult(bad));
}

TEST(ArchiveCorruption, EveryTruncationIsAnError) {
  std::vector<TestFile> files = SmallFiles();
  files.push_back({"3\\two-chunks", MakeData(kChunkSize + 10, 3), 0, 0});
  Bytes good = BuildArchive(files);
  for (size_t cut = 0; cut < good.size(); cut += (cut < 2000 ? 1 : 997)) {
    Bytes cutShort(good.begin(), good.begin() + cut);
    ArchiveResult result = ReadEverything(cutShort, NULL);
    EXPECT_TRUE(result == ARCHIVE_DATA_ERROR || result == ARCHIVE_FORMAT_ERROR) << cut;
  }
}

TEST(ArchiveCorruption, CorruptBytesGiveDataOrCrcErrors) {
  Bytes good = BuildArchive(SmallFiles());
  // A wrong stored CRC with intact data: exactly a CRC error.
  Bytes bad = good;
  bad[kFirstFixed + 24] ^= 1;
  EXPECT_EQ(ARCHIVE_CRC_ERROR, ReadEverything(bad, NULL));
  EXPECT_EQ(ARCHIVE_OK, WalkResult(bad));
  // Every single flipped byte of the archive: an error of the right kind or,
  // where the byte is metadata (times, attributes), success. Never a crash.
  int dataErrors = 0, crcErrors = 0;
  for (size_t at = 0; at < good.size(); at++) {
    bad = good;
    bad[at] ^= 0x55;
    ArchiveResult result = ReadEverything(bad, NULL);
    if (result == ARCHIVE_DATA_ERROR) dataErrors++;
    if (result == ARCHIVE_CRC_ERROR) crcErrors++;
    EXPECT_TRUE(result == ARCHIVE_OK || result == ARCHIVE_DATA_ERROR ||
                result == ARCHIVE_CRC_ERROR || result == ARCHIVE_FORMAT_ERROR ||
                result == ARCHIVE_UNSUPPORTED)
        << at << " " << ArchiveResultText(result);
  }
  EXPECT_GT(dataErrors, 0);
  EXPECT_GT(crcErrors, 0);
}

TEST(ArchiveCorruption, ReaderMisuseAndFailingSource) {
  Bytes good = BuildArchive(SmallFiles());
  ArchiveSource source = SourceOf(&good);
  ArchiveReader *reader = NULL;
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderOpen(NULL, &source, 0));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderOpen(&reader, NULL, 0));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 0));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderNext(reader));  // before First
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveReaderExtract(reader, CollectSink, NULL));
  ArchiveReaderClose(reader);
  ArchiveReaderClose(NULL);
  // A source that refuses to deliver gives a read error, not a data error.
  ArchiveSource refusing = source;
  refusing.read = [](void *, uint64_t, void *, size_t) { return 0; };
  EXPECT_EQ(ARCHIVE_READ_ERROR, ArchiveReaderOpen(&reader, &refusing, 0));
}

int FailingWrite(void *, const void *, size_t) {
  return 0;
}

TEST(ArchiveWriter, RefusesInconsistentEntries) {
  Bytes out;
  ArchiveDestination destination = {&out, AppendBytes, PatchBytes};
  ArchiveWriter *writer = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveWriterOpen(&writer, &destination, 0));
  Bytes data = MakeData(kChunkSize + 5, 1);
  uint8_t fake[16] = {0};
  ArchiveEntrySpec spec = {"x", 0, 0, data.size()};
  EXPECT_EQ(ARCHIVE_PROG_ERROR,
            ArchiveWriterAddChunk(writer, data.data(), 5, fake, 16));  // no entry
  ASSERT_EQ(ARCHIVE_OK, ArchiveWriterBeginEntry(writer, &spec));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveWriterBeginEntry(writer, &spec));  // nested
  EXPECT_EQ(ARCHIVE_PROG_ERROR,
            ArchiveWriterAddChunk(writer, data.data(), 5, fake, 16));  // short, not last
  EXPECT_EQ(ARCHIVE_PROG_ERROR,
            ArchiveWriterAddChunk(writer, data.data(), kChunkSize + 1, fake, 16));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveWriterEndEntry(writer));  // sizes do not add up
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveWriterFinish(writer));    // entry open
  ArchiveWriterFree(writer);

  ArchiveEntrySpec unnamed = {"", 0, 0, 0};
  ASSERT_EQ(ARCHIVE_OK, ArchiveWriterOpen(&writer, &destination, 0));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveWriterBeginEntry(writer, &unnamed));
  std::string longName(kMaxEntryNameLength, 'n');
  ArchiveEntrySpec tooLong = {longName.c_str(), 0, 0, 0};
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ArchiveWriterBeginEntry(writer, &tooLong));
  ArchiveWriterFree(writer);

  // A failed write is final.
  ArchiveDestination failing = {&out, FailingWrite, PatchBytes};
  EXPECT_EQ(ARCHIVE_WRITE_ERROR, ArchiveWriterOpen(&writer, &failing, 0));
  EXPECT_EQ(NULL, writer);
}

}  // namespace
