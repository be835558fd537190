// Round trips through the archive writer and reader, and the layout they
// agree on.
#include <gtest/gtest.h>

#include "archive/byte_order.h"
#include "archive_test_support.h"

using namespace archive_test;

namespace {

std::vector<TestFile> SampleFiles() {
  std::vector<TestFile> files;
  files.push_back({"_$_INSTALLER_Data_0000001_$_\\Config\\Empty.txt", Bytes(), 1600000000, 0x20});
  files.push_back({"1\\one.bin", MakeData(1, 1), 1600000001, 0x80});
  files.push_back({"1\\Program\\chunk.txt", MakeData(6484, 2), 1600000002, 0x2020});
  files.push_back({"2\\big.dat", MakeData(1401856, 3), 1600000003, 0x21});
  files.push_back({"2\\exact.dat", MakeData(kChunkSize, 4), 1600000004, 0x20});
  return files;
}

// Chunk sizes (u) of every entry, read straight off the bytes.
std::vector<std::vector<uint32_t>> ChunkSizes(const Bytes &archive) {
  std::vector<std::vector<uint32_t>> sizes;
  uint64_t count = LoadU64(archive.data() + 13);
  size_t at = kArchiveHeaderSize;
  for (uint64_t i = 0; i < count; i++) {
    uint32_t nameLength = LoadU32(archive.data() + at);
    at += 4 + nameLength;
    uint64_t size = LoadU64(archive.data() + at + 16);
    at += kEntryFixedSize;
    std::vector<uint32_t> chunks;
    for (uint64_t done = 0; done < size;) {
      uint32_t c = LoadU32(archive.data() + at);
      uint32_t u = LoadU32(archive.data() + at + 4);
      chunks.push_back(u);
      done += u;
      at += kChunkHeaderSize + c;
    }
    sizes.push_back(chunks);
  }
  return sizes;
}

TEST(ArchiveRoundTrip, EveryEntryComesBackWithItsMetadata) {
  std::vector<TestFile> files = SampleFiles();
  Bytes archive = BuildArchive(files);
  ASSERT_FALSE(archive.empty());
  std::vector<TestFile> extracted;
  uint64_t endOffset = 0;
  ASSERT_EQ(ARCHIVE_OK, ReadEverything(archive, &extracted, &endOffset));
  EXPECT_EQ(archive.size(), endOffset);
  ASSERT_EQ(files.size(), extracted.size());
  for (size_t i = 0; i < files.size(); i++) {
    EXPECT_EQ(files[i].name, extracted[i].name);
    EXPECT_EQ(files[i].time, extracted[i].time);
    EXPECT_EQ(files[i].attributes, extracted[i].attributes);
    EXPECT_TRUE(files[i].data == extracted[i].data) << files[i].name;
  }
}

TEST(ArchiveRoundTrip, EntriesAreCutIntoHalfMebibyteChunks) {
  std::vector<std::vector<uint32_t>> chunks = ChunkSizes(BuildArchive(SampleFiles()));
  ASSERT_EQ(5u, chunks.size());
  EXPECT_TRUE(chunks[0].empty());  // an empty entry has no chunk
  EXPECT_EQ(std::vector<uint32_t>({1}), chunks[1]);
  EXPECT_EQ(std::vector<uint32_t>({6484}), chunks[2]);
  EXPECT_EQ(std::vector<uint32_t>({524288, 524288, 353280}), chunks[3]);
  EXPECT_EQ(std::vector<uint32_t>({524288}), chunks[4]);
}

TEST(ArchiveRoundTrip, HeaderTotalsAreTheSumsOfTheRecords) {
  std::vector<TestFile> files = SampleFiles();
  Bytes archive = BuildArchive(files, 1234567);
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 0));
  const ArchiveHeader *header = ArchiveReaderGetHeader(reader);
  EXPECT_EQ(1u, header->version);
  EXPECT_EQ(1234567u, header->archiveTime);
  EXPECT_EQ(0x5Du, header->lzmaProperties);
  EXPECT_EQ(1048576u, header->dictionarySize);
  EXPECT_EQ(files.size(), header->entryCount);
  uint64_t compressed = 0, uncompressed = 0, count = 0;
  // Walking without extracting skips chunks by their headers.
  for (ArchiveResult r = ArchiveReaderFirst(reader); r == ARCHIVE_OK;
       r = ArchiveReaderNext(reader)) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
    compressed += entry->compressedSize;
    uncompressed += entry->uncompressedSize;
    if (entry->uncompressedSize == 0) {
      EXPECT_EQ(0u, entry->compressedSize);
      EXPECT_EQ(0u, entry->crc32);
    }
    EXPECT_EQ(0u, entry->encrypted);
    count++;
  }
  EXPECT_EQ(files.size(), count);
  EXPECT_EQ(header->totalCompressed, compressed);
  EXPECT_EQ(header->totalUncompressed, uncompressed);
  EXPECT_EQ(archive.size(), ArchiveReaderEndOffset(reader));
  EXPECT_EQ(ARCHIVE_END, ArchiveReaderNext(reader));
  EXPECT_EQ(NULL, ArchiveReaderGetEntry(reader));
  ArchiveReaderClose(reader);
}

TEST(ArchiveRoundTrip, ManyEntriesAndRepeatedExtraction) {
  std::vector<TestFile> files;
  for (uint32_t i = 0; i < 300; i++)
    files.push_back({"3\\f" + std::to_string(i), MakeData(i * 37 % 5000, i), i, 0x20});
  Bytes archive = BuildArchive(files);
  std::vector<TestFile> extracted;
  ASSERT_EQ(ARCHIVE_OK, ReadEverything(archive, &extracted));
  ASSERT_EQ(files.size(), extracted.size());
  for (size_t i = 0; i < files.size(); i++) EXPECT_TRUE(files[i].data == extracted[i].data);

  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 0));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderFirst(reader));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderNext(reader));
  Bytes first, second;
  EXPECT_EQ(ARCHIVE_OK, ArchiveReaderExtract(reader, CollectSink, &first));
  EXPECT_EQ(ARCHIVE_OK, ArchiveReaderExtract(reader, CollectSink, &second));
  EXPECT_TRUE(first == files[1].data && second == files[1].data);
  ArchiveReaderClose(reader);
}

TEST(ArchiveRoundTrip, ArchiveWithoutEntries) {
  Bytes archive = BuildArchive(std::vector<TestFile>());
  ASSERT_EQ(kArchiveHeaderSize, archive.size());
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 0));
  EXPECT_EQ(ARCHIVE_END, ArchiveReaderFirst(reader));
  EXPECT_EQ(kArchiveHeaderSize, ArchiveReaderEndOffset(reader));
  ArchiveReaderClose(reader);
}

TEST(ArchiveRoundTrip, TrailingBytesAndAnOffsetArchiveAreRead) {
  std::vector<TestFile> files = SampleFiles();
  Bytes archive = BuildArchive(files);
  // A stub in front and a signature behind, as in an installer.
  Bytes installer(777, 'M');
  installer.insert(installer.end(), archive.begin(), archive.end());
  Bytes signature = MakeData(5000, 99);
  installer.insert(installer.end(), signature.begin(), signature.end());
  ArchiveSource source = SourceOf(&installer);
  ArchiveReader *reader = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 777));
  size_t count = 0;
  ArchiveResult r = ArchiveReaderFirst(reader);
  for (; r == ARCHIVE_OK; r = ArchiveReaderNext(reader)) {
    Bytes data;
    ASSERT_EQ(ARCHIVE_OK, ArchiveReaderExtract(reader, CollectSink, &data));
    EXPECT_TRUE(data == files[count].data);
    count++;
  }
  EXPECT_EQ(ARCHIVE_END, r);
  EXPECT_EQ(files.size(), count);
  EXPECT_EQ(777 + archive.size(), ArchiveReaderEndOffset(reader));
  ArchiveReaderClose(reader);
}

TEST(ArchiveRoundTrip, SinkCanStopAndRefuse) {
  std::vector<TestFile> files = SampleFiles();
  Bytes archive = BuildArchive(files);
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderOpen(&reader, &source, 0));
  ASSERT_EQ(ARCHIVE_OK, ArchiveReaderFirst(reader));
  for (int i = 0; i < 3; i++) ASSERT_EQ(ARCHIVE_OK, ArchiveReaderNext(reader));  // big.dat
  int calls = 0;
  ArchiveSink stopAfterOne = [](void *context, const uint8_t *, size_t) {
    return ++*(int *)context == 1 ? ARCHIVE_OK : ARCHIVE_STOPPED;
  };
  EXPECT_EQ(ARCHIVE_STOPPED, ArchiveReaderExtract(reader, stopAfterOne, &calls));
  EXPECT_EQ(2, calls);
  ArchiveSink refuse = [](void *, const uint8_t *, size_t) { return ARCHIVE_DATA_ERROR; };
  EXPECT_EQ(ARCHIVE_WRITE_ERROR, ArchiveReaderExtract(reader, refuse, NULL));
  // A stopped extraction leaves the walk usable.
  EXPECT_EQ(ARCHIVE_OK, ArchiveReaderNext(reader));
  EXPECT_STREQ("2\\exact.dat", ArchiveReaderGetEntry(reader)->name);
  ArchiveReaderClose(reader);
}

}  // namespace
