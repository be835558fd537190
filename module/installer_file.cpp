#include "module/installer_file.h"

int OpenInstallerFile(const char *path, InstallerFile *file) {
  file->handle = INVALID_HANDLE_VALUE;
  file->size = 0;
  if (path == NULL) return 0;
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  // GetFileSize rather than GetFileSizeEx: the module must load on every
  // Windows the stub supports.
  DWORD high = 0;
  DWORD low = GetFileSize(handle, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    CloseHandle(handle);
    return 0;
  }
  file->handle = handle;
  file->size = (uint64_t)high << 32 | low;
  return 1;
}

int ReadInstallerFileAt(void *context, uint64_t offset, void *buffer, size_t size) {
  InstallerFile *file = (InstallerFile *)context;
  if (file == NULL || file->handle == INVALID_HANDLE_VALUE) return 0;
  if (offset > file->size || size > file->size - offset) return 0;
  LONG high = (LONG)(offset >> 32);
  DWORD low = SetFilePointer(file->handle, (LONG)(uint32_t)offset, &high, FILE_BEGIN);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 0;
  uint8_t *out = (uint8_t *)buffer;
  while (size > 0) {
    DWORD piece = size > 0x40000000u ? 0x40000000u : (DWORD)size;
    DWORD got = 0;
    if (!ReadFile(file->handle, out, piece, &got, NULL) || got == 0) return 0;
    out += got;
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
  CloseHandle(file->handle);
  file->handle = INVALID_HANDLE_VALUE;
  file->size = 0;
}
