// Size check: decodes every entry of an installer and compresses each
// 512 KiB chunk again on its own, with a fresh liblzma encoder (LZMA1,
// preset 6, the archive's lc/lp/pb and dictionary, no end marker). Prints
// that sum beside the archive's own compressed total.
//
// usage: chunk_bench FILE
#include <lzma.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "archive/archive_format.h"
#include "archive/archive_reader.h"
#include "builder/archive_file.h"

struct ChunkSum {
  std::vector<uint8_t> chunk;
  std::vector<uint8_t> out;
  uint64_t compressed;
  uint64_t chunks;
  bool failed;
};

static void CompressAlone(ChunkSum *sum) {
  if (sum->chunk.empty()) return;
  lzma_options_lzma options;
  lzma_lzma_preset(&options, 6);
  options.dict_size = kLzmaDictionarySize;
  options.lc = 3;
  options.lp = 0;
  options.pb = 2;
  options.ext_flags = 0;
  options.ext_size_low = 0;  // the encoder takes no size: it writes no end marker
  options.ext_size_high = 0;
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, NULL}};
  size_t produced = 0;
  if (lzma_raw_buffer_encode(filters, NULL, sum->chunk.data(), sum->chunk.size(), sum->out.data(),
                             &produced, sum->out.size()) != LZMA_OK)
    sum->failed = true;
  sum->compressed += produced;
  sum->chunks++;
  sum->chunk.clear();
}

static ArchiveResult Collect(void *context, const uint8_t *data, size_t size) {
  ChunkSum *sum = (ChunkSum *)context;
  while (size > 0) {
    size_t take = kChunkSize - sum->chunk.size();
    if (take > size) take = size;
    sum->chunk.insert(sum->chunk.end(), data, data + take);
    data += take;
    size -= take;
    if (sum->chunk.size() == kChunkSize) CompressAlone(sum);
  }
  return ARCHIVE_OK;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: chunk_bench FILE\n");
    return 2;
  }
  ArchiveFile file;
  std::string error;
  if (!ArchiveFileOpen(&file, argv[1], &error)) {
    fprintf(stderr, "chunk_bench: %s\n", error.c_str());
    return 1;
  }
  ChunkSum sum;
  sum.out.resize((size_t)LzmaChunkBound(kChunkSize));
  sum.compressed = sum.chunks = 0;
  sum.failed = false;
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &file.source, file.location.archiveOffset);
  uint64_t archiveTotal = 0;
  if (result == ARCHIVE_OK) {
    archiveTotal = ArchiveReaderGetHeader(reader)->totalCompressed;
    for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
         result = ArchiveReaderNext(reader)) {
      result = ArchiveReaderExtract(reader, Collect, &sum);
      if (result != ARCHIVE_OK) break;
      CompressAlone(&sum);  // an entry's last, shorter chunk
    }
  }
  ArchiveReaderClose(reader);
  ArchiveFileClose(&file);
  if (result != ARCHIVE_END || sum.failed) {
    fprintf(stderr, "chunk_bench: %s\n", sum.failed ? "compression failed" : ArchiveResultText(result));
    return 1;
  }
  printf("%llu chunks, alone %llu bytes, archive %llu bytes, ratio %.5f\n",
         (unsigned long long)sum.chunks, (unsigned long long)sum.compressed,
         (unsigned long long)archiveTotal, (double)archiveTotal / (double)sum.compressed);
  return 0;
}
