#include "tests/wine/test_fixtures.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "archive/archive_writer.h"
#include "archive/byte_order.h"
#include "archive/chunk_codec.h"
#include "format/installer_layout.h"

Bytes MakeContent(size_t size, uint32_t seed) {
  Bytes data(size);
  uint32_t state = seed * 2654435761u + 7;
  for (size_t i = 0; i < size; i++) {
    state = state * 1103515245u + 12345u;
    data[i] = (i % 50 == 49) ? '\n' : (uint8_t)('a' + (state >> 16) % 20);
  }
  return data;
}

static int AppendBytes(void *context, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  out->insert(out->end(), (const uint8_t *)data, (const uint8_t *)data + size);
  return 1;
}

static int PatchBytes(void *context, uint64_t offset, const void *data, size_t size) {
  Bytes *out = (Bytes *)context;
  if (offset + size > out->size()) return 0;
  memcpy(out->data() + offset, data, size);
  return 1;
}

Bytes MakeArchive(const std::vector<FixtureEntry> &entries) {
  Bytes out;
  ArchiveDestination destination = {&out, AppendBytes, PatchBytes};
  ArchiveWriter *writer = NULL;
  ChunkEncoder *encoder = ChunkEncoderCreate(6, false);
  Bytes compressed((size_t)LzmaChunkBound(kChunkSize));
  bool ok = encoder != NULL && ArchiveWriterOpen(&writer, &destination, 1700000000) == ARCHIVE_OK;
  for (size_t i = 0; ok && i < entries.size(); i++) {
    const FixtureEntry &entry = entries[i];
    ArchiveEntrySpec spec = {entry.name.c_str(), entry.time, entry.attributes, entry.data.size()};
    ok = ArchiveWriterBeginEntry(writer, &spec) == ARCHIVE_OK;
    for (size_t at = 0; ok && at < entry.data.size(); at += kChunkSize) {
      size_t left = entry.data.size() - at;
      uint32_t u = (uint32_t)(left < kChunkSize ? left : kChunkSize);
      uint32_t c = 0;
      ok = ChunkEncoderCompress(encoder, &entry.data[at], u, compressed.data(), compressed.size(),
                                &c) == ARCHIVE_OK &&
           ArchiveWriterAddChunk(writer, &entry.data[at], u, compressed.data(), c) == ARCHIVE_OK;
    }
    ok = ok && ArchiveWriterEndEntry(writer) == ARCHIVE_OK;
  }
  ok = ok && ArchiveWriterFinish(writer) == ARCHIVE_OK;
  ArchiveWriterFree(writer);
  ChunkEncoderFree(encoder);
  return ok ? out : Bytes();
}

Bytes MakeInstaller(const Bytes &module, const Bytes &archive, size_t stubSize,
                    int64_t moduleSizeSkew) {
  Bytes out(stubSize, 0x90);
  if (stubSize >= 2) out[0] = 'M', out[1] = 'Z';
  uint8_t start[kStartMarkerLength], end[kEndMarkerLength], fields[kConfigHeaderSize];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  StoreU32(fields, 0);
  StoreU64(fields + 4, (uint64_t)((int64_t)module.size() + moduleSizeSkew));
  out.insert(out.end(), start, start + kStartMarkerLength);
  out.insert(out.end(), fields, fields + kConfigHeaderSize);
  out.insert(out.end(), module.begin(), module.end());
  out.insert(out.end(), end, end + kEndMarkerLength);
  out.insert(out.end(), archive.begin(), archive.end());
  return out;
}

bool ReadWholeFile(const std::string &path, Bytes *bytes) {
  bytes->clear();
  FILE *file = fopen(path.c_str(), "rb");
  if (file == NULL) return false;
  uint8_t buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes->insert(bytes->end(), buffer, buffer + got);
  bool ok = !ferror(file);
  fclose(file);
  return ok;
}

bool WriteWholeFile(const std::string &path, const Bytes &bytes) {
  FILE *file = fopen(path.c_str(), "wb");
  if (file == NULL) return false;
  bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && ok;
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListFolder(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

size_t EntryCrcOffset(const Bytes &installer, size_t index) {
  uint8_t end[kEndMarkerLength];
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  size_t head = installer.size() < kMarkerSearchSize ? installer.size() : kMarkerSearchSize;
  int64_t found = FindMarker(installer.data(), head, end, kEndMarkerLength);
  if (found < 0) return 0;
  size_t at = (size_t)found + kEndMarkerLength + kArchiveHeaderSize;
  for (size_t i = 0; at + 4 <= installer.size(); i++) {
    uint32_t nameLength = LoadU32(&installer[at]);
    size_t fixed = at + 4 + nameLength;
    if (fixed + kEntryFixedSize > installer.size()) return 0;
    if (i == index) return fixed + 24;
    uint64_t size = LoadU64(&installer[fixed + 16]);
    at = fixed + kEntryFixedSize;
    for (uint64_t done = 0; done < size;) {
      if (at + kChunkHeaderSize > installer.size()) return 0;
      uint32_t c = LoadU32(&installer[at]);
      uint32_t u = LoadU32(&installer[at + 4]);
      if (u == 0) return 0;
      at += kChunkHeaderSize + c;
      done += u;
    }
  }
  return 0;
}
