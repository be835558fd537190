#include "platform/folder_walk.h"

#include <windows.h>

#include <string.h>

namespace {

void WalkFolder(const std::string &folder, int depthLeft, size_t maxCount,
                std::vector<std::string> *names) {
  if (depthLeft <= 0 || names->size() >= maxCount) return;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
    if (strcmp(entry.cFileName, ".") == 0 || strcmp(entry.cFileName, "..") == 0) continue;
    if (names->size() >= maxCount) break;
    names->push_back(entry.cFileName);
    WalkFolder(folder + entry.cFileName + "\\", depthLeft - 1, maxCount, names);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace

std::vector<std::string> ListSubfolderNames(const std::string &folder, int maxDepth,
                                            size_t maxCount) {
  std::vector<std::string> names;
  WalkFolder(folder, maxDepth, maxCount, &names);
  return names;
}
