// In-memory sources and destinations and a small archive builder for the
// archive tests.
#ifndef QVS_TESTS_UNIT_ARCHIVE_TEST_SUPPORT_H
#define QVS_TESTS_UNIT_ARCHIVE_TEST_SUPPORT_H

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "archive/chunk_codec.h"

namespace archive_test {

typedef std::vector<uint8_t> Bytes;

struct TestFile {
  std::string name;
  Bytes data;
  uint32_t time;
  uint32_t attributes;
};

// Text-like data with some repetition: compresses, but not to nothing.
inline Bytes MakeData(size_t size, uint32_t seed) {
  Bytes data(size);
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; i++) {
    state = state * 1103515245u + 12345u;
    uint8_t letter = (uint8_t)('a' + (state >> 16) % 26);
    data[i] = (i % 61 == 60) ? '\n' : ((state >> 24) % 4 == 0 ? ' ' : letter);
  }
  return data;
}

inline int AppendBytes(void *context, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  out->insert(out->end(), (const uint8_t *)data, (const uint8_t *)data + size);
  return 1;
}

inline int PatchBytes(void *context, uint64_t offset, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  if (offset + size > out->size()) return 0;
  memcpy(out->data() + offset, data, size);
  return 1;
}

inline int ReadBytes(void *context, uint64_t offset, void *buffer, size_t size) {
  const Bytes *in = (const Bytes *)context;
  if (offset > in->size() || size > in->size() - offset) return 0;
  memcpy(buffer, in->data() + offset, size);
  return 1;
}

inline ArchiveSource SourceOf(const Bytes *bytes) {
  ArchiveSource source = {(void *)bytes, ReadBytes, bytes->size()};
  return source;
}

inline ArchiveResult CollectSink(void *context, const uint8_t *data, size_t size) {
  Bytes *out = (Bytes *)context;
  out->insert(out->end(), data, data + size);
  return ARCHIVE_OK;
}

// Compresses `files` into an archive held in memory; empty on failure.
inline Bytes BuildArchive(const std::vector<TestFile> &files, uint32_t archiveTime = 1700000000) {
  Bytes out;
  ArchiveDestination destination = {&out, AppendBytes, PatchBytes};
  ArchiveWriter *writer = NULL;
  ChunkEncoder *encoder = ChunkEncoderCreate(6, false);
  Bytes compressed((size_t)LzmaChunkBound(kChunkSize));
  bool ok = encoder != NULL && ArchiveWriterOpen(&writer, &destination, archiveTime) == ARCHIVE_OK;
  for (size_t i = 0; ok && i < files.size(); i++) {
    const TestFile &file = files[i];
    ArchiveEntrySpec spec = {file.name.c_str(), file.time, file.attributes, file.data.size()};
    ok = ArchiveWriterBeginEntry(writer, &spec) == ARCHIVE_OK;
    for (size_t at = 0; ok && at < file.data.size(); at += kChunkSize) {
      uint32_t u = (uint32_t)std::min<size_t>(kChunkSize, file.data.size() - at);
      uint32_t c = 0;
      ok = ChunkEncoderCompress(encoder, file.data.data() + at, u, compressed.data(),
                                compressed.size(), &c) == ARCHIVE_OK &&
           ArchiveWriterAddChunk(writer, file.data.data() + at, u, compressed.data(), c) ==
               ARCHIVE_OK;
    }
    ok = ok && ArchiveWriterEndEntry(writer) == ARCHIVE_OK;
  }
  ok = ok && ArchiveWriterFinish(writer) == ARCHIVE_OK;
  ArchiveWriterFree(writer);
  ChunkEncoderFree(encoder);
  return ok ? out : Bytes();
}

// Walks and extracts everything; returns the first failure (ARCHIVE_OK when
// the walk reached the end cleanly). `extracted` receives each entry's bytes.
inline ArchiveResult ReadEverything(const Bytes &archive, std::vector<TestFile> *extracted,
                                    uint64_t *endOffset = NULL) {
  ArchiveSource source = SourceOf(&archive);
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &source, 0);
  if (result == ARCHIVE_OK) result = ArchiveReaderFirst(reader);
  while (result == ARCHIVE_OK) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
    TestFile file = {entry->name, Bytes(), entry->modificationTime, entry->attributes};
    result = ArchiveReaderExtract(reader, CollectSink, &file.data);
    if (extracted != NULL) extracted->push_back(file);
    if (result == ARCHIVE_OK) result = ArchiveReaderNext(reader);
  }
  if (result == ARCHIVE_END) {
    result = ARCHIVE_OK;
    if (endOffset != NULL) *endOffset = ArchiveReaderEndOffset(reader);
  }
  ArchiveReaderClose(reader);
  return result;
}

}  // namespace archive_test

#endif
