// Writes the fuzzer's seed archives into the folder given as argument: valid
// archives of the shapes the reader must handle (no entry, empty entries,
// several small entries, a two-chunk entry, trailing bytes), each small.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "archive/chunk_codec.h"

namespace {

typedef std::vector<uint8_t> Bytes;

struct Seed {
  std::string name;
  Bytes data;
};

int AppendBytes(void *context, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  out->insert(out->end(), (const uint8_t *)data, (const uint8_t *)data + size);
  return 1;
}

int PatchBytes(void *context, uint64_t offset, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  if (offset + size > out->size()) return 0;
  memcpy(out->data() + offset, data, size);
  return 1;
}

Bytes Text(size_t size, uint32_t seed) {
  Bytes data(size);
  for (size_t i = 0; i < size; i++)
    data[i] = (uint8_t)("quorvantis archive \n"[(i * seed + i / 7) % 20]);
  return data;
}

bool Build(const std::vector<Seed> &entries, Bytes *out) {
  ArchiveDestination destination = {out, AppendBytes, PatchBytes};
  ArchiveWriter *writer = NULL;
  ChunkEncoder *encoder = ChunkEncoderCreate(6, false);
  Bytes compressed((size_t)LzmaChunkBound(kChunkSize));
  bool ok = encoder != NULL && ArchiveWriterOpen(&writer, &destination, 1700000000) == ARCHIVE_OK;
  for (size_t i = 0; ok && i < entries.size(); i++) {
    const Bytes &data = entries[i].data;
    ArchiveEntrySpec spec = {entries[i].name.c_str(), 1600000000, 0x20, data.size()};
    ok = ArchiveWriterBeginEntry(writer, &spec) == ARCHIVE_OK;
    for (size_t at = 0; ok && at < data.size(); at += kChunkSize) {
      uint32_t u = (uint32_t)(data.size() - at < kChunkSize ? data.size() - at : kChunkSize);
      uint32_t c = 0;
      ok = ChunkEncoderCompress(encoder, &data[at], u, compressed.data(), compressed.size(), &c) ==
               ARCHIVE_OK &&
           ArchiveWriterAddChunk(writer, &data[at], u, compressed.data(), c) == ARCHIVE_OK;
    }
    ok = ok && ArchiveWriterEndEntry(writer) == ARCHIVE_OK;
  }
  ok = ok && ArchiveWriterFinish(writer) == ARCHIVE_OK;
  ArchiveWriterFree(writer);
  ChunkEncoderFree(encoder);
  return ok;
}

bool Save(const std::string &path, const Bytes &bytes) {
  FILE *file = fopen(path.c_str(), "wb");
  if (file == NULL) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_fuzz_corpus <folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  std::vector<std::vector<Seed>> shapes(5);
  shapes[1].push_back({"1\\empty.txt", Bytes()});
  shapes[2].push_back({"_$_INSTALLER_Data_0000001_$_\\Config\\Script.qvs", Text(300, 3)});
  shapes[2].push_back({"1\\a", Text(1, 1)});
  shapes[2].push_back({"1\\sub\\b.txt", Text(2000, 5)});
  shapes[2].push_back({"2\\zero", Bytes()});
  shapes[3].push_back({"3\\two-chunks.bin", Text(kChunkSize + 100, 1)});
  shapes[4].push_back({"4\\signed.txt", Text(50, 2)});
  const char *names[] = {"good-no-entries", "good-empty-entry", "good-small-entries",
                         "good-two-chunks", "good-trailing-bytes"};
  for (size_t i = 0; i < shapes.size(); i++) {
    Bytes archive;
    if (!Build(shapes[i], &archive)) return 1;
    if (i == 4) archive.insert(archive.end(), 64, 0xA5);  // stands for a signature
    if (!Save(folder + "/" + names[i], archive)) return 1;
  }
  return 0;
}
