// An installer file opened down to its payload archive.
#ifndef QVS_MODULE_INSTALLER_ARCHIVE_H
#define QVS_MODULE_INSTALLER_ARCHIVE_H

#include "archive/archive_reader.h"
#include "module/installer_file.h"

enum InstallerArchiveResult {
  INSTALLER_ARCHIVE_OPEN,
  INSTALLER_ARCHIVE_UNREADABLE,  // the file cannot be opened or read
  INSTALLER_ARCHIVE_NOT_INSTALLER,  // no configuration block (a bare archive, for one)
  INSTALLER_ARCHIVE_NO_PAYLOAD,  // the block is followed by nothing
  INSTALLER_ARCHIVE_BAD  // what follows the block is not a readable archive
};

struct InstallerArchive {
  InstallerFile file;
  ArchiveSource source;  // reads `file`; the reader points at it
  uint64_t archiveOffset;  // where the archive starts in the file
  ArchiveReader *reader;
};

// Opens `path`, finds the block and opens the archive behind it. The record
// must stay where it is while open (the reader points into it). On any
// result but INSTALLER_ARCHIVE_OPEN nothing is left open.
InstallerArchiveResult OpenInstallerArchive(const char *path, InstallerArchive *archive);
// The same through a handle the caller holds open for as long as the
// archive is (see UseInstallerFileHandle).
InstallerArchiveResult OpenInstallerArchiveFromHandle(HANDLE handle, InstallerArchive *archive);
// Safe to call twice and on a record that never opened.
void CloseInstallerArchive(InstallerArchive *archive);

#endif
