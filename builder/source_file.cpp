#include "builder/source_file.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

SourceIdentity IdentityOf(const struct stat &info) {
  SourceIdentity identity;
  identity.device = (uint64_t)info.st_dev;
  identity.inode = (uint64_t)info.st_ino;
  identity.size = (uint64_t)info.st_size;
  identity.modifiedSeconds = (int64_t)info.st_mtim.tv_sec;
  identity.modifiedNanoseconds = (int64_t)info.st_mtim.tv_nsec;
  return identity;
}

int OpenSourceFile(const std::string &path, const SourceIdentity &expected, std::string *error) {
  // O_NONBLOCK: opening a FIFO put in the file's place would otherwise wait
  // for a writer forever. It changes nothing for a regular file.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    *error = path + ": cannot open: " + strerror(errno);
    return -1;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      (uint64_t)info.st_dev != expected.device || (uint64_t)info.st_ino != expected.inode) {
    close(fd);
    *error = path + ": replaced by another file while building; nothing was written";
    return -1;
  }
  return fd;
}

bool SourceFileUnchanged(int fd, const std::string &path, const SourceIdentity &expected,
                         std::string *error) {
  struct stat info;
  if (fstat(fd, &info) != 0) {
    *error = path + ": cannot read: " + strerror(errno);
    return false;
  }
  SourceIdentity now = IdentityOf(info);
  if (now.size != expected.size || now.modifiedSeconds != expected.modifiedSeconds ||
      now.modifiedNanoseconds != expected.modifiedNanoseconds) {
    *error = path + ": changed while the installer was being built; build again once it is "
                    "no longer written to";
    return false;
  }
  return true;
}

bool ReadSourceFile(const std::string &path, const SourceIdentity &expected, std::string *bytes,
                    std::string *error) {
  int fd = OpenSourceFile(path, expected, error);
  if (fd < 0) return false;
  bytes->assign((size_t)expected.size, '\0');
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes->size()) {
    ssize_t got = read(fd, &(*bytes)[done], bytes->size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      *error = path + ": cannot read, or the file shrank while building";
      ok = false;
    } else {
      done += (size_t)got;
    }
  }
  if (ok) ok = SourceFileUnchanged(fd, path, expected, error);
  close(fd);
  return ok;
}
