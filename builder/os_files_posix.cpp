// The builder's file-system calls on Linux (see os_files.h).
#include "builder/os_files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

const char kPathSeparator = '/';

namespace {

int Descriptor(OsFile file) { return (int)file; }

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return kFileRegular;
  if (S_ISDIR(mode)) return kFileFolder;
  if (S_ISLNK(mode)) return kFileLink;
  return kFileOther;
}

void FillStatus(const struct stat &info, FileStatus *status) {
  status->kind = KindOf(info.st_mode);
  status->device = (uint64_t)info.st_dev;
  status->fileId = (uint64_t)info.st_ino;
  status->size = (uint64_t)info.st_size;
  status->modifiedSeconds = (int64_t)info.st_mtim.tv_sec;
  status->modifiedNanoseconds = (int64_t)info.st_mtim.tv_nsec;
  status->readOnly = (info.st_mode & S_IWUSR) == 0;
}

mode_t CurrentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

}  // namespace

std::string JoinPath(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FolderOfPath(const std::string &path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ResolvedPath(const std::string &path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != NULL ? std::string(resolved) : std::string();
}

bool PathIsWithin(const std::string &inner, const std::string &outer) {
  if (inner == outer || outer == "/") return true;
  return inner.compare(0, outer.size() + 1, outer + "/") == 0;
}

bool StatusOfPath(const std::string &path, bool followLinks, FileStatus *status) {
  struct stat info;
  int result = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
  if (result != 0) return false;
  FillStatus(info, status);
  return true;
}

bool ListFolder(const std::string &path, std::vector<std::string> *names) {
  DIR *dir = opendir(path.c_str());
  if (dir == NULL) return false;
  while (struct dirent *item = readdir(dir)) {
    if (strcmp(item->d_name, ".") == 0 || strcmp(item->d_name, "..") == 0) continue;
    names->push_back(item->d_name);
  }
  closedir(dir);
  return true;
}

OsFile OpenFileForReading(const std::string &path) {
  // O_NONBLOCK: opening a FIFO put in a file's place would otherwise wait
  // for a writer forever. It changes nothing for a regular file.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  return fd < 0 ? kNoFile : (OsFile)fd;
}

bool StatusOfOpenFile(OsFile file, FileStatus *status) {
  struct stat info;
  if (fstat(Descriptor(file), &info) != 0) return false;
  FillStatus(info, status);
  return true;
}

bool ReadFromFile(OsFile file, void *buffer, size_t size, size_t *got) {
  while (true) {
    ssize_t result = read(Descriptor(file), buffer, size);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0) return false;
    *got = (size_t)result;
    return true;
  }
}

bool ReadFileAt(OsFile file, uint64_t offset, void *buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = pread(Descriptor(file), (uint8_t *)buffer + done, size - done, (off_t)(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got == 0) errno = EIO;  // the file ends before the bytes asked for
    if (got <= 0) return false;
    done += (size_t)got;
  }
  return true;
}

bool WriteFileAt(OsFile file, uint64_t offset, const void *data, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t wrote = pwrite(Descriptor(file), (const uint8_t *)data + done, size - done, (off_t)(offset + done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote == 0) errno = ENOSPC;
    if (wrote <= 0) return false;
    done += (size_t)wrote;
  }
  return true;
}

bool SyncFile(OsFile file) { return fsync(Descriptor(file)) == 0; }

bool CloseFile(OsFile *file) {
  if (*file == kNoFile) return true;
  bool ok = close(Descriptor(*file)) == 0;
  *file = kNoFile;
  return ok;
}

OsFile CreateNewFile(const std::string &path) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  return fd < 0 ? kNoFile : (OsFile)fd;
}

OsFile CreateUniqueFile(const std::string &prefix, std::string *path) {
  std::vector<char> name(prefix.begin(), prefix.end());
  const char kPattern[] = "XXXXXX";
  name.insert(name.end(), kPattern, kPattern + sizeof kPattern);  // with the zero
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return kNoFile;
  *path = name.data();
  return (OsFile)fd;
}

bool ApplyNewFileMode(OsFile file, NewFileMode mode) {
  mode_t bits = mode == kNewFileProgram ? 0777 : mode == kNewFileReadOnly ? 0444 : 0666;
  return fchmod(Descriptor(file), bits & ~CurrentUmask()) == 0;
}

bool MakeFolder(const std::string &path) {
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

bool RenameOver(const std::string &from, const std::string &to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string &path) { return unlink(path.c_str()) == 0; }

bool RemoveEmptyFolder(const std::string &path) { return rmdir(path.c_str()) == 0; }

bool MakePrivateFolder(std::string *path) {
  const char *base = getenv("TMPDIR");
  std::string pattern = JoinPath(base != NULL && *base == '/' ? base : "/tmp", "qvsbuild-XXXXXX");
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == NULL) return false;  // mode 0700
  *path = name.data();
  return true;
}

const char *HostNameProblem(const std::string &) { return NULL; }

std::string LastSystemError() { return strerror(errno); }
