#include "platform/file_tasks.h"

#include <windows.h>

#include <string.h>

#include "platform/files.h"
#include "platform/libraries.h"

namespace {

// Large enough for any ANSI path the A functions return.
const DWORD kPathBufferSize = 32768;

typedef DWORD(WINAPI *GetLongPathNameAFn)(LPCSTR, LPSTR, DWORD);

PathKind KindOf(DWORD attributes) {
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return folder ? kPathFolderLink : kPathFileLink;
  return folder ? kPathFolder : kPathFile;
}

}  // namespace

bool CreateFolderAt(const std::string &path) { return CreateDirectoryA(path.c_str(), NULL) != 0; }

bool RemoveFolderAt(const std::string &path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool ScheduleRemovalAtRestart(const std::string &path) {
  return MoveFileExA(path.c_str(), NULL, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void MakeAttributesNormal(const std::string &path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool CopyFileOver(const std::string &source, const std::string &destination) {
  return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

PathKind ReadPathKind(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? kPathMissing : KindOf(attributes);
}

bool ListFolderEntries(const std::string &folder, size_t maxCount,
                       std::vector<FolderEntry> *entries) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0) continue;
    if (entries->size() >= maxCount) break;
    FolderEntry entry;
    entry.name = found.cFileName;
    entry.kind = KindOf(found.dwFileAttributes);
    entries->push_back(entry);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

std::string FullLongPathOf(const std::string &path) {
  if (path.empty()) return std::string();
  std::string full(kPathBufferSize, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), kPathBufferSize, &full[0], NULL);
  if (length == 0 || length >= kPathBufferSize) return std::string();
  full.resize(length);
  // GetLongPathNameA is missing on Windows 95 and NT 4.0.
  GetLongPathNameAFn getLong = (GetLongPathNameAFn)FindLibraryFunction(
      GetLoadedSystemLibrary("kernel32.dll"), "GetLongPathNameA");
  if (getLong == NULL) return full;
  std::string longForm(kPathBufferSize, '\0');
  const DWORD longLength = getLong(full.c_str(), &longForm[0], kPathBufferSize);
  if (longLength == 0 || longLength >= kPathBufferSize) return full;
  longForm.resize(longLength);
  return longForm;
}

bool ReadSmallFile(const std::string &path, size_t limit, std::string *contents) {
  FileHandle file = OpenFileForReading(path);
  const bool ok = ReadSmallOpenFile(file, limit, contents);
  CloseFileHandle(&file);
  return ok;
}

bool ReadSmallOpenFile(FileHandle file, size_t limit, std::string *contents) {
  uint64_t size = 0;
  bool ok = file != NULL && ReadOpenFileSize(file, &size) && size <= limit;
  if (ok) {
    std::string data((size_t)size, '\0');
    ok = data.empty() || ReadFileAt(file, 0, &data[0], data.size());
    if (ok) contents->swap(data);
  }
  return ok;
}

bool RewriteFile(const std::string &path, const std::string &contents) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FileHandle file = (FileHandle)handle;
  const bool ok = WriteToFile(file, contents.data(), contents.size()) &&
                  SetEndOfFile(handle) != 0;
  CloseFileHandle(&file);
  return ok;
}
