// Extraction benchmark: walks an installer (or a bare archive) and decodes
// every entry into a sink that drops the bytes, the way the module does
// without the disk. Prints entries, bytes, seconds and MB/s.
//
// usage: extract_bench FILE
#include <stdio.h>
#include <time.h>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"

static ArchiveResult Discard(void *context, const uint8_t *, size_t size) {
  *(uint64_t *)context += size;
  return ARCHIVE_OK;
}

static double Now() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: extract_bench FILE\n");
    return 2;
  }
  ArchiveFile file;
  std::string error;
  if (!ArchiveFileOpen(&file, argv[1], &error)) {
    fprintf(stderr, "extract_bench: %s\n", error.c_str());
    return 1;
  }
  double started = Now();
  ArchiveReader *reader = NULL;
  uint64_t bytes = 0;
  uint64_t entries = 0;
  ArchiveResult result = ArchiveReaderOpen(&reader, &file.source, file.location.archiveOffset);
  if (result == ARCHIVE_OK) {
    for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
         result = ArchiveReaderNext(reader)) {
      result = ArchiveReaderExtract(reader, Discard, &bytes);
      if (result != ARCHIVE_OK) break;
      entries++;
    }
  }
  double seconds = Now() - started;
  ArchiveReaderClose(reader);
  ArchiveFileClose(&file);
  if (result != ARCHIVE_END) {
    fprintf(stderr, "extract_bench: %s\n", ArchiveResultText(result));
    return 1;
  }
  printf("%llu entries %llu bytes %.3f s %.1f MB/s\n", (unsigned long long)entries,
         (unsigned long long)bytes, seconds, seconds > 0 ? (double)bytes / 1e6 / seconds : 0.0);
  return 0;
}
