#include "wizard/disk_space.h"

#include <string.h>

#include "platform/disk_info.h"
#include "wizard/install_folder_text.h"

namespace {

int64_t AsSigned(uint64_t bytes) { return bytes > (uint64_t)INT64_MAX ? INT64_MAX : (int64_t)bytes; }

bool IsKind(const char *kind, char letter) {
  return kind != NULL && strlen(kind) == 1 && (kind[0] | 0x20) == letter;
}

}  // namespace

int64_t GetDiskSpace(const std::string &path, const char *kind) {
  bool total = IsKind(kind, 't'), free = IsKind(kind, 'f'), used = IsKind(kind, 'u');
  if (!total && !free && !used) return -1;
  uint64_t totalBytes = 0, freeBytes = 0;
  if (!QueryDiskSpace(path, &totalBytes, &freeBytes)) return -1;
  if (total) return AsSigned(totalBytes);
  if (free) return AsSigned(freeBytes);
  return AsSigned(totalBytes >= freeBytes ? totalBytes - freeBytes : 0);
}

int DriveExists(const std::string &path) {
  std::string folder = WithTrailingBackslash(path);
  if (folder.size() == 3 && folder[1] == ':') return IsKnownDriveRoot(folder) ? 1 : 0;
  return FolderExists(folder) ? 1 : 0;
}
