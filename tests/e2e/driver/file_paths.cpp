#include "tests/e2e/driver/file_paths.h"

#include <windows.h>

#include <string.h>

std::string ExpandPath(const std::string &path) {
  char temp[MAX_PATH + 1] = {0};
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (length > 0 && length < sizeof temp) {
    if (temp[length - 1] == '\\') temp[length - 1] = 0;
    SetEnvironmentVariableA("TEMPDIR", temp);
  }
  DWORD needed = ExpandEnvironmentStringsA(path.c_str(), NULL, 0);
  if (needed == 0 || needed > 32768) return path;
  std::vector<char> out(needed + 1, 0);
  if (ExpandEnvironmentStringsA(path.c_str(), out.data(), (DWORD)out.size()) == 0) return path;
  return out.data();
}

std::vector<FileMark> ListMatchingFiles(const std::string &pattern) {
  std::vector<FileMark> files;
  WIN32_FIND_DATAA found;
  memset(&found, 0, sizeof found);
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    FileMark mark;
    mark.name = found.cFileName;
    mark.size = ((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
    mark.written = found.ftLastWriteTime;
    files.push_back(mark);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}
