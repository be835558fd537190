#include "module/installer_archive.h"

#include <stdlib.h>

#include "format/config_block.h"
#include "format/installer_layout.h"

// Reads the head of the file and finds where the archive starts.
static InstallerArchiveResult FindArchiveOffset(InstallerFile *file, uint64_t *archiveOffset) {
  size_t headLength = (size_t)(file->size < kMarkerSearchSize ? file->size : kMarkerSearchSize);
  uint8_t *head = (uint8_t *)malloc(headLength > 0 ? headLength : 1);
  if (head == NULL) return INSTALLER_ARCHIVE_UNREADABLE;
  InstallerArchiveResult result = INSTALLER_ARCHIVE_UNREADABLE;
  if (ReadInstallerFileAt(file, 0, head, headLength)) {
    ConfigBlock block;
    switch (ParseConfigBlock(head, headLength, file->size, &block)) {
      case kConfigBlockFound:
        *archiveOffset = block.archiveOffset;
        result = INSTALLER_ARCHIVE_OPEN;
        break;
      case kConfigBlockNoPayload: result = INSTALLER_ARCHIVE_NO_PAYLOAD; break;
      case kConfigBlockMissing:
      case kConfigBlockDamaged: result = INSTALLER_ARCHIVE_NOT_INSTALLER; break;
    }
  }
  free(head);
  return result;
}

// Finds and opens the archive in `archive->file`, which is open.
static InstallerArchiveResult OpenArchiveInFile(InstallerArchive *archive) {
  archive->source = InstallerFileSource(&archive->file);
  uint64_t archiveOffset = 0;
  InstallerArchiveResult result = FindArchiveOffset(&archive->file, &archiveOffset);
  archive->archiveOffset = archiveOffset;
  if (result == INSTALLER_ARCHIVE_OPEN &&
      ArchiveReaderOpen(&archive->reader, &archive->source, archiveOffset) != ARCHIVE_OK)
    result = INSTALLER_ARCHIVE_BAD;
  if (result != INSTALLER_ARCHIVE_OPEN) CloseInstallerArchive(archive);
  return result;
}

InstallerArchiveResult OpenInstallerArchive(const char *path, InstallerArchive *archive) {
  archive->reader = NULL;
  archive->archiveOffset = 0;
  if (!OpenInstallerFile(path, &archive->file)) return INSTALLER_ARCHIVE_UNREADABLE;
  return OpenArchiveInFile(archive);
}

InstallerArchiveResult OpenInstallerArchiveFromHandle(HANDLE handle, InstallerArchive *archive) {
  archive->reader = NULL;
  archive->archiveOffset = 0;
  if (!UseInstallerFileHandle(handle, &archive->file)) return INSTALLER_ARCHIVE_UNREADABLE;
  return OpenArchiveInFile(archive);
}

void CloseInstallerArchive(InstallerArchive *archive) {
  if (archive == NULL) return;
  ArchiveReaderClose(archive->reader);
  archive->reader = NULL;
  CloseInstallerFile(&archive->file);
}
