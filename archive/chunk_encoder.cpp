#include <lzma.h>
#include <stdlib.h>
#include <string.h>

#include "archive/chunk_codec.h"
#include "archive/chunk_options.h"

struct ChunkEncoder {
  lzma_stream stream;
  lzma_options_lzma options;
};

static bool MakeEncoderOptions(uint32_t level, bool extreme, lzma_options_lzma *options) {
  if (level > 9) return false;
  memset(options, 0, sizeof *options);
  if (lzma_lzma_preset(options, level | (extreme ? LZMA_PRESET_EXTREME : 0))) return false;
  ApplyArchiveLzmaOptions(options);
  return true;
}

ChunkEncoder *ChunkEncoderCreate(uint32_t level, bool extreme) {
  ChunkEncoder *encoder = (ChunkEncoder *)calloc(1, sizeof *encoder);
  if (encoder == NULL) return NULL;
  lzma_stream blank = LZMA_STREAM_INIT;
  encoder->stream = blank;
  if (!MakeEncoderOptions(level, extreme, &encoder->options)) {
    free(encoder);
    return NULL;
  }
  return encoder;
}

uint64_t ChunkEncoderMemoryUsage(uint32_t level, bool extreme) {
  lzma_options_lzma options;
  if (!MakeEncoderOptions(level, extreme, &options)) return 0;
  lzma_filter filters[2];
  MakeChunkFilters(&options, filters);
  uint64_t usage = lzma_raw_encoder_memusage(filters);
  return usage == UINT64_MAX ? 0 : usage;
}

ArchiveResult ChunkEncoderCompress(ChunkEncoder *encoder, const uint8_t *in, uint32_t u,
                                   uint8_t *out, size_t outCapacity, uint32_t *c) {
  if (encoder == NULL || in == NULL || out == NULL || c == NULL || u == 0 || u > kChunkSize)
    return ARCHIVE_PROG_ERROR;
  *c = 0;
  lzma_filter filters[2];
  MakeChunkFilters(&encoder->options, filters);
  // Initialising the same stream again keeps liblzma's match finder and
  // window buffers; only the hash heads are cleared.
  lzma_ret ret = lzma_raw_encoder(&encoder->stream, filters);
  if (ret == LZMA_MEM_ERROR) return ARCHIVE_MEM_ERROR;
  if (ret != LZMA_OK) return ARCHIVE_PROG_ERROR;
  encoder->stream.next_in = in;
  encoder->stream.avail_in = u;
  encoder->stream.next_out = out;
  encoder->stream.avail_out = outCapacity;
  do {
    ret = lzma_code(&encoder->stream, LZMA_FINISH);
  } while (ret == LZMA_OK && encoder->stream.avail_out > 0);
  if (ret == LZMA_MEM_ERROR) return ARCHIVE_MEM_ERROR;
  if (ret != LZMA_STREAM_END) return ARCHIVE_PROG_ERROR;  // `out` too small or liblzma misuse
  size_t produced = outCapacity - encoder->stream.avail_out;
  if (produced > LzmaChunkBound(u)) return ARCHIVE_PROG_ERROR;
  *c = (uint32_t)produced;
  return ARCHIVE_OK;
}

void ChunkEncoderFree(ChunkEncoder *encoder) {
  if (encoder == NULL) return;
  lzma_end(&encoder->stream);
  free(encoder);
}
