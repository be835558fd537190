#include "module/entry_extraction.h"

#include <string.h>
#include <windows.h>

#include "module/folder_creation.h"

// Attributes an extracted file may carry; the rest describe what a file is
// (folder, compressed, sparse) and cannot be set.
static const DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                         FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Seconds between 1601-01-01 (FILETIME) and 1970-01-01.
static const uint64_t kFileTimeEpochSeconds = 11644473600ull;

struct MemorySink {
  uint8_t *buffer;
  uint64_t capacity;
  uint64_t used;
};

static ArchiveResult CopyToMemory(void *context, const uint8_t *data, size_t size) {
  MemorySink *sink = (MemorySink *)context;
  if (size > sink->capacity - sink->used) return ARCHIVE_WRITE_ERROR;
  memcpy(sink->buffer + sink->used, data, size);
  sink->used += size;
  return ARCHIVE_OK;
}

int ExtractEntryToMemory(ArchiveReader *reader, void *buffer, uint64_t capacity) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  if (entry == NULL || (buffer == NULL && entry->uncompressedSize > 0)) return 0;
  if (capacity < entry->uncompressedSize) return 0;
  MemorySink sink = {(uint8_t *)buffer, capacity, 0};
  return ArchiveReaderExtract(reader, CopyToMemory, &sink) == ARCHIVE_OK;
}

// The part of an entry name after its last "\"; null when that is no plain
// file name (empty, "." or "..", or holding "/" or ":").
static const char *EntryFileName(const char *entryName) {
  const char *separator = strrchr(entryName, '\\');
  const char *name = separator != NULL ? separator + 1 : entryName;
  if (name[0] == 0 || strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return NULL;
  if (strpbrk(name, "/:") != NULL) return NULL;
  return name;
}

// folder + "\" when missing + name into `out` of MAX_PATH bytes. 0 when too long.
static int JoinPath(const char *folder, const char *name, char *out, char *folderOut) {
  size_t folderLength = strlen(folder);
  int needsSeparator = folderLength > 0 && folder[folderLength - 1] != '\\';
  size_t nameLength = strlen(name);
  if (folderLength == 0 || folderLength + needsSeparator + nameLength >= MAX_PATH) return 0;
  memcpy(folderOut, folder, folderLength);
  if (needsSeparator) folderOut[folderLength] = '\\';
  folderOut[folderLength + needsSeparator] = 0;
  memcpy(out, folderOut, folderLength + needsSeparator);
  memcpy(out + folderLength + needsSeparator, name, nameLength + 1);
  return 1;
}

struct FileSink {
  HANDLE handle;
  const char *path;  // reported to the callback: the final destination
  int64_t size;
  int64_t written;
  UnpackerFileCallback callback;
};

static ArchiveResult WriteToFile(void *context, const uint8_t *data, size_t size) {
  FileSink *sink = (FileSink *)context;
  DWORD done = 0;
  if (!WriteFile(sink->handle, data, (DWORD)size, &done, NULL) || done != size)
    return ARCHIVE_WRITE_ERROR;
  sink->written += (int64_t)size;
  if (sink->callback != NULL &&
      sink->callback(sink->path, sink->size, (int64_t)size, sink->written) == UNPACK_CANCEL)
    return ARCHIVE_STOPPED;
  return ARCHIVE_OK;
}

static int ExtractResultOf(ArchiveResult result) {
  switch (result) {
    case ARCHIVE_OK:
      return UNPACK_DONE;
    case ARCHIVE_STOPPED:
      return UNPACK_STOPPED;
    case ARCHIVE_CRC_ERROR:
      return UNPACK_CRC_MISMATCH;
    case ARCHIVE_MEM_ERROR:
      return UNPACK_OUT_OF_MEMORY;
    case ARCHIVE_WRITE_ERROR:
      return UNPACK_CANNOT_WRITE;  // a full disk: worth a retry
    case ARCHIVE_DATA_ERROR:
    case ARCHIVE_READ_ERROR:
    case ARCHIVE_FORMAT_ERROR:
    case ARCHIVE_UNSUPPORTED:
      return UNPACK_DECOMPRESSION_ERROR;
    default:
      return UNPACK_INTERNAL_ERROR;
  }
}

// The entry's time is a local clock reading in seconds since 1970.
static void SetWriteTime(HANDLE handle, uint32_t entryTime) {
  uint64_t ticks = ((uint64_t)entryTime + kFileTimeEpochSeconds) * 10000000ull;
  FILETIME local, utc;
  local.dwLowDateTime = (DWORD)ticks;
  local.dwHighDateTime = (DWORD)(ticks >> 32);
  if (LocalFileTimeToFileTime(&local, &utc)) SetFileTime(handle, NULL, NULL, &utc);
}

// Decodes the entry into the already created `tempPath`. The file is closed
// on return; the caller deletes it unless the result is UNPACK_DONE.
static int WriteTemporaryFile(ArchiveReader *reader, const char *tempPath, const char *path,
                              UnpackerFileCallback callback) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  HANDLE handle =
      CreateFileA(tempPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (handle == INVALID_HANDLE_VALUE) return UNPACK_CANNOT_WRITE;
  FileSink sink = {handle, path, (int64_t)entry->uncompressedSize, 0, callback};
  int result = ExtractResultOf(ArchiveReaderExtract(reader, WriteToFile, &sink));
  // An empty file still gets its one report.
  if (result == UNPACK_DONE && entry->uncompressedSize == 0 && callback != NULL &&
      callback(path, 0, 0, 0) == UNPACK_CANCEL)
    result = UNPACK_STOPPED;
  if (result == UNPACK_DONE) SetWriteTime(handle, entry->modificationTime);
  if (!CloseHandle(handle) && result == UNPACK_DONE) result = UNPACK_CANNOT_WRITE;
  return result;
}

// Moves the finished temporary file over the destination. A read-only
// destination is made writable first and keeps its attribute when the move
// fails.
static int ReplaceDestination(const char *tempPath, const char *path) {
  DWORD existing = GetFileAttributesA(path);
  int wasReadOnly = existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY);
  if (wasReadOnly) SetFileAttributesA(path, existing & ~FILE_ATTRIBUTE_READONLY);
  BOOL moved = MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING);
  // Windows 9x has no MoveFileExA: delete, then move.
  if (!moved && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED &&
      (existing == INVALID_FILE_ATTRIBUTES || DeleteFileA(path)))
    moved = MoveFileA(tempPath, path);
  if (!moved && wasReadOnly) SetFileAttributesA(path, existing);
  return moved ? UNPACK_DONE : UNPACK_CANNOT_WRITE;
}

static void ApplyAttributes(const char *path, uint32_t entryAttributes) {
  DWORD attributes = entryAttributes & kSettableAttributes;
  SetFileAttributesA(path, attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
}

// 1 to write, 0 to keep the existing file; asks only when it exists.
static int ShouldWrite(const char *path, const ArchiveEntry *entry,
                       UnpackerReplaceCallback replaceCallback) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || replaceCallback == NULL) return 1;
  int answer =
      replaceCallback(path, (int64_t)entry->uncompressedSize, (int32_t)entry->modificationTime);
  return answer != UNPACK_CANCEL;
}

int ExtractEntryToFolder(ArchiveReader *reader, const char *folder,
                         UnpackerFileCallback fileCallback,
                         UnpackerReplaceCallback replaceCallback) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  if (entry == NULL || folder == NULL) return UNPACK_INTERNAL_ERROR;
  const char *name = EntryFileName(entry->name);
  char path[MAX_PATH];
  char folderPath[MAX_PATH];
  if (name == NULL || !JoinPath(folder, name, path, folderPath)) return UNPACK_CANNOT_WRITE;
  FolderCreationResult folders = CreateMissingFolders(folderPath, fileCallback);
  if (folders == FOLDERS_STOPPED) return UNPACK_STOPPED;
  if (folders == FOLDERS_FAILED) return UNPACK_CANNOT_WRITE;
  DWORD existing = GetFileAttributesA(path);
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
    return UNPACK_CANNOT_WRITE;
  if (!ShouldWrite(path, entry, replaceCallback)) return UNPACK_DONE;
  char tempPath[MAX_PATH];
  if (!GetTempFileNameA(folderPath, "qvs", 0, tempPath)) return UNPACK_CANNOT_WRITE;
  int result = WriteTemporaryFile(reader, tempPath, path, fileCallback);
  if (result == UNPACK_DONE) result = ReplaceDestination(tempPath, path);
  if (result == UNPACK_DONE)
    ApplyAttributes(path, entry->attributes);
  else
    DeleteFileA(tempPath);
  return result;
}
