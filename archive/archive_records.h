// Byte images of the archive header and the fixed part of an entry record,
// and the checks on a chunk header, shared by the reader and the writer so
// both sides agree on every offset.
#ifndef QVS_ARCHIVE_ARCHIVE_RECORDS_H
#define QVS_ARCHIVE_ARCHIVE_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#include "archive/archive_reader.h"

void EncodeArchiveHeader(const ArchiveHeader *header, uint8_t out[kArchiveHeaderSize]);

// Parses `size` bytes from the archive's start. ARCHIVE_FORMAT_ERROR when the
// magic is missing, ARCHIVE_DATA_ERROR when the magic is there but the header
// is cut short, ARCHIVE_UNSUPPORTED for another version or other LZMA
// properties than the builder writes.
ArchiveResult DecodeArchiveHeader(const uint8_t *bytes, size_t size, ArchiveHeader *header);

// The kEntryFixedSize (32) bytes that follow an entry's name.
void EncodeEntryFixed(const ArchiveEntry *entry, uint8_t out[kEntryFixedSize]);
void DecodeEntryFixed(const uint8_t in[kEntryFixedSize], ArchiveEntry *entry);

// Checks a chunk header: `u` in 1..kChunkSize and not above `entryRemaining`
// (bytes of the entry still to come), `c` in 1..LzmaChunkBound(u) and not
// above `sourceRemaining` (bytes after the chunk header).
ArchiveResult CheckChunkHeader(uint32_t c, uint32_t u, uint64_t entryRemaining,
                               uint64_t sourceRemaining);

// Fewest source bytes that chunk headers of an entry of `size` bytes take;
// an entry claiming more data than its source could carry is corrupt.
static inline uint64_t MinimumChunkBytes(uint64_t size) {
  return (size / kChunkSize + (size % kChunkSize != 0)) * kChunkHeaderSize;
}

#endif
