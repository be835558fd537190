#include "builder/archive_file.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "format/installer_layout.h"

namespace {

int ReadAt(void *context, uint64_t offset, void *buffer, size_t size) {
  int fd = *(int *)context;
  size_t done = 0;
  while (done < size) {
    ssize_t got = pread(fd, (uint8_t *)buffer + done, size - done, (off_t)(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return 0;
    done += (size_t)got;
  }
  return 1;
}

}  // namespace

bool ArchiveFileOpen(ArchiveFile *archive, const std::string &path, std::string *error) {
  memset(archive, 0, sizeof *archive);
  archive->fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (archive->fd < 0) {
    *error = path + ": " + strerror(errno);
    return false;
  }
  struct stat info;
  if (fstat(archive->fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *error = path + ": not a regular file";
    ArchiveFileClose(archive);
    return false;
  }
  uint64_t size = (uint64_t)info.st_size;
  std::vector<uint8_t> head((size_t)(size < kMarkerSearchSize ? size : kMarkerSearchSize));
  if (!head.empty() && !ReadAt(&archive->fd, 0, head.data(), head.size())) {
    *error = path + ": cannot read";
    ArchiveFileClose(archive);
    return false;
  }
  if (!LocateArchive(head.data(), head.size(), size, &archive->location, error)) {
    *error = path + ": " + *error;
    ArchiveFileClose(archive);
    return false;
  }
  archive->source.context = &archive->fd;
  archive->source.read = ReadAt;
  archive->source.size = size;
  return true;
}

void ArchiveFileClose(ArchiveFile *archive) {
  if (archive->fd >= 0) close(archive->fd);
  archive->fd = -1;
}
