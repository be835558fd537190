#include "module/installer_file.h"

// GetFileSize rather than GetFileSizeEx: the module must load on every
// Windows the stub supports.
static int ReadSize(HANDLE handle, uint64_t *size) {
  DWORD high = 0;
  DWORD low = GetFileSize(handle, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  *size = (uint64_t)high << 32 | low;
  return 1;
}

int OpenInstallerFile(const char *path, InstallerFile *file) {
  file->handle = INVALID_HANDLE_VALUE;
  file->size = 0;
  file->owned = 0;
  if (path == NULL) return 0;
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  if (!ReadSize(handle, &file->size)) {
    CloseHandle(handle);
    return 0;
  }
  file->handle = handle;
  file->owned = 1;
  return 1;
}

int UseInstallerFileHandle(HANDLE handle, InstallerFile *file) {
  file->handle = INVALID_HANDLE_VALUE;
  file->size = 0;
  file->owned = 0;
  if (handle == NULL || handle == INVALID_HANDLE_VALUE || !ReadSize(handle, &file->size))
    return 0;
  file->handle = handle;
  return 1;
}

int ReadsNeedFilePointer() { return (GetVersion() & 0x80000000u) != 0; }

static int ReadPiece(HANDLE handle, uint64_t offset, void *buffer, DWORD piece, DWORD *got) {
  if (ReadsNeedFilePointer()) {
    LONG high = (LONG)(offset >> 32);
    DWORD low = SetFilePointer(handle, (LONG)(uint32_t)offset, &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 0;
    return ReadFile(handle, buffer, piece, got, NULL) != 0;
  }
  OVERLAPPED at;
  ZeroMemory(&at, sizeof at);
  at.Offset = (DWORD)offset;
  at.OffsetHigh = (DWORD)(offset >> 32);
  return ReadFile(handle, buffer, piece, got, &at) != 0;
}

int ReadInstallerFileAt(void *context, uint64_t offset, void *buffer, size_t size) {
  InstallerFile *file = (InstallerFile *)context;
  if (file == NULL || file->handle == INVALID_HANDLE_VALUE) return 0;
  if (offset > file->size || size > file->size - offset) return 0;
  uint8_t *out = (uint8_t *)buffer;
  while (size > 0) {
    DWORD piece = size > 0x40000000u ? 0x40000000u : (DWORD)size;
    DWORD got = 0;
    if (!ReadPiece(file->handle, offset, out, piece, &got) || got == 0) return 0;
    out += got;
    offset += got;
    size -= got;
  }
  return 1;
}

ArchiveSource InstallerFileSource(InstallerFile *file) {
  ArchiveSource source = {file, ReadInstallerFileAt, file->size};
  return source;
}

void CloseInstallerFile(InstallerFile *file) {
  if (file == NULL || file->handle == INVALID_HANDLE_VALUE) return;
  if (file->owned) CloseHandle(file->handle);
  file->handle = INVALID_HANDLE_VALUE;
  file->size = 0;
  file->owned = 0;
}
