#include <set>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "builder/archive_file.h"
#include "builder/inspect_commands.h"
#include "builder/os_files.h"
#include "builder/parallel_decode.h"
#include "builder/path_rules.h"

namespace {

struct FileSink {
  OsFile file;
  uint64_t written;
};

ArchiveResult WriteToFile(void *context, const uint8_t *data, size_t size) {
  FileSink *sink = (FileSink *)context;
  if (!WriteFileAt(sink->file, sink->written, data, size)) return ARCHIVE_WRITE_ERROR;
  sink->written += size;
  return ARCHIVE_OK;
}

// Creates the folders of `relative` (all but its last component, separated
// by kPathSeparator) below `root`, refusing to pass through anything that
// is not a real folder. `known` holds the folders this run has already made
// or checked, so each is made and checked once, not once per file below it.
bool MakeParents(const std::string &root, const std::string &relative,
                 std::set<std::string> *known, std::string *error) {
  size_t slash = relative.find(kPathSeparator);
  while (slash != std::string::npos) {
    std::string folder = JoinPath(root, relative.substr(0, slash));
    if (known->count(folder) != 0) {
      slash = relative.find(kPathSeparator, slash + 1);
      continue;
    }
    FileStatus info;
    if (!MakeFolder(folder)) {
      *error = folder + ": " + LastSystemError();
      return false;
    }
    if (!StatusOfPath(folder, false, &info) || info.kind != kFileFolder) {
      *error = folder + ": not a folder (a symbolic link or a file is in the way)";
      return false;
    }
    known->insert(folder);
    slash = relative.find(kPathSeparator, slash + 1);
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
  OsFile file;
};

// Creates the file for `relative` below `root`. False with *error when the
// final place holds something other than a regular file.
bool OpenEntryTarget(const std::string &root, const std::string &relative,
                     const std::string &shownName, EntryTarget *target, std::string *error) {
  target->shownName = shownName;
  target->finalPath = JoinPath(root, relative);
  target->tempPath.clear();
  target->file = CreateNewFile(target->finalPath);
  if (target->file != kNoFile) return true;
  const std::string createError = LastSystemError();
  FileStatus info;
  if (!StatusOfPath(target->finalPath, false, &info)) {
    *error = target->shownName + ": cannot create: " + createError;
    return false;
  }
  if (info.kind != kFileRegular) {
    *error = target->shownName + ": not a regular file, left as it is";
    return false;
  }
  std::string prefix = JoinPath(FolderOfPath(target->finalPath), ".qvs-extract-");
  target->file = CreateUniqueFile(prefix, &target->tempPath);
  if (target->file == kNoFile) {
    *error = target->shownName + ": cannot create a file next to it: " + LastSystemError();
    return false;
  }
  return true;
}

// Gives the file the entry's mode, closes it and, when `ok`, renames a
// temporary file into place; otherwise removes what was written. False
// with *error when that fails.
bool FinishEntryTarget(EntryTarget *target, bool ok, uint32_t attributes, std::string *error) {
  const std::string &written = target->tempPath.empty() ? target->finalPath : target->tempPath;
  if (ok && !ApplyNewFileMode(target->file, (attributes & 1) ? kNewFileReadOnly : kNewFileData))
    ok = false;
  if (!CloseFile(&target->file)) ok = false;
  if (ok && !target->tempPath.empty() && !RenameOver(target->tempPath, target->finalPath))
    ok = false;
  if (!ok) {
    if (error->empty()) *error = target->shownName + ": cannot write: " + LastSystemError();
    RemoveFile(written);
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
  const char *hostProblem = HostNameProblem(name);
  if (hostProblem != NULL) {
    *error = PrintableEntryName(name) + ": " + hostProblem + ", not written";
    return false;
  }
  std::string relative = Windows1252ToUtf8(name);
  for (char &c : relative) {
    if (c == '\\' || c == '/') c = kPathSeparator;
  }
  if (written->count(relative) != 0) {
    *error = PrintableEntryName(name) + ": a second entry of this name; the first one is kept";
    return false;
  }
  if (!MakeParents(root, relative, folders, error)) return false;
  EntryTarget target;
  if (!OpenEntryTarget(root, relative, PrintableEntryName(name), &target, error)) return false;
  FileSink sink = {target.file, 0};
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
  FileStatus info;
  if (!MakeFolder(folder)) {
    fprintf(stderr, "qvsbuild: %s: %s\n", folder.c_str(), LastSystemError().c_str());
    failures++;
  } else if (!StatusOfPath(folder, true, &info) || info.kind != kFileFolder) {
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
