// Streaming reader of the QLZMA archive. Makes no OS call: bytes come through
// an ArchiveSource, decoded data leaves through an ArchiveSink.
//
// Call order:
//   ArchiveReaderOpen -> ArchiveReaderFirst -> { ArchiveReaderEntry,
//   [ArchiveReaderExtract], ArchiveReaderNext } ... -> ArchiveReaderClose.
// Next skips the current entry's chunks by their headers when it was not
// extracted, so walking reads only records and chunk headers.
//
// Every length read from the source is bounded before use: names by
// kMaxEntryNameLength, chunks by kChunkSize and LzmaChunkBound, counts and
// sizes by the bytes the source holds. Malformed input gives an error result,
// never a crash, a hang or a large allocation. Memory stays bounded by one
// chunk in and one decoder (about 2.6 MiB) whatever an entry's size.
#ifndef QVS_ARCHIVE_ARCHIVE_READER_H
#define QVS_ARCHIVE_ARCHIVE_READER_H

#include <stddef.h>
#include <stdint.h>

#include "archive/archive_format.h"
#include "archive/archive_result.h"

// Random-access input. `read` fills `buffer` with exactly `size` bytes from
// `offset` and returns 1, or returns 0. `size` is the total length in bytes.
struct ArchiveSource {
  void *context;
  int (*read)(void *context, uint64_t offset, void *buffer, size_t size);
  uint64_t size;
};

// Receives decoded bytes in order. Returns ARCHIVE_OK to go on, ARCHIVE_STOPPED
// to stop (Extract then returns ARCHIVE_STOPPED), or ARCHIVE_WRITE_ERROR.
typedef ArchiveResult (*ArchiveSink)(void *context, const uint8_t *data, size_t size);

struct ArchiveHeader {
  uint32_t version;
  uint32_t archiveTime;
  uint64_t entryCount;
  uint64_t totalCompressed;
  uint64_t totalUncompressed;
  uint8_t lzmaProperties;
  uint32_t dictionarySize;
};

struct ArchiveEntry {
  const char *name;  // zero-terminated; valid until the reader moves on
  uint32_t nameLength;  // without the zero
  uint32_t modificationTime;
  uint32_t attributes;
  uint64_t compressedSize;
  uint64_t uncompressedSize;
  uint32_t crc32;
  uint32_t encrypted;
  uint64_t recordOffset;  // offset of the record within the source
};

struct ArchiveReader;

// Reads and checks the header found at `archiveOffset` of `source`. On
// success *reader is a new reader that the caller frees with
// ArchiveReaderClose; on failure *reader is null. The source must outlive
// the reader.
ArchiveResult ArchiveReaderOpen(ArchiveReader **reader, const ArchiveSource *source,
                                uint64_t archiveOffset);

const ArchiveHeader *ArchiveReaderGetHeader(const ArchiveReader *reader);

// Moves to the first entry / the next one. ARCHIVE_END when there is none.
ArchiveResult ArchiveReaderFirst(ArchiveReader *reader);
ArchiveResult ArchiveReaderNext(ArchiveReader *reader);

// The current entry, or null when there is none.
const ArchiveEntry *ArchiveReaderGetEntry(const ArchiveReader *reader);

// Decodes the current entry into `sink`, chunk by chunk, and checks its
// CRC-32 (ARCHIVE_CRC_ERROR on mismatch, reported after the last byte was
// handed to the sink). May be called again for the same entry.
ArchiveResult ArchiveReaderExtract(ArchiveReader *reader, ArchiveSink sink, void *context);

// Index of the current entry (0 for the first), valid while there is one.
uint64_t ArchiveReaderGetEntryIndex(const ArchiveReader *reader);

// Moves to entry `index` whose record starts at `recordOffset`, both as a
// walk of the same archive reported them (ArchiveReaderGetEntryIndex and
// ArchiveEntry.recordOffset): a second reader of the archive joins the first
// one's position without walking there. The record is read and checked like
// any other.
ArchiveResult ArchiveReaderSeek(ArchiveReader *reader, uint64_t index, uint64_t recordOffset);

// Chunk by chunk access to the current entry, for callers that decode the
// chunks themselves (on other threads, say): Begin, then per chunk Header and
// Data, until `remaining` is 0. Extract is the same walk with decoding.
struct ArchiveChunkCursor {
  uint64_t entryIndex;  // the entry the cursor walks
  uint64_t offset;  // the next chunk header
  uint64_t remaining;  // uncompressed bytes still to come
  uint64_t compressed;  // data bytes of the chunks passed so far
};

// Puts `cursor` on the current entry's first chunk (remaining 0 for an
// empty entry).
ArchiveResult ArchiveReaderChunksBegin(const ArchiveReader *reader, ArchiveChunkCursor *cursor);
// Reads and checks the header of the chunk at the cursor (which must have
// bytes remaining): its data size *c (at most LzmaChunkBound(kChunkSize))
// and uncompressed size *u.
ArchiveResult ArchiveReaderChunkHeader(const ArchiveReader *reader,
                                       const ArchiveChunkCursor *cursor, uint32_t *c,
                                       uint32_t *u);
// Reads the `c` data bytes of that chunk into `in` and moves the cursor past
// it. After the entry's last chunk it checks that the data sizes add up to
// the record's compressed size (ARCHIVE_DATA_ERROR otherwise), and Next then
// goes on without reading the chunk headers again.
ArchiveResult ArchiveReaderChunkData(ArchiveReader *reader, ArchiveChunkCursor *cursor, uint32_t c,
                                     uint32_t u, uint8_t *in);

// Offset just past the last entry, valid once Next has returned ARCHIVE_END
// after walking every entry; bytes from there to the source's end are not
// part of the archive.
uint64_t ArchiveReaderEndOffset(const ArchiveReader *reader);

// Frees the reader; safe with null.
void ArchiveReaderClose(ArchiveReader *reader);

#endif
