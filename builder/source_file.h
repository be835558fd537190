// Reading the project's files safely while a build runs: a file may be
// replaced by a FIFO or a device after the scan (opening it must not block
// the build) or rewritten while it is read (its bytes would be torn).
//
// The scan records each file's SourceIdentity; the reader opens the file
// with OpenSourceFile, reads it, and calls SourceFileUnchanged at the end.
#ifndef QVS_BUILDER_SOURCE_FILE_H
#define QVS_BUILDER_SOURCE_FILE_H

#include <stdint.h>

#include <string>

#include "builder/os_files.h"

// A regular file as the scan saw it (after following an allowed link).
struct SourceIdentity {
  uint64_t device;
  uint64_t inode;
  uint64_t size;
  int64_t modifiedSeconds;
  int64_t modifiedNanoseconds;
};

SourceIdentity IdentityOf(const FileStatus &status);

// Opens `path` for reading without blocking and checks that it is still the
// regular file the scan saw (same device and inode). Returns the file, or
// kNoFile with *error.
OsFile OpenSourceFile(const std::string &path, const SourceIdentity &expected, std::string *error);

// For an open file read to its end: false with *error when its size or
// modification time now differ from `expected` (it was rewritten while it
// was read, or since the scan).
bool SourceFileUnchanged(OsFile file, const std::string &path, const SourceIdentity &expected,
                         std::string *error);

// Reads the whole file `path` (the scan's `expected`) into *bytes through
// the two calls above. False with *error on any failure.
bool ReadSourceFile(const std::string &path, const SourceIdentity &expected, std::string *bytes,
                    std::string *error);

#endif
