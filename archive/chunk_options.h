// The LZMA1EXT filter chain both chunk coders use: the archive's lc/lp/pb and
// dictionary, no end-of-payload marker.
#ifndef QVS_ARCHIVE_CHUNK_OPTIONS_H
#define QVS_ARCHIVE_CHUNK_OPTIONS_H

#include <lzma.h>

#include "archive/archive_format.h"

// Overrides what the archive fixes, keeping the preset's search settings.
static inline void ApplyArchiveLzmaOptions(lzma_options_lzma *options) {
  options->dict_size = kLzmaDictionarySize;
  options->lc = 3;
  options->lp = 0;
  options->pb = 2;
  options->ext_flags = 0;  // no end marker: written by nobody, accepted from nobody
  options->ext_size_low = 0;
  options->ext_size_high = 0;
}

static inline void MakeChunkFilters(lzma_options_lzma *options, lzma_filter filters[2]) {
  filters[0].id = LZMA_FILTER_LZMA1EXT;
  filters[0].options = options;
  filters[1].id = LZMA_VLI_UNKNOWN;
  filters[1].options = NULL;
}

#endif
