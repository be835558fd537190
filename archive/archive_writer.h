// Writer of the QLZMA archive. Makes no OS call: bytes leave through an
// ArchiveDestination, which must also let the writer patch bytes it wrote
// earlier (the header totals and each record's sizes and CRC are known only
// after the data).
//
// Call order:
//   ArchiveWriterOpen -> { ArchiveWriterBeginEntry -> ArchiveWriterAddChunk ...
//   -> ArchiveWriterEndEntry } ... -> ArchiveWriterFinish -> ArchiveWriterFree.
// Chunks are compressed by the caller (ChunkEncoder, possibly on several
// threads) and handed over in order; the writer computes the CRC-32 from the
// uncompressed bytes and checks that the chunk sizes add up.
#ifndef QVS_ARCHIVE_ARCHIVE_WRITER_H
#define QVS_ARCHIVE_ARCHIVE_WRITER_H

#include <stddef.h>
#include <stdint.h>

#include "archive/archive_format.h"
#include "archive/archive_result.h"

// `write` appends; `writeAt` overwrites bytes already written at `offset`
// (relative to where the archive starts). Both return 1 on success.
struct ArchiveDestination {
  void *context;
  int (*write)(void *context, const void *data, size_t size);
  int (*writeAt)(void *context, uint64_t offset, const void *data, size_t size);
};

struct ArchiveEntrySpec {
  const char *name;  // entry name, "\" between folders, no terminator needed
  uint32_t modificationTime;
  uint32_t attributes;
  uint64_t uncompressedSize;  // must equal the sum of the chunks added
};

struct ArchiveWriter;

// Writes a placeholder header. *writer is freed with ArchiveWriterFree.
ArchiveResult ArchiveWriterOpen(ArchiveWriter **writer, const ArchiveDestination *destination,
                                uint32_t archiveTime);
ArchiveResult ArchiveWriterBeginEntry(ArchiveWriter *writer, const ArchiveEntrySpec *spec);
// `uncompressed` holds `u` bytes (1..kChunkSize, kChunkSize for every chunk but
// an entry's last), `compressed` their `c`-byte raw LZMA1 stream.
ArchiveResult ArchiveWriterAddChunk(ArchiveWriter *writer, const uint8_t *uncompressed,
                                    uint32_t u, const uint8_t *compressed, uint32_t c);
ArchiveResult ArchiveWriterEndEntry(ArchiveWriter *writer);
// Writes the final header. Returns ARCHIVE_PROG_ERROR when an entry is open.
ArchiveResult ArchiveWriterFinish(ArchiveWriter *writer);
void ArchiveWriterFree(ArchiveWriter *writer);

#endif
