#include "archive/archive_reader.h"

#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include "archive/archive_records.h"
#include "archive/byte_order.h"
#include "archive/chunk_codec.h"

// Smallest record: name length, a one-byte name (its zero), fixed part.
static const uint64_t kMinimumRecordSize = 4 + 1 + kEntryFixedSize;

struct ArchiveReader {
  ArchiveSource source;
  uint64_t archiveOffset;
  ArchiveHeader header;
  ArchiveEntry entry;
  char *name;  // kMaxEntryNameLength + kEntryFixedSize bytes: name, then fixed part
  int hasEntry;
  uint64_t entryIndex;
  uint64_t dataOffset;  // first chunk header of the current entry
  uint64_t nextOffset;  // record after the current entry, once its chunks were walked
  int nextKnown;
  int ended;
  uint64_t endOffset;
  // Extraction state, allocated by the first extraction.
  uint8_t *chunkIn;   // LzmaChunkBound(kChunkSize) bytes
  uint8_t *chunkOut;  // kChunkSize bytes
  ChunkDecoder *decoder;
};

static const size_t kChunkInCapacity = (size_t)LzmaChunkBound(kChunkSize);

// Source bytes from `offset` to the end; 0 past the end.
static uint64_t BytesFrom(const ArchiveReader *reader, uint64_t offset) {
  return offset < reader->source.size ? reader->source.size - offset : 0;
}

// Every read goes through here: a range beyond the source is a truncated
// (corrupt) archive, a refusing source a read error.
static ArchiveResult ReadRange(const ArchiveReader *reader, uint64_t offset, void *buffer,
                               size_t size) {
  if (size > BytesFrom(reader, offset)) return ARCHIVE_DATA_ERROR;
  if (size == 0) return ARCHIVE_OK;
  if (!reader->source.read(reader->source.context, offset, buffer, size)) return ARCHIVE_READ_ERROR;
  return ARCHIVE_OK;
}

// A huge count or total must fail now, not after a long walk.
static ArchiveResult CheckHeaderAgainstSource(const ArchiveReader *reader) {
  uint64_t available = BytesFrom(reader, reader->archiveOffset + kArchiveHeaderSize);
  const ArchiveHeader *header = &reader->header;
  if (header->entryCount > available / kMinimumRecordSize) return ARCHIVE_DATA_ERROR;
  if (header->totalCompressed > available) return ARCHIVE_DATA_ERROR;
  if (MinimumChunkBytes(header->totalUncompressed) > available) return ARCHIVE_DATA_ERROR;
  return ARCHIVE_OK;
}

ArchiveResult ArchiveReaderOpen(ArchiveReader **reader, const ArchiveSource *source,
                                uint64_t archiveOffset) {
  if (reader == NULL) return ARCHIVE_PROG_ERROR;
  *reader = NULL;
  if (source == NULL || source->read == NULL) return ARCHIVE_PROG_ERROR;
  ArchiveReader *opened = (ArchiveReader *)calloc(1, sizeof *opened);
  if (opened == NULL) return ARCHIVE_MEM_ERROR;
  opened->source = *source;
  opened->archiveOffset = archiveOffset;
  ArchiveResult result = ARCHIVE_OK;
  uint8_t bytes[kArchiveHeaderSize];
  size_t available = (size_t)(BytesFrom(opened, archiveOffset) < kArchiveHeaderSize
                                  ? BytesFrom(opened, archiveOffset)
                                  : kArchiveHeaderSize);
  result = ReadRange(opened, archiveOffset, bytes, available);
  if (result == ARCHIVE_OK) result = DecodeArchiveHeader(bytes, available, &opened->header);
  if (result == ARCHIVE_OK) result = CheckHeaderAgainstSource(opened);
  if (result == ARCHIVE_OK) {
    opened->name = (char *)malloc(kMaxEntryNameLength + kEntryFixedSize);
    if (opened->name == NULL) result = ARCHIVE_MEM_ERROR;
  }
  if (result != ARCHIVE_OK) {
    ArchiveReaderClose(opened);
    return result;
  }
  *reader = opened;
  return ARCHIVE_OK;
}

const ArchiveHeader *ArchiveReaderGetHeader(const ArchiveReader *reader) {
  return reader != NULL ? &reader->header : NULL;
}

const ArchiveEntry *ArchiveReaderGetEntry(const ArchiveReader *reader) {
  return reader != NULL && reader->hasEntry ? &reader->entry : NULL;
}

// Bounds the record's sizes against what the source still holds.
static ArchiveResult CheckEntrySizes(const ArchiveReader *reader) {
  const ArchiveEntry *entry = &reader->entry;
  uint64_t available = BytesFrom(reader, reader->dataOffset);
  if (entry->uncompressedSize == 0)
    return entry->compressedSize == 0 ? ARCHIVE_OK : ARCHIVE_DATA_ERROR;
  if (entry->compressedSize == 0 || entry->compressedSize > available) return ARCHIVE_DATA_ERROR;
  if (MinimumChunkBytes(entry->uncompressedSize) > available - entry->compressedSize)
    return ARCHIVE_DATA_ERROR;
  return ARCHIVE_OK;
}

// Reads the record at `offset` into the current entry.
static ArchiveResult ReadRecord(ArchiveReader *reader, uint64_t offset) {
  reader->hasEntry = 0;
  reader->nextKnown = 0;
  uint8_t lengthBytes[4];
  ArchiveResult result = ReadRange(reader, offset, lengthBytes, sizeof lengthBytes);
  if (result != ARCHIVE_OK) return result;
  uint32_t nameLength = LoadU32(lengthBytes);
  if (nameLength == 0 || nameLength > kMaxEntryNameLength) return ARCHIVE_DATA_ERROR;
  result = ReadRange(reader, offset + 4, reader->name, (size_t)nameLength + kEntryFixedSize);
  if (result != ARCHIVE_OK) return result;
  // The name's only zero is its terminator.
  if (memchr(reader->name, 0, nameLength) != reader->name + nameLength - 1)
    return ARCHIVE_DATA_ERROR;
  ArchiveEntry *entry = &reader->entry;
  DecodeEntryFixed((const uint8_t *)reader->name + nameLength, entry);
  entry->name = reader->name;
  entry->nameLength = nameLength - 1;
  entry->recordOffset = offset;
  reader->dataOffset = offset + 4 + nameLength + kEntryFixedSize;
  result = CheckEntrySizes(reader);
  if (result != ARCHIVE_OK) return result;
  reader->hasEntry = 1;
  return ARCHIVE_OK;
}

// Moves to entry `index` at `offset`, or to the end after the last entry.
static ArchiveResult EnterEntry(ArchiveReader *reader, uint64_t index, uint64_t offset) {
  reader->hasEntry = 0;
  reader->entryIndex = index;
  if (index >= reader->header.entryCount) {
    reader->ended = 1;
    reader->endOffset = offset;
    return ARCHIVE_END;
  }
  return ReadRecord(reader, offset);
}

ArchiveResult ArchiveReaderFirst(ArchiveReader *reader) {
  if (reader == NULL) return ARCHIVE_PROG_ERROR;
  reader->ended = 0;
  return EnterEntry(reader, 0, reader->archiveOffset + kArchiveHeaderSize);
}

// Reads and checks the chunk header at `offset` of an entry that still has
// `entryRemaining` bytes to come.
static ArchiveResult ReadChunkHeader(const ArchiveReader *reader, uint64_t offset,
                                     uint64_t entryRemaining, uint32_t *c, uint32_t *u) {
  uint8_t bytes[kChunkHeaderSize];
  ArchiveResult result = ReadRange(reader, offset, bytes, sizeof bytes);
  if (result != ARCHIVE_OK) return result;
  *c = LoadU32(bytes);
  *u = LoadU32(bytes + 4);
  return CheckChunkHeader(*c, *u, entryRemaining, BytesFrom(reader, offset + kChunkHeaderSize));
}

// Walks the current entry's chunk headers to find where the next record
// starts; the compressed sizes must add up to the record's.
static ArchiveResult SkipChunks(ArchiveReader *reader) {
  uint64_t offset = reader->dataOffset;
  uint64_t remaining = reader->entry.uncompressedSize;
  uint64_t compressed = 0;
  while (remaining > 0) {
    uint32_t c = 0, u = 0;
    ArchiveResult result = ReadChunkHeader(reader, offset, remaining, &c, &u);
    if (result != ARCHIVE_OK) return result;
    offset += kChunkHeaderSize + c;
    compressed += c;
    remaining -= u;
  }
  if (compressed != reader->entry.compressedSize) return ARCHIVE_DATA_ERROR;
  reader->nextOffset = offset;
  reader->nextKnown = 1;
  return ARCHIVE_OK;
}

ArchiveResult ArchiveReaderNext(ArchiveReader *reader) {
  if (reader == NULL) return ARCHIVE_PROG_ERROR;
  if (reader->ended) return ARCHIVE_END;
  if (!reader->hasEntry) return ARCHIVE_PROG_ERROR;
  if (!reader->nextKnown) {
    ArchiveResult result = SkipChunks(reader);
    if (result != ARCHIVE_OK) return result;
  }
  return EnterEntry(reader, reader->entryIndex + 1, reader->nextOffset);
}

uint64_t ArchiveReaderGetEntryIndex(const ArchiveReader *reader) {
  return reader != NULL ? reader->entryIndex : 0;
}

ArchiveResult ArchiveReaderSeek(ArchiveReader *reader, uint64_t index, uint64_t recordOffset) {
  if (reader == NULL) return ARCHIVE_PROG_ERROR;
  if (index >= reader->header.entryCount ||
      recordOffset < reader->archiveOffset + kArchiveHeaderSize)
    return ARCHIVE_PROG_ERROR;
  reader->ended = 0;
  return EnterEntry(reader, index, recordOffset);
}

ArchiveResult ArchiveReaderChunksBegin(const ArchiveReader *reader, ArchiveChunkCursor *cursor) {
  if (reader == NULL || cursor == NULL || !reader->hasEntry) return ARCHIVE_PROG_ERROR;
  cursor->entryIndex = reader->entryIndex;
  cursor->offset = reader->dataOffset;
  cursor->remaining = reader->entry.uncompressedSize;
  cursor->compressed = 0;
  return ARCHIVE_OK;
}

// The cursor must walk the reader's current entry and have a chunk to come.
static int CursorFits(const ArchiveReader *reader, const ArchiveChunkCursor *cursor) {
  return reader != NULL && cursor != NULL && reader->hasEntry &&
         cursor->entryIndex == reader->entryIndex && cursor->remaining > 0;
}

ArchiveResult ArchiveReaderChunkHeader(const ArchiveReader *reader,
                                       const ArchiveChunkCursor *cursor, uint32_t *c,
                                       uint32_t *u) {
  if (!CursorFits(reader, cursor) || c == NULL || u == NULL) return ARCHIVE_PROG_ERROR;
  return ReadChunkHeader(reader, cursor->offset, cursor->remaining, c, u);
}

ArchiveResult ArchiveReaderChunkData(ArchiveReader *reader, ArchiveChunkCursor *cursor, uint32_t c,
                                     uint32_t u, uint8_t *in) {
  if (!CursorFits(reader, cursor) || in == NULL) return ARCHIVE_PROG_ERROR;
  // The header was checked by ChunkHeader; a caller's own numbers are not
  // trusted past these bounds either.
  if (u == 0 || u > cursor->remaining || c == 0 || c > LzmaChunkBound(kChunkSize))
    return ARCHIVE_PROG_ERROR;
  ArchiveResult result = ReadRange(reader, cursor->offset + kChunkHeaderSize, in, c);
  if (result != ARCHIVE_OK) return result;
  cursor->offset += kChunkHeaderSize + c;
  cursor->compressed += c;
  cursor->remaining -= u;
  if (cursor->remaining > 0) return ARCHIVE_OK;
  if (cursor->compressed != reader->entry.compressedSize) return ARCHIVE_DATA_ERROR;
  reader->nextOffset = cursor->offset;
  reader->nextKnown = 1;
  return ARCHIVE_OK;
}

static ArchiveResult PrepareExtraction(ArchiveReader *reader) {
  if (reader->chunkIn == NULL) reader->chunkIn = (uint8_t *)malloc(kChunkInCapacity);
  if (reader->chunkOut == NULL) reader->chunkOut = (uint8_t *)malloc(kChunkSize);
  if (reader->decoder == NULL) reader->decoder = ChunkDecoderCreate();
  if (reader->chunkIn == NULL || reader->chunkOut == NULL || reader->decoder == NULL)
    return ARCHIVE_MEM_ERROR;
  return ARCHIVE_OK;
}

// The sink's answer: anything but going on or stopping is a write error.
static ArchiveResult SinkAnswer(ArchiveResult answer) {
  if (answer == ARCHIVE_OK || answer == ARCHIVE_STOPPED) return answer;
  return ARCHIVE_WRITE_ERROR;
}

ArchiveResult ArchiveReaderExtract(ArchiveReader *reader, ArchiveSink sink, void *context) {
  if (reader == NULL || sink == NULL || !reader->hasEntry) return ARCHIVE_PROG_ERROR;
  const ArchiveEntry *entry = &reader->entry;
  if (entry->uncompressedSize == 0) {
    reader->nextOffset = reader->dataOffset;
    reader->nextKnown = 1;
    return entry->crc32 == 0 ? ARCHIVE_OK : ARCHIVE_CRC_ERROR;
  }
  ArchiveResult result = PrepareExtraction(reader);
  if (result != ARCHIVE_OK) return result;
  ArchiveChunkCursor cursor = {0, 0, 0, 0};
  ArchiveReaderChunksBegin(reader, &cursor);
  uLong crc = crc32(0L, Z_NULL, 0);
  while (cursor.remaining > 0) {
    uint32_t c = 0, u = 0;
    result = ArchiveReaderChunkHeader(reader, &cursor, &c, &u);
    if (result == ARCHIVE_OK) result = ArchiveReaderChunkData(reader, &cursor, c, u, reader->chunkIn);
    if (result == ARCHIVE_OK)
      result = ChunkDecoderDecode(reader->decoder, reader->chunkIn, c, reader->chunkOut, u);
    if (result == ARCHIVE_OK) {
      crc = crc32(crc, reader->chunkOut, u);
      result = SinkAnswer(sink(context, reader->chunkOut, u));
    }
    if (result != ARCHIVE_OK) return result;
  }
  return (uint32_t)crc == entry->crc32 ? ARCHIVE_OK : ARCHIVE_CRC_ERROR;
}

uint64_t ArchiveReaderEndOffset(const ArchiveReader *reader) {
  return reader != NULL && reader->ended ? reader->endOffset : 0;
}

void ArchiveReaderClose(ArchiveReader *reader) {
  if (reader == NULL) return;
  ChunkDecoderFree(reader->decoder);
  free(reader->chunkIn);
  free(reader->chunkOut);
  free(reader->name);
  free(reader);
}
