#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/parallel_decode.h"
#include "builder/path_rules.h"

namespace {

struct FileSink {
  int fd;
};

ArchiveResult WriteToFile(void *context, const uint8_t *data, size_t size) {
  FileSink *sink = (FileSink *)context;
  size_t done = 0;
  while (done < size) {
    ssize_t wrote = write(sink->fd, data + done, size - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return ARCHIVE_WRITE_ERROR;
    done += (size_t)wrote;
  }
  return ARCHIVE_OK;
}

// Creates the folders of `relative` (all but its last component) below
// `root`, refusing to pass through anything that is not a real folder.
// `known` holds the folders this run has already made or checked, so each
// is made and checked once, not once per file below it.
bool MakeParents(const std::string &root, const std::string &relative,
                 std::set<std::string> *known, std::string *error) {
  size_t slash = relative.find('/');
  while (slash != std::string::npos) {
    std::string folder = root + "/" + relative.substr(0, slash);
    if (known->count(folder) != 0) {
      slash = relative.find('/', slash + 1);
      continue;
    }
    struct stat info;
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
      *error = folder + ": " + strerror(errno);
      return false;
    }
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      *error = folder + ": not a folder (a symbolic link or a file is in the way)";
      return false;
    }
    known->insert(folder);
    slash = relative.find('/', slash + 1);
  }
  return true;
}

// An entry's file while it is written. Where no file is, it is written in
// place and removed again when the entry fails. Where one is, a temporary
// file next to it is renamed over it only once the CRC matched, so that a
// corrupt entry or a full disk never truncates or deletes a file that was
// there.
struct EntryTarget {
  std::string shownName;  // the entry's name, safe to print
  std::string finalPath;
  std::string tempPath;   // empty when written in place
  int fd;
};

// Creates the file for `relative` below `root`. False with *error when the
// final place holds something other than a regular file.
bool OpenEntryTarget(const std::string &root, const std::string &relative, uint32_t attributes,
                     const std::string &shownName, EntryTarget *target, std::string *error) {
  target->shownName = shownName;
  target->finalPath = root + "/" + relative;
  target->tempPath.clear();
  target->fd = open(target->finalPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    (attributes & 1) ? 0444 : 0666);
  if (target->fd >= 0) return true;
  if (errno != EEXIST) {
    *error = target->shownName + ": cannot create: " + strerror(errno);
    return false;
  }
  struct stat info;
  if (lstat(target->finalPath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    *error = target->shownName + ": not a regular file, left as it is";
    return false;
  }
  size_t slash = target->finalPath.rfind('/');
  std::string pattern = target->finalPath.substr(0, slash + 1) + ".qvs-extract-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  target->fd = mkostemp(name.data(), O_CLOEXEC);
  if (target->fd < 0) {
    *error = target->shownName + ": cannot create a file next to it: " +
             strerror(errno);
    return false;
  }
  target->tempPath = name.data();
  return true;
}

// Closes the file and, when `ok`, gives a temporary file the entry's mode
// and renames it into place; otherwise removes what was written. False with
// *error when that fails.
bool FinishEntryTarget(EntryTarget *target, bool ok, uint32_t attributes, std::string *error) {
  if (target->tempPath.empty()) {
    if (close(target->fd) != 0) ok = false;
    target->fd = -1;
    if (!ok) {
      if (error->empty()) *error = target->shownName + ": cannot write: " + strerror(errno);
      unlink(target->finalPath.c_str());
    }
    return ok;
  }
  if (ok) {
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(target->fd, ((attributes & 1) ? 0444 : 0666) & ~mask) != 0) ok = false;
  }
  if (close(target->fd) != 0) ok = false;
  target->fd = -1;
  if (ok && rename(target->tempPath.c_str(), target->finalPath.c_str()) != 0) ok = false;
  if (!ok) {
    if (error->empty())
      *error = target->shownName + ": cannot write: " + strerror(errno);
    unlink(target->tempPath.c_str());
  }
  return ok;
}

// Extracts the current entry; false with *error on failure, leaving any
// earlier file of its name as it was. `written` holds the paths extracted so
// far: a second entry of the same name is refused, keeping the first copy.
bool ExtractEntry(ParallelDecode *decode, ArchiveReader *reader, const std::string &root,
                  std::set<std::string> *written, std::set<std::string> *folders,
                  std::string *error) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  std::string name(entry->name, entry->nameLength);
  if (!IsSafeEntryName(name)) {
    *error = "refusing entry name that would leave the folder: " + PrintableEntryName(name);
    return false;
  }
  std::string relative = Windows1252ToUtf8(name);
  for (char &c : relative) {
    if (c == '\\') c = '/';
  }
  if (written->count(relative) != 0) {
    *error = PrintableEntryName(name) + ": a second entry of this name; the first one is kept";
    return false;
  }
  if (!MakeParents(root, relative, folders, error)) return false;
  EntryTarget target;
  if (!OpenEntryTarget(root, relative, entry->attributes, PrintableEntryName(name), &target, error))
    return false;
  FileSink sink;
  sink.fd = target.fd;
  ArchiveResult result = ParallelDecodeExtract(decode, reader, WriteToFile, &sink);
  error->clear();
  if (result != ARCHIVE_OK) *error = PrintableEntryName(name) + ": " + ArchiveResultText(result);
  if (!FinishEntryTarget(&target, result == ARCHIVE_OK, entry->attributes, error)) return false;
  written->insert(relative);
  return true;
}

}  // namespace

int RunExtract(const std::string &path, const std::string &folder, FILE *out) {
  ArchiveFile file;
  std::string error;
  if (!ArchiveFileOpen(&file, path, &error)) {
    fprintf(stderr, "qvsbuild: %s\n", error.c_str());
    return 1;
  }
  uint64_t failures = 0;
  uint64_t extracted = 0;
  std::set<std::string> written;
  std::set<std::string> folders;
  ArchiveReader *reader = NULL;
  ArchiveResult result = ARCHIVE_OK;
  struct stat info;
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
    fprintf(stderr, "qvsbuild: %s: %s\n", folder.c_str(), strerror(errno));
    failures++;
  } else if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    fprintf(stderr, "qvsbuild: %s: not a folder\n", folder.c_str());
    failures++;
  } else {
    result = ArchiveReaderOpen(&reader, &file.source, file.location.archiveOffset);
    ParallelDecode decode;
    ParallelDecodeStart(&decode, &file.source, file.location.archiveOffset, DefaultDecodeThreads());
    if (result == ARCHIVE_OK) {
      for (result = ArchiveReaderFirst(reader); result == ARCHIVE_OK;
           result = ArchiveReaderNext(reader)) {
        if (ExtractEntry(&decode, reader, folder, &written, &folders, &error)) {
          extracted++;
        } else {
          fprintf(stderr, "qvsbuild: %s\n", error.c_str());
          failures++;
        }
      }
    }
    ParallelDecodeStop(&decode);
    if (result != ARCHIVE_END) {
      fprintf(stderr, "qvsbuild: %s: %s\n", path.c_str(), ArchiveResultText(result));
      failures++;
    }
  }
  fprintf(out, "%s: %llu entries extracted to %s, %llu failed\n", path.c_str(),
          (unsigned long long)extracted, folder.c_str(), (unsigned long long)failures);
  ArchiveReaderClose(reader);
  ArchiveFileClose(&file);
  return failures == 0 ? 0 : 1;
}
