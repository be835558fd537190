#include "archive/archive_writer.h"

#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include "archive/archive_records.h"
#include "archive/byte_order.h"

struct ArchiveWriter {
  ArchiveDestination destination;
  ArchiveHeader header;
  uint64_t written;       // bytes of archive written so far
  ArchiveResult failure;  // sticky: the first write error ends the archive
  int finished;
  // The open entry.
  int entryOpen;
  ArchiveEntry entry;
  uint64_t fixedOffset;  // where the record's fixed part lies, for the final patch
  uint64_t entryDone;    // uncompressed bytes added
  uLong crc;
};

static ArchiveResult Append(ArchiveWriter *writer, const void *data, size_t size) {
  if (size == 0) return ARCHIVE_OK;
  if (!writer->destination.write(writer->destination.context, data, size)) {
    writer->failure = ARCHIVE_WRITE_ERROR;
    return ARCHIVE_WRITE_ERROR;
  }
  writer->written += size;
  return ARCHIVE_OK;
}

static ArchiveResult Patch(ArchiveWriter *writer, uint64_t offset, const void *data, size_t size) {
  if (!writer->destination.writeAt(writer->destination.context, offset, data, size)) {
    writer->failure = ARCHIVE_WRITE_ERROR;
    return ARCHIVE_WRITE_ERROR;
  }
  return ARCHIVE_OK;
}

static ArchiveResult WriteHeader(ArchiveWriter *writer, int patch) {
  uint8_t bytes[kArchiveHeaderSize];
  EncodeArchiveHeader(&writer->header, bytes);
  return patch ? Patch(writer, 0, bytes, sizeof bytes) : Append(writer, bytes, sizeof bytes);
}

ArchiveResult ArchiveWriterOpen(ArchiveWriter **writer, const ArchiveDestination *destination,
                                uint32_t archiveTime) {
  if (writer == NULL) return ARCHIVE_PROG_ERROR;
  *writer = NULL;
  if (destination == NULL || destination->write == NULL || destination->writeAt == NULL)
    return ARCHIVE_PROG_ERROR;
  ArchiveWriter *opened = (ArchiveWriter *)calloc(1, sizeof *opened);
  if (opened == NULL) return ARCHIVE_MEM_ERROR;
  opened->destination = *destination;
  opened->failure = ARCHIVE_OK;
  opened->header.version = kArchiveVersion;
  opened->header.archiveTime = archiveTime;
  opened->header.lzmaProperties = kLzmaPropertiesByte;
  opened->header.dictionarySize = kLzmaDictionarySize;
  ArchiveResult result = WriteHeader(opened, 0);
  if (result != ARCHIVE_OK) {
    free(opened);
    return result;
  }
  *writer = opened;
  return ARCHIVE_OK;
}

// Refuses calls after a failure or Finish, so a half-written archive is
// never completed by accident.
static ArchiveResult WriterState(const ArchiveWriter *writer) {
  if (writer == NULL) return ARCHIVE_PROG_ERROR;
  if (writer->failure != ARCHIVE_OK) return writer->failure;
  if (writer->finished) return ARCHIVE_PROG_ERROR;
  return ARCHIVE_OK;
}

ArchiveResult ArchiveWriterBeginEntry(ArchiveWriter *writer, const ArchiveEntrySpec *spec) {
  ArchiveResult result = WriterState(writer);
  if (result != ARCHIVE_OK) return result;
  if (writer->entryOpen || spec == NULL || spec->name == NULL) return ARCHIVE_PROG_ERROR;
  size_t nameLength = strnlen(spec->name, kMaxEntryNameLength);
  if (nameLength == 0 || nameLength + 1 > kMaxEntryNameLength) return ARCHIVE_PROG_ERROR;
  memset(&writer->entry, 0, sizeof writer->entry);
  writer->entry.modificationTime = spec->modificationTime;
  writer->entry.attributes = spec->attributes;
  writer->entry.uncompressedSize = spec->uncompressedSize;
  uint8_t lengthBytes[4];
  StoreU32(lengthBytes, (uint32_t)nameLength + 1);
  uint8_t fixed[kEntryFixedSize];
  EncodeEntryFixed(&writer->entry, fixed);  // sizes and CRC patched by EndEntry
  result = Append(writer, lengthBytes, sizeof lengthBytes);
  if (result == ARCHIVE_OK) result = Append(writer, spec->name, nameLength + 1);
  writer->fixedOffset = writer->written;
  if (result == ARCHIVE_OK) result = Append(writer, fixed, sizeof fixed);
  if (result != ARCHIVE_OK) return result;
  writer->entryOpen = 1;
  writer->entryDone = 0;
  writer->crc = crc32(0L, Z_NULL, 0);
  return ARCHIVE_OK;
}

ArchiveResult ArchiveWriterAddChunk(ArchiveWriter *writer, const uint8_t *uncompressed, uint32_t u,
                                    const uint8_t *compressed, uint32_t c) {
  ArchiveResult result = WriterState(writer);
  if (result != ARCHIVE_OK) return result;
  if (!writer->entryOpen || uncompressed == NULL || compressed == NULL) return ARCHIVE_PROG_ERROR;
  uint64_t remaining = writer->entry.uncompressedSize - writer->entryDone;
  if (u == 0 || u > kChunkSize || u > remaining) return ARCHIVE_PROG_ERROR;
  // Only the last chunk of an entry may be short.
  if (u < kChunkSize && u != remaining) return ARCHIVE_PROG_ERROR;
  if (c == 0 || c > LzmaChunkBound(u)) return ARCHIVE_PROG_ERROR;
  uint8_t header[kChunkHeaderSize];
  StoreU32(header, c);
  StoreU32(header + 4, u);
  result = Append(writer, header, sizeof header);
  if (result == ARCHIVE_OK) result = Append(writer, compressed, c);
  if (result != ARCHIVE_OK) return result;
  writer->crc = crc32(writer->crc, uncompressed, u);
  writer->entryDone += u;
  writer->entry.compressedSize += c;
  return ARCHIVE_OK;
}

ArchiveResult ArchiveWriterEndEntry(ArchiveWriter *writer) {
  ArchiveResult result = WriterState(writer);
  if (result != ARCHIVE_OK) return result;
  if (!writer->entryOpen || writer->entryDone != writer->entry.uncompressedSize)
    return ARCHIVE_PROG_ERROR;
  writer->entry.crc32 = writer->entry.uncompressedSize == 0 ? 0 : (uint32_t)writer->crc;
  uint8_t fixed[kEntryFixedSize];
  EncodeEntryFixed(&writer->entry, fixed);
  result = Patch(writer, writer->fixedOffset, fixed, sizeof fixed);
  if (result != ARCHIVE_OK) return result;
  writer->entryOpen = 0;
  writer->header.entryCount += 1;
  writer->header.totalCompressed += writer->entry.compressedSize;
  writer->header.totalUncompressed += writer->entry.uncompressedSize;
  return ARCHIVE_OK;
}

ArchiveResult ArchiveWriterFinish(ArchiveWriter *writer) {
  ArchiveResult result = WriterState(writer);
  if (result != ARCHIVE_OK) return result;
  if (writer->entryOpen) return ARCHIVE_PROG_ERROR;
  result = WriteHeader(writer, 1);
  if (result != ARCHIVE_OK) return result;
  writer->finished = 1;
  return ARCHIVE_OK;
}

void ArchiveWriterFree(ArchiveWriter *writer) {
  free(writer);
}
