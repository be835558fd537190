// Read access to the installer file that carries the archive: the
// ArchiveSource the reader pulls its bytes through.
//
// Every read names its position, so one handle serves the reader and the
// decode-ahead workers at once without a shared file pointer (Windows 9x,
// which cannot do that, gets no workers).
#ifndef QVS_MODULE_INSTALLER_FILE_H
#define QVS_MODULE_INSTALLER_FILE_H

#include <windows.h>

#include "archive/archive_reader.h"

struct InstallerFile {
  HANDLE handle;  // INVALID_HANDLE_VALUE when closed
  uint64_t size;
  int owned;  // 1 when this module opened the handle and closes it
};

// Opens `path` for reading, shared for reading. 1 on success.
int OpenInstallerFile(const char *path, InstallerFile *file);
// Reads through `handle`, which the caller opened and keeps open; it is
// never closed here. 1 when its size could be read.
int UseInstallerFileHandle(HANDLE handle, InstallerFile *file);
// ArchiveSource read callback; `context` is an InstallerFile.
int ReadInstallerFileAt(void *context, uint64_t offset, void *buffer, size_t size);
// A source over an open file; the file must outlive it.
ArchiveSource InstallerFileSource(InstallerFile *file);
// Safe to call twice and on a file that never opened; a borrowed handle
// is only forgotten.
void CloseInstallerFile(InstallerFile *file);

// True on Windows 9x, whose file reads cannot name their position.
int ReadsNeedFilePointer();

#endif
