// Read access to the installer file that carries the archive: the
// ArchiveSource the reader pulls its bytes through.
#ifndef QVS_MODULE_INSTALLER_FILE_H
#define QVS_MODULE_INSTALLER_FILE_H

#include <windows.h>

#include "archive/archive_reader.h"

struct InstallerFile {
  HANDLE handle;  // INVALID_HANDLE_VALUE when closed
  uint64_t size;
};

// Opens `path` for reading, shared for reading. 1 on success.
int OpenInstallerFile(const char *path, InstallerFile *file);
// ArchiveSource read callback; `context` is an InstallerFile.
int ReadInstallerFileAt(void *context, uint64_t offset, void *buffer, size_t size);
// A source over an open file; the file must outlive it.
ArchiveSource InstallerFileSource(InstallerFile *file);
// Safe to call twice and on a file that never opened.
void CloseInstallerFile(InstallerFile *file);

#endif
