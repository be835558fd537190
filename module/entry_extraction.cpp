#include "module/entry_extraction.h"

#include <string.h>
#include <windows.h>

#include "format/payload_limits.h"
#include "module/folder_creation.h"

// Attributes an extracted file may carry; the rest describe what a file is
// (folder, compressed, sparse) and cannot be set.
static const DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                         FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Of those, the ones every Windows takes when creating a file, and the ones
// set once the file is complete.
static const DWORD kCreationAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
static const DWORD kLateAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Names tried before giving up on a temporary file: only taken names count.
static const uint32_t kTemporaryNameAttempts = 64;

static_assert(kMaxWritableFolderLength + kInstallerNameLength < MAX_PATH,
              "a temporary file's path fits in MAX_PATH with its zero");

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

// The attributes a file gets when it is created; the others follow once it
// is complete (ApplyLateAttributes), since a read-only file could not be
// deleted after a failure.
static DWORD CreationAttributes(uint32_t entryAttributes) {
  DWORD attributes = entryAttributes & kCreationAttributes;
  return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

static void ApplyLateAttributes(const char *path, uint32_t entryAttributes) {
  if ((entryAttributes & kLateAttributes) != 0)
    SetFileAttributesA(path, entryAttributes & kSettableAttributes);
}

// Opens `path` as a new file; fails when anything is there already.
static HANDLE CreateNewFile(const char *path, uint32_t entryAttributes) {
  return CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                     CreationAttributes(entryAttributes), NULL);
}

// The bytes to write: decoded ahead by the session's workers, or here.
struct EntrySource {
  ArchiveReader *reader;
  DecodeAhead *decodeAhead;  // null: decode on this thread
};

// Writes the entry into the open `handle` with the file callback, and gives
// the file the entry's time. The caller closes the handle.
static int WriteEntry(const EntrySource *source, HANDLE handle, const char *path,
                      UnpackerFileCallback callback) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(source->reader);
  FileSink sink = {handle, path, (int64_t)entry->uncompressedSize, 0, callback};
  ArchiveResult decoded =
      source->decodeAhead != NULL
          ? DecodeAheadExtract(source->decodeAhead, source->reader, WriteToFile, &sink)
          : ArchiveReaderExtract(source->reader, WriteToFile, &sink);
  int result = ExtractResultOf(decoded);
  // An empty file still gets its one report.
  if (result == UNPACK_DONE && entry->uncompressedSize == 0 && callback != NULL &&
      callback(path, 0, 0, 0) == UNPACK_CANCEL)
    result = UNPACK_STOPPED;
  if (result == UNPACK_DONE) SetWriteTime(handle, entry->modificationTime);
  return result;
}

// Writes a destination that did not exist, through `handle` opened on it.
// The file did not exist before, so deleting it after a failure or a stop
// restores the state.
static int WriteNewFile(const EntrySource *source, HANDLE handle, const char *path,
                        UnpackerFileCallback callback) {
  int result = WriteEntry(source, handle, path, callback);
  if (!CloseHandle(handle) && result == UNPACK_DONE) result = UNPACK_CANNOT_WRITE;
  if (result != UNPACK_DONE) {
    DeleteFileA(path);
    return result;
  }
  ApplyLateAttributes(path, ArchiveReaderGetEntry(source->reader)->attributes);
  return UNPACK_DONE;
}

// A new file named `folder` + "~qvs" + 8 hexadecimal digits + ".tmp" (a
// name of kInstallerNameLength), its name in `path` (MAX_PATH bytes);
// INVALID_HANDLE_VALUE when none can be made. The folder is one the
// installer may write into (format/payload_limits.h).
static HANDLE CreateTemporaryFile(const char *folder, uint32_t entryAttributes, char *path) {
  static uint32_t counter = 0;
  size_t folderLength = strlen(folder);
  if (folderLength > kMaxWritableFolderLength) return INVALID_HANDLE_VALUE;
  uint32_t seed = GetCurrentProcessId() << 16 ^ GetTickCount();
  for (uint32_t attempt = 0; attempt < kTemporaryNameAttempts; attempt++) {
    uint32_t number = seed + counter++;
    char *out = path + folderLength;
    memcpy(path, folder, folderLength);
    memcpy(out, "~qvs", 4);
    for (int digit = 0; digit < 8; digit++)
      out[4 + digit] = "0123456789abcdef"[(number >> (28 - 4 * digit)) & 0xF];
    memcpy(out + 12, ".tmp", 5);
    HANDLE handle = CreateNewFile(path, entryAttributes);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

// Moves the finished temporary file over the destination, whose attributes
// are `existing`. A read-only destination is made writable first and keeps
// its attribute when the move fails.
static int ReplaceDestination(const char *tempPath, const char *path, DWORD existing) {
  int wasReadOnly = (existing & FILE_ATTRIBUTE_READONLY) != 0;
  if (wasReadOnly) SetFileAttributesA(path, existing & ~FILE_ATTRIBUTE_READONLY);
  BOOL moved = MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING);
  // Windows 9x has no MoveFileExA: delete, then move.
  if (!moved && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && DeleteFileA(path))
    moved = MoveFileA(tempPath, path);
  if (!moved && wasReadOnly) SetFileAttributesA(path, existing);
  return moved ? UNPACK_DONE : UNPACK_CANNOT_WRITE;
}

// Replaces an existing file: the data goes to a temporary file in the same
// folder that replaces the destination only once the CRC matched, so a
// failure never harms the existing file.
static int ReplaceExistingFile(const EntrySource *source, const char *path, const char *folder,
                               DWORD existing, UnpackerFileCallback callback) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(source->reader);
  char tempPath[MAX_PATH];
  HANDLE handle = CreateTemporaryFile(folder, entry->attributes, tempPath);
  if (handle == INVALID_HANDLE_VALUE) return UNPACK_CANNOT_WRITE;
  int result = WriteEntry(source, handle, path, callback);
  if (!CloseHandle(handle) && result == UNPACK_DONE) result = UNPACK_CANNOT_WRITE;
  if (result == UNPACK_DONE) result = ReplaceDestination(tempPath, path, existing);
  if (result == UNPACK_DONE)
    ApplyLateAttributes(path, entry->attributes);
  else
    DeleteFileA(tempPath);
  return result;
}

// Whether attributes read off a path say that a folder is there.
static int IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int ExtractEntryToFolder(ArchiveReader *reader, DecodeAhead *decodeAhead, const char *folder,
                         UnpackerFileCallback fileCallback,
                         UnpackerReplaceCallback replaceCallback) {
  const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
  if (entry == NULL || folder == NULL) return UNPACK_INTERNAL_ERROR;
  const char *name = EntryFileName(entry->name);
  char path[MAX_PATH];
  char folderPath[MAX_PATH];
  if (name == NULL || !JoinPath(folder, name, path, folderPath)) return UNPACK_CANNOT_WRITE;
  EntrySource source = {reader, decodeAhead};
  // Most destinations are new: creating the file answers whether it exists
  // and whether its folder does, in one call.
  HANDLE handle = CreateNewFile(path, entry->attributes);
  if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND) {
    FolderCreationResult folders = CreateMissingFolders(folderPath, fileCallback);
    if (folders == FOLDERS_STOPPED) return UNPACK_STOPPED;
    if (folders == FOLDERS_FAILED) return UNPACK_CANNOT_WRITE;
    handle = CreateNewFile(path, entry->attributes);
  }
  if (handle != INVALID_HANDLE_VALUE) return WriteNewFile(&source, handle, path, fileCallback);
  DWORD existing = GetFileAttributesA(path);
  if (existing == INVALID_FILE_ATTRIBUTES || IsFolder(existing)) return UNPACK_CANNOT_WRITE;
  if (replaceCallback != NULL &&
      replaceCallback(path, (int64_t)entry->uncompressedSize, (int32_t)entry->modificationTime) ==
          UNPACK_CANCEL)
    return UNPACK_DONE;
  // The callback may have moved the file aside (to restore it on a rollback).
  existing = GetFileAttributesA(path);
  if (existing == INVALID_FILE_ATTRIBUTES) {
    handle = CreateNewFile(path, entry->attributes);
    if (handle == INVALID_HANDLE_VALUE) return UNPACK_CANNOT_WRITE;
    return WriteNewFile(&source, handle, path, fileCallback);
  }
  if (IsFolder(existing)) return UNPACK_CANNOT_WRITE;
  return ReplaceExistingFile(&source, path, folderPath, existing, fileCallback);
}
