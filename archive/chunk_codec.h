// Raw LZMA1 coding of one chunk with the archive's properties (lc 3, lp 0,
// pb 2, 1 MiB dictionary), without end marker. Encoder and decoder keep
// their liblzma state between chunks, so a long run of chunks pays for
// allocation and dictionary set-up once.
//
// One coder per thread; a coder is not shared.
#ifndef QVS_ARCHIVE_CHUNK_CODEC_H
#define QVS_ARCHIVE_CHUNK_CODEC_H

#include <stddef.h>
#include <stdint.h>

#include "archive/archive_result.h"

struct ChunkEncoder;
struct ChunkDecoder;

// `level` is an LZMA preset 0..9 (6 by default, `extreme` adds the extreme
// flag); dictionary and lc/lp/pb are always the archive's. Null on failure.
ChunkEncoder *ChunkEncoderCreate(uint32_t level, bool extreme);
// Compresses `u` bytes (1..kChunkSize) into `out`, which holds `outCapacity`
// bytes (LzmaChunkBound(u) is always enough); *c receives the size.
ArchiveResult ChunkEncoderCompress(ChunkEncoder *encoder, const uint8_t *in, uint32_t u,
                                   uint8_t *out, size_t outCapacity, uint32_t *c);
void ChunkEncoderFree(ChunkEncoder *encoder);
// Bytes of memory one encoder of that level needs (liblzma's estimate, chunk
// buffers not included), or 0 when the level is invalid.
uint64_t ChunkEncoderMemoryUsage(uint32_t level, bool extreme);

// Null on failure. The 1 MiB dictionary is allocated by the first decode and
// reused by every later one.
ChunkDecoder *ChunkDecoderCreate(void);
// Decodes the `c` bytes of one chunk into exactly `u` bytes at `out`.
// ARCHIVE_DATA_ERROR when the stream is corrupt, ends early or has bytes left.
ArchiveResult ChunkDecoderDecode(ChunkDecoder *decoder, const uint8_t *in, uint32_t c,
                                 uint8_t *out, uint32_t u);
void ChunkDecoderFree(ChunkDecoder *decoder);

#endif
