#include <lzma.h>
#include <stdlib.h>
#include <string.h>

#include "archive/chunk_codec.h"
#include "archive/chunk_options.h"

struct ChunkDecoder {
  lzma_stream stream;
};

ChunkDecoder *ChunkDecoderCreate(void) {
  ChunkDecoder *decoder = (ChunkDecoder *)calloc(1, sizeof *decoder);
  if (decoder == NULL) return NULL;
  lzma_stream blank = LZMA_STREAM_INIT;
  decoder->stream = blank;
  return decoder;
}

ArchiveResult ChunkDecoderDecode(ChunkDecoder *decoder, const uint8_t *in, uint32_t c, uint8_t *out,
                                 uint32_t u) {
  if (decoder == NULL || in == NULL || out == NULL || u == 0 || u > kChunkSize)
    return ARCHIVE_PROG_ERROR;
  lzma_options_lzma options;
  memset(&options, 0, sizeof options);
  ApplyArchiveLzmaOptions(&options);
  // The decoder stops at exactly u bytes and requires the range coder to
  // end there: a stream that would go on is corrupt, not truncated output.
  options.ext_size_low = u;
  lzma_filter filters[2];
  MakeChunkFilters(&options, filters);
  // Re-initialising the same stream reuses the 1 MiB dictionary that the
  // first chunk allocated.
  lzma_ret ret = lzma_raw_decoder(&decoder->stream, filters);
  if (ret == LZMA_MEM_ERROR) return ARCHIVE_MEM_ERROR;
  if (ret != LZMA_OK) return ARCHIVE_PROG_ERROR;
  decoder->stream.next_in = in;
  decoder->stream.avail_in = c;
  decoder->stream.next_out = out;
  decoder->stream.avail_out = u;
  // liblzma reports LZMA_BUF_ERROR once a call makes no progress, so this
  // ends on truncated input too.
  do {
    ret = lzma_code(&decoder->stream, LZMA_FINISH);
  } while (ret == LZMA_OK);
  if (ret == LZMA_MEM_ERROR) return ARCHIVE_MEM_ERROR;
  if (ret != LZMA_STREAM_END) return ARCHIVE_DATA_ERROR;
  // Bytes left over belong to no chunk: the header's c is wrong.
  if (decoder->stream.avail_out != 0 || decoder->stream.avail_in != 0) return ARCHIVE_DATA_ERROR;
  return ARCHIVE_OK;
}

void ChunkDecoderFree(ChunkDecoder *decoder) {
  if (decoder == NULL) return;
  lzma_end(&decoder->stream);
  free(decoder);
}
