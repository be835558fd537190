#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/parallel_decode.h"
#include "builder/path_rules.h"
#include "builder/verify_checks.h"
#include "format/pe_signature.h"
#include "format/payload_limits.h"

namespace {

// Counts the decoded bytes and keeps up to `keepLimit` of them in `kept`
// (a script or language text, whose content is checked).
struct DecodedBytes {
  uint64_t count;
  std::string *kept;
  size_t keepLimit;
};

ArchiveResult CountBytes(void *context, const uint8_t *data, size_t size) {
  DecodedBytes *decoded = (DecodedBytes *)context;
  decoded->count += size;
  if (decoded->kept != NULL && decoded->kept->size() < decoded->keepLimit) {
    size_t room = decoded->keepLimit - decoded->kept->size();
    decoded->kept->append((const char *)data, size < room ? size : room);
  }
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

void Problems(VerifyTally *tally, const std::string &path, std::vector<std::string> *found) {
  for (const std::string &what : *found) Problem(tally, path, what);
  found->clear();
}

// True when the file ends with a certificate table that lies after the
// archive's end (a signing tool may pad up to 8 bytes before it): a signed
// installer, whose signature covers the stub, the block and the archive.
bool SignedAfter(const ArchiveSource &source, uint64_t archiveEnd, CertificateTable *table) {
  std::vector<uint8_t> head(source.size < kSignatureProbeSize ? (size_t)source.size : kSignatureProbeSize);
  return source.read(source.context, 0, head.data(), head.size()) &&
         SignatureEndsFile(head.data(), head.size(), source.size) &&
         FindCertificateTable(head.data(), head.size(), table) && table->offset >= archiveEnd;
}

// Walks and decodes every entry and checks it as the installer will read
// it; false when the walk itself broke off.
bool VerifyEntries(ParallelDecode *decode, ArchiveReader *reader, const ArchiveSource &source,
                   const std::string &path, VerifyTally *tally) {
  VerifyChecks checks;
  VerifyChecksBegin(&checks);
  std::vector<std::string> found;
  ArchiveResult result = ARCHIVE_OK;
  for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
       result = ArchiveReaderNext(reader)) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
    std::string name = PrintableEntryName(std::string(entry->name, entry->nameLength));
    tally->entries++;
    tally->compressed += entry->compressedSize;
    tally->uncompressed += entry->uncompressedSize;
    if (!IsSafeEntryName(std::string(entry->name, entry->nameLength))) Problem(tally, path, "unsafe entry name: " + name);
    EntryTextKind kind = CheckEntryRecord(&checks, *entry, &found);
    CheckChunkLayout(source, *entry, &found);
    Problems(tally, path, &found);
    std::string text;
    DecodedBytes decoded = {0, kind != kEntryNotText ? &text : NULL,
                            (size_t)(kind == kEntryScript ? kMaxScriptSize : kMaxLanguageFileSize) + 1};
    ArchiveResult extracted = ParallelDecodeExtract(decode, reader, CountBytes, &decoded);
    if (extracted != ARCHIVE_OK) {
      Problem(tally, path, name + ": " + ArchiveResultText(extracted));
    } else if (decoded.count != entry->uncompressedSize) {
      Problem(tally, path, name + ": decoded " + std::to_string(decoded.count) +
                               " bytes, the record says " + std::to_string(entry->uncompressedSize));
    } else {
      CheckEntryContent(&checks, *entry, kind, text, &found);
      Problems(tally, path, &found);
    }
  }
  if (result == ARCHIVE_END) {
    CheckArchiveWhole(checks, &found);
    Problems(tally, path, &found);
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
  } else if (VerifyEntries(&decode, reader, file.source, path, &tally)) {
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
    CertificateTable table;
    if (end < file.source.size && SignedAfter(file.source, end, &table)) {
      fprintf(out, "note: signed: an Authenticode signature of %llu bytes follows the archive\n",
              (unsigned long long)table.size);
    } else if (end < file.source.size) {
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
