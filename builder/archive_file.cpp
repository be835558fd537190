#include "builder/archive_file.h"

#include <string.h>

#include <vector>

#include "format/installer_layout.h"

namespace {

int ReadAt(void *context, uint64_t offset, void *buffer, size_t size) {
  return ReadFileAt(*(OsFile *)context, offset, buffer, size) ? 1 : 0;
}

}  // namespace

bool ArchiveFileOpen(ArchiveFile *archive, const std::string &path, std::string *error) {
  memset(archive, 0, sizeof *archive);
  archive->file = OpenFileForReading(path);
  if (archive->file == kNoFile) {
    *error = path + ": " + LastSystemError();
    return false;
  }
  FileStatus info;
  if (!StatusOfOpenFile(archive->file, &info) || info.kind != kFileRegular) {
    *error = path + ": not a regular file";
    ArchiveFileClose(archive);
    return false;
  }
  uint64_t size = info.size;
  std::vector<uint8_t> head((size_t)(size < kMarkerSearchSize ? size : kMarkerSearchSize));
  if (!head.empty() && !ReadFileAt(archive->file, 0, head.data(), head.size())) {
    *error = path + ": cannot read";
    ArchiveFileClose(archive);
    return false;
  }
  if (!LocateArchive(head.data(), head.size(), size, &archive->location, error)) {
    *error = path + ": " + *error;
    ArchiveFileClose(archive);
    return false;
  }
  archive->source.context = &archive->file;
  archive->source.read = ReadAt;
  archive->source.size = size;
  return true;
}

void ArchiveFileClose(ArchiveFile *archive) { CloseFile(&archive->file); }
