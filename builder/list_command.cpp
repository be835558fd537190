#include <time.h>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/path_rules.h"

namespace {

// Times are local-clock readings: shown as stored, without a time zone.
std::string FormatTime(uint32_t seconds) {
  time_t t = (time_t)seconds;
  struct tm parts;
  char text[32] = "?";
  if (gmtime_r(&t, &parts) != NULL) strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

}  // namespace

int RunList(const std::string &path, FILE *out) {
  ArchiveFile file;
  std::string error;
  if (!ArchiveFileOpen(&file, path, &error)) {
    fprintf(stderr, "qvsbuild: %s\n", error.c_str());
    return 1;
  }
  int exitCode = 1;
  ArchiveReader *reader = NULL;
  ArchiveResult result = ArchiveReaderOpen(&reader, &file.source, file.location.archiveOffset);
  if (result == ARCHIVE_OK) {
    const ArchiveHeader *header = ArchiveReaderGetHeader(reader);
    if (file.location.isInstaller) {
      fprintf(out, "installer: stub %llu bytes, module %llu bytes, require administrator %s\n",
              (unsigned long long)file.location.stubSize,
              (unsigned long long)file.location.moduleSize,
              file.location.requireAdmin == 1 ? "yes" : "no");
    }
    fprintf(out, "archive at offset %llu: %llu entries, %llu bytes, %llu compressed, written %s\n",
            (unsigned long long)file.location.archiveOffset,
            (unsigned long long)header->entryCount,
            (unsigned long long)header->totalUncompressed,
            (unsigned long long)header->totalCompressed, FormatTime(header->archiveTime).c_str());
    fprintf(out, "%12s %12s  %-19s  %-4s  %s\n", "size", "compressed", "modified", "attr", "name");
    for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
         result = ArchiveReaderNext(reader)) {
      const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
      fprintf(out, "%12llu %12llu  %s  %04x  %s\n", (unsigned long long)entry->uncompressedSize,
              (unsigned long long)entry->compressedSize,
              FormatTime(entry->modificationTime).c_str(), (unsigned)entry->attributes,
              PrintableEntryName(std::string(entry->name, entry->nameLength)).c_str());
    }
    if (result == ARCHIVE_END) exitCode = 0;
  }
  if (exitCode != 0)
    fprintf(stderr, "qvsbuild: %s: %s\n", path.c_str(), ArchiveResultText(result));
  ArchiveReaderClose(reader);
  ArchiveFileClose(&file);
  return exitCode;
}
