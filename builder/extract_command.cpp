#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

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
bool MakeParents(const std::string &root, const std::string &relative, std::string *error) {
  size_t slash = relative.find('/');
  while (slash != std::string::npos) {
    std::string folder = root + "/" + relative.substr(0, slash);
    struct stat info;
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
      *error = folder + ": " + strerror(errno);
      return false;
    }
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      *error = folder + ": not a folder (a symbolic link or a file is in the way)";
      return false;
    }
    slash = relative.find('/', slash + 1);
  }
  return true;
}

// Extracts the current entry; false with *error on failure, leaving no file.
bool ExtractEntry(ParallelDecode *decode, ArchiveReader *reader, const std::string &root,
                  std::string *error) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  std::string name = entry->name;
  if (!IsSafeEntryName(name)) {
    *error = "refusing entry name that would leave the folder: " + name;
    return false;
  }
  std::string relative = Windows1252ToUtf8(name);
  for (char &c : relative) {
    if (c == '\\') c = '/';
  }
  if (!MakeParents(root, relative, error)) return false;
  std::string target = root + "/" + relative;
  FileSink sink;
  sink.fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                 (entry->attributes & 1) ? 0444 : 0666);
  if (sink.fd < 0) {
    *error = target + ": " + strerror(errno);
    return false;
  }
  ArchiveResult result = ParallelDecodeExtract(decode, reader, WriteToFile, &sink);
  bool ok = result == ARCHIVE_OK;
  if (close(sink.fd) != 0 && ok) {
    result = ARCHIVE_WRITE_ERROR;
    ok = false;
  }
  if (!ok) {
    unlink(target.c_str());
    *error = name + ": " + ArchiveResultText(result);
  }
  return ok;
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
        if (ExtractEntry(&decode, reader, folder, &error)) {
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
