#include <stdio.h>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/path_rules.h"

namespace {

// Times are local-clock readings: shown as stored, without a time zone,
// counted out by the calendar alone so that every host shows the same.
std::string FormatTime(uint32_t seconds) {
  const uint32_t kSecondsPerDay = 86400;
  // Days since 1970-01-01 to a civil date (proleptic Gregorian), counting
  // eras of 400 years from 0000-03-01.
  int64_t days = seconds / kSecondsPerDay + 719468;
  uint32_t rest = seconds % kSecondsPerDay;
  int64_t era = days / 146097;
  int64_t dayOfEra = days - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[32];
  snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02u:%02u:%02u", (long long)year,
           (long long)month, (long long)day, rest / 3600, rest / 60 % 60, rest % 60);
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
