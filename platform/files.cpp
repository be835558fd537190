#include "platform/files.h"

#include <windows.h>

#include "platform/libraries.h"

namespace {

// Win32 reports "no handle" as INVALID_HANDLE_VALUE; callers see NULL.
FileHandle FromWin32(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? NULL : (FileHandle)handle;
}

// Large enough for any ANSI path Win32 hands back through the A functions.
const DWORD kPathBufferSize = 32768;

typedef DWORD(WINAPI *GetLongPathNameAFn)(LPCSTR, LPSTR, DWORD);
typedef DWORD(WINAPI *GetFinalPathNameByHandleAFn)(HANDLE, LPSTR, DWORD, DWORD);

// GetFinalPathNameByHandleA: the normalized name with its drive letter.
const DWORD kFinalPathWithDrive = 0;

}  // namespace

FileHandle OpenFileForReading(const std::string &path) {
  return FromWin32(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
}

FileHandle OpenFileDenyingWriters(const std::string &path) {
  return FromWin32(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL));
}

FileHandle CreateFileForWriting(const std::string &path) {
  return FromWin32(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL));
}

FileHandle OpenPlainFileForWriting(const std::string &path, bool keepContents) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, NULL);
  if (handle == INVALID_HANDLE_VALUE) return NULL;
  BY_HANDLE_FILE_INFORMATION info;
  const DWORD notPlain = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
  LARGE_INTEGER start;
  start.QuadPart = 0;
  const bool plain = GetFileInformationByHandle(handle, &info) &&
                     (info.dwFileAttributes & notPlain) == 0 && info.nNumberOfLinks == 1;
  const bool placed =
      plain && (keepContents ? SetFilePointerEx(handle, start, NULL, FILE_END) != 0
                             : SetFilePointerEx(handle, start, NULL, FILE_BEGIN) &&
                                   SetEndOfFile(handle));
  if (!placed) {
    CloseHandle(handle);
    return NULL;
  }
  return (FileHandle)handle;
}

FileHandle CreateNewFileForWriting(const std::string &path, bool *alreadyExists) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  if (alreadyExists != NULL) {
    DWORD error = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    *alreadyExists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  }
  return FromWin32(handle);
}

FileHandle OpenFileExclusively(const std::string &path, bool *inUse) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | DELETE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  if (inUse != NULL)
    *inUse = handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
  return FromWin32(handle);
}

bool ReadFromFile(FileHandle file, void *buffer, size_t size, size_t *bytesRead) {
  size_t total = 0;
  bool ok = file != NULL && buffer != NULL;
  while (ok && total < size) {
    size_t left = size - total;
    DWORD chunk = left > 0x40000000u ? 0x40000000u : (DWORD)left;
    DWORD got = 0;
    ok = ReadFile((HANDLE)file, (char *)buffer + total, chunk, &got, NULL) != 0;
    if (!ok || got == 0) break;
    total += got;
  }
  if (bytesRead != NULL) *bytesRead = total;
  return ok;
}

bool ReadFileAt(FileHandle file, uint64_t offset, void *buffer, size_t size) {
  if (file == NULL || (buffer == NULL && size > 0)) return false;
  char *out = (char *)buffer;
  while (size > 0) {
    DWORD chunk = size > 0x40000000u ? 0x40000000u : (DWORD)size;
    OVERLAPPED at;
    ZeroMemory(&at, sizeof at);
    at.Offset = (DWORD)offset;
    at.OffsetHigh = (DWORD)(offset >> 32);
    DWORD got = 0;
    BOOL read = ReadFile((HANDLE)file, out, chunk, &got, &at);
    // Windows 9x reads files only from the handle's position.
    if (!read && GetLastError() == ERROR_INVALID_PARAMETER && SeekFileTo(file, offset))
      read = ReadFile((HANDLE)file, out, chunk, &got, NULL);
    if (!read || got == 0) return false;
    out += got;
    offset += got;
    size -= got;
  }
  return true;
}

bool FilesHoldSameBytes(FileHandle first, FileHandle second) {
  const size_t kChunk = 65536;
  uint64_t size = 0;
  uint64_t otherSize = 0;
  if (!ReadOpenFileSize(first, &size) || !ReadOpenFileSize(second, &otherSize) ||
      size != otherSize)
    return false;
  std::string a(kChunk, '\0');
  std::string b(kChunk, '\0');
  for (uint64_t at = 0; at < size; at += kChunk) {
    const size_t piece = size - at < kChunk ? (size_t)(size - at) : kChunk;
    if (!ReadFileAt(first, at, &a[0], piece) || !ReadFileAt(second, at, &b[0], piece) ||
        a.compare(0, piece, b, 0, piece) != 0)
      return false;
  }
  return true;
}

bool WriteToFile(FileHandle file, const void *buffer, size_t size) {
  size_t total = 0;
  if (file == NULL || (buffer == NULL && size > 0)) return false;
  while (total < size) {
    size_t left = size - total;
    DWORD chunk = left > 0x40000000u ? 0x40000000u : (DWORD)left;
    DWORD put = 0;
    if (!WriteFile((HANDLE)file, (const char *)buffer + total, chunk, &put, NULL) || put == 0)
      return false;
    total += put;
  }
  return true;
}

bool FlushFileToDisk(FileHandle file) {
  return file != NULL && FlushFileBuffers((HANDLE)file) != 0;
}

bool SeekFileTo(FileHandle file, uint64_t offset) {
  if (file == NULL || offset > (uint64_t)INT64_MAX) return false;
  LARGE_INTEGER distance;
  distance.QuadPart = (LONGLONG)offset;
  return SetFilePointerEx((HANDLE)file, distance, NULL, FILE_BEGIN) != 0;
}

bool SeekFileToEnd(FileHandle file) {
  LARGE_INTEGER distance;
  distance.QuadPart = 0;
  return file != NULL && SetFilePointerEx((HANDLE)file, distance, NULL, FILE_END) != 0;
}

bool ReadOpenFileSize(FileHandle file, uint64_t *size) {
  LARGE_INTEGER value;
  if (file == NULL || size == NULL || !GetFileSizeEx((HANDLE)file, &value) || value.QuadPart < 0)
    return false;
  *size = (uint64_t)value.QuadPart;
  return true;
}

void CloseFileHandle(FileHandle *file) {
  if (file == NULL || *file == NULL) return;
  CloseHandle((HANDLE)*file);
  *file = NULL;
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFileSizeAt(const std::string &path, uint64_t *size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (size == NULL || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return false;
  *size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
  return true;
}

bool DeleteFileAt(const std::string &path) { return DeleteFileA(path.c_str()) != 0; }

bool ReadFileAttributesAt(const std::string &path, uint32_t *attributes) {
  const DWORD found = GetFileAttributesA(path.c_str());
  if (found == INVALID_FILE_ATTRIBUTES || (found & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  if (attributes != NULL) *attributes = found;
  return true;
}

bool MoveFileToKeptPath(const std::string &path, const std::string &keptPath) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      !MoveFileA(path.c_str(), keptPath.c_str()))
    return false;
  SetFileAttributesA(keptPath.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
  return true;
}

bool PutKeptFileBack(const std::string &keptPath, const std::string &path, uint32_t attributes) {
  if (GetFileAttributesA(keptPath.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  DWORD existing = GetFileAttributesA(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  BOOL moved = MoveFileExA(keptPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  // Windows 9x has no MoveFileExA: delete, then move.
  if (!moved && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED &&
      (existing == INVALID_FILE_ATTRIBUTES || DeleteFileA(path.c_str())))
    moved = MoveFileA(keptPath.c_str(), path.c_str());
  if (!moved) return false;
  SetFileAttributesA(path.c_str(), attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL);
  return true;
}

bool RenameFileOver(const std::string &from, const std::string &to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  // Windows 9x has no MoveFileExA: delete, then move.
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(to.c_str()))
    return false;
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool PathExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteFileClearingAttributes(const std::string &path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != 0;
}

bool ReadFileStamp(const std::string &path, uint64_t *size, int64_t *localWriteTime) {
  // Seconds between 1601-01-01 (FILETIME) and 1970-01-01.
  const uint64_t kFileTimeEpochSeconds = 11644473600ull;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  FILETIME local;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) return false;
  uint64_t ticks = ((uint64_t)local.dwHighDateTime << 32) | local.dwLowDateTime;
  if (size != NULL) *size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
  if (localWriteTime != NULL)
    *localWriteTime = (int64_t)(ticks / 10000000ull) - (int64_t)kFileTimeEpochSeconds;
  return true;
}

bool SetCurrentFolder(const std::string &folder) {
  return SetCurrentDirectoryA(folder.c_str()) != 0;
}

bool GetFinalPathOf(void *file, bool longForm, std::string *path) {
  GetFinalPathNameByHandleAFn finalPath = (GetFinalPathNameByHandleAFn)FindLibraryFunction(
      GetLoadedSystemLibrary("kernel32.dll"), "GetFinalPathNameByHandleA");
  if (file == NULL || path == NULL || finalPath == NULL) return false;
  std::string name(kPathBufferSize, '\0');
  const DWORD length = finalPath((HANDLE)file, &name[0], kPathBufferSize, kFinalPathWithDrive);
  if (length == 0 || length >= kPathBufferSize) return false;
  name.resize(length);
  if (!longForm && name.compare(0, 8, "\\\\?\\UNC\\") == 0) {
    name = "\\\\" + name.substr(8);
  } else if (!longForm && name.compare(0, 4, "\\\\?\\") == 0) {
    name = name.substr(4);
  }
  *path = name;
  return true;
}

bool GetOwnExecutablePath(std::string *path) {
  std::string buffer(kPathBufferSize, '\0');
  DWORD length = GetModuleFileNameA(NULL, &buffer[0], kPathBufferSize);
  // A length equal to the buffer size means the name was cut short.
  if (path == NULL || length == 0 || length >= kPathBufferSize) return false;
  buffer.resize(length);
  *path = buffer;
  return true;
}

bool GetTemporaryFolder(std::string *path) {
  std::string buffer(kPathBufferSize, '\0');
  DWORD length = GetTempPathA(kPathBufferSize, &buffer[0]);
  if (path == NULL || length == 0 || length >= kPathBufferSize) return false;
  buffer.resize(length);
  // GetLongPathNameA is missing on Windows 95 and NT 4.0.
  LibraryHandle kernel = GetLoadedSystemLibrary("kernel32.dll");
  GetLongPathNameAFn getLong = (GetLongPathNameAFn)FindLibraryFunction(kernel, "GetLongPathNameA");
  if (getLong != NULL) {
    std::string longForm(kPathBufferSize, '\0');
    DWORD longLength = getLong(buffer.c_str(), &longForm[0], kPathBufferSize);
    if (longLength > 0 && longLength < kPathBufferSize) {
      longForm.resize(longLength);
      buffer = longForm;
    }
  }
  *path = buffer;
  return true;
}
