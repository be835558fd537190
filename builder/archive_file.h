// Opens an installer or a bare archive for list, verify and extract: finds
// the archive in it and offers it as an ArchiveSource.
//
// Call order: ArchiveFileOpen -> use `source` -> ArchiveFileClose (safe to
// call twice).
#ifndef QVS_BUILDER_ARCHIVE_FILE_H
#define QVS_BUILDER_ARCHIVE_FILE_H

#include <string>

#include "archive/archive_reader.h"
#include "builder/installer_file.h"
#include "builder/os_files.h"

struct ArchiveFile {
  OsFile file;
  ArchiveSource source;  // the whole file; the archive starts at location.archiveOffset
  ArchiveLocation location;
};

// False with *error when the file cannot be read or holds no archive.
bool ArchiveFileOpen(ArchiveFile *archive, const std::string &path, std::string *error);
void ArchiveFileClose(ArchiveFile *archive);

#endif
