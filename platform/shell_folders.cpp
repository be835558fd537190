#include "platform/shell_folders.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

// SHGetPathFromIDListA writes at most MAX_PATH characters; the margin keeps
// a faulty shell extension from writing past the buffer.
const size_t kFolderBuffer = MAX_PATH + 10;

}  // namespace

std::string ReadSpecialFolder(int csidl) {
  LPITEMIDLIST list = NULL;
  std::string folder;
  if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, csidl, &list)) && list != NULL) {
    char buffer[kFolderBuffer] = {};
    if (SHGetPathFromIDListA(list, buffer)) {
      buffer[kFolderBuffer - 1] = '\0';
      folder = buffer;
    }
  }
  if (list != NULL) CoTaskMemFree(list);
  return folder;
}

bool FolderExistsAt(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
