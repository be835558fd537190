#include <string>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/parallel_decode.h"
#include "builder/path_rules.h"

namespace {

ArchiveResult CountBytes(void *context, const uint8_t *, size_t size) {
  *(uint64_t *)context += size;
  return ARCHIVE_OK;
}

struct VerifyTally {
  uint64_t entries;
  uint64_t compressed;
  uint64_t uncompressed;
  uint64_t problems;
};

void Problem(VerifyTally *tally, const std::string &path, const std::string &what) {
  fprintf(stderr, "qvsbuild: %s: %s\n", path.c_str(), what.c_str());
  tally->problems++;
}

// Walks and decodes every entry; false when the walk itself broke off.
bool VerifyEntries(ParallelDecode *decode, ArchiveReader *reader, const std::string &path,
                   VerifyTally *tally) {
  ArchiveResult result = ARCHIVE_OK;
  for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
       result = ArchiveReaderNext(reader)) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
    std::string name = entry->name;
    tally->entries++;
    tally->compressed += entry->compressedSize;
    tally->uncompressed += entry->uncompressedSize;
    if (!IsSafeEntryName(name)) Problem(tally, path, "unsafe entry name: " + name);
    uint64_t decoded = 0;
    ArchiveResult extracted = ParallelDecodeExtract(decode, reader, CountBytes, &decoded);
    if (extracted != ARCHIVE_OK) {
      Problem(tally, path, name + ": " + ArchiveResultText(extracted));
    } else if (decoded != entry->uncompressedSize) {
      Problem(tally, path, name + ": decoded " + std::to_string(decoded) + " bytes, the record says " +
                               std::to_string(entry->uncompressedSize));
    }
  }
  if (result != ARCHIVE_END) {
    Problem(tally, path, std::string("after entry ") + std::to_string(tally->entries) + ": " +
                             ArchiveResultText(result));
    return false;
  }
  return true;
}

}  // namespace

int RunVerify(const std::string &path, FILE *out) {
  ArchiveFile file;
  std::string error;
  if (!ArchiveFileOpen(&file, path, &error)) {
    fprintf(stderr, "qvsbuild: %s\n", error.c_str());
    return 1;
  }
  VerifyTally tally = {0, 0, 0, 0};
  if (file.location.isInstaller && file.location.moduleSize == 0)
    Problem(&tally, path, "the configuration block carries no unpacker module");
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &file.source, file.location.archiveOffset);
  ParallelDecode decode;
  ParallelDecodeStart(&decode, &file.source, file.location.archiveOffset, DefaultDecodeThreads());
  if (result != ARCHIVE_OK) {
    Problem(&tally, path, ArchiveResultText(result));
  } else if (VerifyEntries(&decode, reader, path, &tally)) {
    const ArchiveHeader *header = ArchiveReaderGetHeader(reader);
    if (tally.entries != header->entryCount)
      Problem(&tally, path, "the header counts " + std::to_string(header->entryCount) +
                                " entries, the archive holds " + std::to_string(tally.entries));
    if (tally.compressed != header->totalCompressed)
      Problem(&tally, path, "header total compressed " + std::to_string(header->totalCompressed) +
                                " differs from the entries' sum " + std::to_string(tally.compressed));
    if (tally.uncompressed != header->totalUncompressed)
      Problem(&tally, path, "header total uncompressed " + std::to_string(header->totalUncompressed) +
                                " differs from the entries' sum " + std::to_string(tally.uncompressed));
    uint64_t end = ArchiveReaderEndOffset(reader);
    if (end < file.source.size) {
      fprintf(out, "note: %llu bytes after the last entry (an appended signature?), not part of the archive\n",
              (unsigned long long)(file.source.size - end));
    }
  }
  if (tally.problems == 0) {
    fprintf(out, "%s: OK, %llu entries, %llu bytes, %llu compressed\n", path.c_str(),
            (unsigned long long)tally.entries, (unsigned long long)tally.uncompressed,
            (unsigned long long)tally.compressed);
  } else {
    fprintf(out, "%s: FAILED, %llu problem(s)\n", path.c_str(), (unsigned long long)tally.problems);
  }
  ParallelDecodeStop(&decode);
  ArchiveReaderClose(reader);
  ArchiveFileClose(&file);
  return tally.problems == 0 ? 0 : 1;
}
