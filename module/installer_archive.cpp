#include "module/installer_archive.h"

#include <stdlib.h>

#include "module/config_block.h"
#include "startup/installer_layout.h"

// Reads the head of the file and finds where the archive starts.
static InstallerArchiveResult FindArchiveOffset(InstallerFile *file, uint64_t *archiveOffset) {
  size_t headLength = (size_t)(file->size < kMarkerSearchSize ? file->size : kMarkerSearchSize);
  uint8_t *head = (uint8_t *)malloc(headLength > 0 ? headLength : 1);
  if (head == NULL) return INSTALLER_ARCHIVE_UNREADABLE;
  InstallerArchiveResult result = INSTALLER_ARCHIVE_UNREADABLE;
  if (ReadInstallerFileAt(file, 0, head, headLength)) {
    ConfigBlockResult block = LocateArchive(head, headLength, file->size, archiveOffset);
    if (block == CONFIG_BLOCK_FOUND) result = INSTALLER_ARCHIVE_OPEN;
    if (block == CONFIG_BLOCK_MISSING) result = INSTALLER_ARCHIVE_NOT_INSTALLER;
    if (block == CONFIG_BLOCK_NO_PAYLOAD) result = INSTALLER_ARCHIVE_NO_PAYLOAD;
  }
  free(head);
  return result;
}

InstallerArchiveResult OpenInstallerArchive(const char *path, InstallerArchive *archive) {
  archive->reader = NULL;
  if (!OpenInstallerFile(path, &archive->file)) return INSTALLER_ARCHIVE_UNREADABLE;
  archive->source = InstallerFileSource(&archive->file);
  uint64_t archiveOffset = 0;
  InstallerArchiveResult result = FindArchiveOffset(&archive->file, &archiveOffset);
  if (result == INSTALLER_ARCHIVE_OPEN &&
      ArchiveReaderOpen(&archive->reader, &archive->source, archiveOffset) != ARCHIVE_OK)
    result = INSTALLER_ARCHIVE_BAD;
  if (result != INSTALLER_ARCHIVE_OPEN) CloseInstallerArchive(archive);
  return result;
}

void CloseInstallerArchive(InstallerArchive *archive) {
  if (archive == NULL) return;
  ArchiveReaderClose(archive->reader);
  archive->reader = NULL;
  CloseInstallerFile(&archive->file);
}
