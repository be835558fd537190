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

// Offset just past the last entry, valid once Next has returned ARCHIVE_END
// after walking every entry; bytes from there to the source's end are not
// part of the archive.
uint64_t ArchiveReaderEndOffset(const ArchiveReader *reader);

// Frees the reader; safe with null.
void ArchiveReaderClose(ArchiveReader *reader);

#endif
