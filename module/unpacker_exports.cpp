// The module's exports: thin wrappers over one process-wide state. The stub
// opens one archive at a time and calls from one thread at a time.
#include <stdlib.h>
#include <string.h>

#include "module/decode_session.h"
#include "module/entry_extraction.h"
#include "module/installer_archive.h"
#include "module/unpacker_api.h"

#define QVS_EXPORT extern "C" __declspec(dllexport)

// What FileInfo copies out of the current entry; the name stays valid until
// the record is filled again or freed.
struct UnpackerEntryInfo {
  char name[kMaxEntryNameLength];
  int64_t uncompressedSize;
  int64_t compressedSize;
  uint32_t encrypted;
};

struct UnpackerState {
  InstallerArchive archive;  // reader null when no archive is open
  DecodeSession decode;  // the workers that decode ahead of Extract
  UnpackerFileCallback fileCallback;
  UnpackerReplaceCallback replaceCallback;
};

static UnpackerState g_state = {
    {{INVALID_HANDLE_VALUE, 0, 0}, {NULL, NULL, 0}, 0, NULL}, {}, NULL, NULL};

// Entries and sizes are i64 on the interface; a u64 beyond that is clamped.
static int64_t AsSigned(uint64_t value) {
  return value > (uint64_t)INT64_MAX ? INT64_MAX : (int64_t)value;
}

QVS_EXPORT const char *QVS_CALL Quorvantis_GetPluginSignature(void) {
  return QVS_PLUGIN_SIGNATURE;
}

QVS_EXPORT int QVS_CALL Quorvantis_SetFileCallback(UnpackerFileCallback callback) {
  g_state.fileCallback = callback;
  return 1;
}

QVS_EXPORT int QVS_CALL Quorvantis_SetReplaceCallback(UnpackerReplaceCallback callback) {
  g_state.replaceCallback = callback;
  return 1;
}

// -1 only when the installer verifiably carries no payload: nothing after the
// configuration block, or an archive without entries. A file that cannot be
// read or holds a damaged archive gives 0, so that Read then fails and the
// stub reports a corrupt installer rather than an empty one.
static int64_t UncompressedSizeOf(InstallerArchive *archive, InstallerArchiveResult opened) {
  if (opened == INSTALLER_ARCHIVE_NO_PAYLOAD) return -1;
  if (opened != INSTALLER_ARCHIVE_OPEN) return 0;
  const ArchiveHeader *header = ArchiveReaderGetHeader(archive->reader);
  int64_t size = header->entryCount == 0 ? -1 : AsSigned(header->totalUncompressed);
  CloseInstallerArchive(archive);
  return size;
}

QVS_EXPORT int64_t QVS_CALL Quorvantis_Archive_GetUncompressedSize(const char *installerPath) {
  InstallerArchive archive;
  return UncompressedSizeOf(&archive, OpenInstallerArchive(installerPath, &archive));
}

QVS_EXPORT int64_t QVS_CALL
Quorvantis_Archive_GetUncompressedSizeFromHandle(void *installerFile) {
  InstallerArchive archive;
  return UncompressedSizeOf(&archive,
                            OpenInstallerArchiveFromHandle((HANDLE)installerFile, &archive));
}

static void CloseArchive() {
  DecodeSessionStop(&g_state.decode);
  CloseInstallerArchive(&g_state.archive);
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_Close(void) {
  CloseArchive();
  return 1;
}

static int StartSession(InstallerArchiveResult opened) {
  if (opened != INSTALLER_ARCHIVE_OPEN) return 0;
  DecodeSessionInit(&g_state.decode, &g_state.archive.file, g_state.archive.archiveOffset);
  return 1;
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_Read(const char *installerPath) {
  CloseArchive();
  return StartSession(OpenInstallerArchive(installerPath, &g_state.archive));
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_ReadFromHandle(void *installerFile) {
  CloseArchive();
  return StartSession(OpenInstallerArchiveFromHandle((HANDLE)installerFile, &g_state.archive));
}

// The workers drop what they decoded for the entries passed over.
static int MovedTo(ArchiveResult moved) {
  DecodeAheadPassTo(g_state.decode.core, g_state.archive.reader);
  return moved == ARCHIVE_OK;
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_FindFirst(void) {
  if (g_state.archive.reader == NULL) return 0;
  return MovedTo(ArchiveReaderFirst(g_state.archive.reader));
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_FindNext(void) {
  if (g_state.archive.reader == NULL) return 0;
  return MovedTo(ArchiveReaderNext(g_state.archive.reader));
}

QVS_EXPORT UnpackerFileInfo QVS_CALL Quorvantis_Archive_FileInfo_Alloc(void) {
  return calloc(1, sizeof(UnpackerEntryInfo));
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_FileInfo_Free(UnpackerFileInfo info) {
  free(info);
  return 1;
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_FileInfo(UnpackerFileInfo info) {
  UnpackerEntryInfo *record = (UnpackerEntryInfo *)info;
  if (record == NULL) return 0;
  memset(record, 0, sizeof *record);
  const ArchiveEntry *entry = ArchiveReaderGetEntry(g_state.archive.reader);
  if (entry == NULL) return 0;
  memcpy(record->name, entry->name, (size_t)entry->nameLength + 1);  // bounded by the reader
  record->uncompressedSize = AsSigned(entry->uncompressedSize);
  record->compressedSize = AsSigned(entry->compressedSize);
  record->encrypted = entry->encrypted;
  return 1;
}

QVS_EXPORT const char *QVS_CALL Quorvantis_Archive_FileInfo_GetFilename(UnpackerFileInfo info) {
  return info != NULL ? ((UnpackerEntryInfo *)info)->name : "";
}

QVS_EXPORT int64_t QVS_CALL Quorvantis_Archive_FileInfo_GetUncompressedSize(UnpackerFileInfo info) {
  return info != NULL ? ((UnpackerEntryInfo *)info)->uncompressedSize : 0;
}

QVS_EXPORT int64_t QVS_CALL Quorvantis_Archive_FileInfo_GetCompressedSize(UnpackerFileInfo info) {
  return info != NULL ? ((UnpackerEntryInfo *)info)->compressedSize : 0;
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_FileInfo_IsEncrypted(UnpackerFileInfo info) {
  return info != NULL && ((UnpackerEntryInfo *)info)->encrypted != 0;
}

QVS_EXPORT int64_t QVS_CALL Quorvantis_Archive_GetEntryCount(void) {
  if (g_state.archive.reader == NULL) return -1;
  return AsSigned(ArchiveReaderGetHeader(g_state.archive.reader)->entryCount);
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_ExtractMem(void *buffer, int32_t size) {
  if (g_state.archive.reader == NULL || size < 0) return 0;
  return ExtractEntryToMemory(g_state.archive.reader, buffer, (uint64_t)size);
}

QVS_EXPORT int QVS_CALL Quorvantis_Archive_Extract(const char *destinationFolder,
                                                   int32_t reserved) {
  (void)reserved;
  if (g_state.archive.reader == NULL) return UNPACK_INTERNAL_ERROR;
  int result = ExtractEntryToFolder(g_state.archive.reader, DecodeSessionCore(&g_state.decode),
                                    destinationFolder, g_state.fileCallback,
                                    g_state.replaceCallback);
  // After a stop or a failure no worker stays behind; the next extraction
  // starts them again.
  if (result != UNPACK_DONE) DecodeSessionStop(&g_state.decode);
  return result;
}
