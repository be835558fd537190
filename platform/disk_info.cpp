#include "platform/disk_info.h"

#include <windows.h>

#include "platform/shell_folders.h"

bool QueryDiskSpace(const std::string &path, uint64_t *totalBytes, uint64_t *freeBytes) {
  // A drive without a medium would otherwise ask the user to insert one.
  UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  ULARGE_INTEGER available, total, totalFree;
  BOOL ok = GetDiskFreeSpaceExA(path.c_str(), &available, &total, &totalFree);
  SetErrorMode(previousMode);
  if (!ok) return false;
  if (totalBytes != NULL) *totalBytes = total.QuadPart;
  if (freeBytes != NULL) *freeBytes = available.QuadPart;
  return true;
}

bool IsKnownDriveRoot(const std::string &path) {
  if (path.size() != 3 || path[1] != ':' || path[2] != '\\') return false;
  UINT type = GetDriveTypeA(path.c_str());
  return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

bool FolderExists(const std::string &path) {
  // An empty removable drive must not make the system ask for a disk.
  UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  bool exists = FolderExistsAt(path);
  SetErrorMode(previousMode);
  return exists;
}
