#include "engine/undo/safe_removal.h"

#include "engine/undo/folder_protection.h"
#include "platform/file_tasks.h"
#include "platform/files.h"

namespace {

// A folder named with a trailing "\" is its target when it is a link
// ("C:\Link\" is the folder Link leads to): asked about and removed without
// it, the link is the link itself. A drive's root keeps its "\".
const size_t kDriveRootLength = 3;

std::string AsEntry(const std::string &path) {
  std::string entry = path;
  while (entry.size() > kDriveRootLength && (entry.back() == '\\' || entry.back() == '/'))
    entry.pop_back();
  return entry;
}

bool Holds(const std::string &folder, const std::string &path) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '\\';
}

}  // namespace

RemovalResult RemoveFileAt(const std::string &file, bool scheduleInUse) {
  const std::string path = AsEntry(file);
  const PathKind kind = ReadPathKind(path);
  if (kind == kPathMissing) return kRemovalMissing;
  if (kind != kPathFile && kind != kPathFileLink) return kRemovalRefused;
  // A link's attributes are its own, but there is no need to touch them.
  const bool deleted =
      kind == kPathFileLink ? DeleteFileAt(path) : DeleteFileClearingAttributes(path);
  if (deleted) return kRemovalDone;
  if (ReadPathKind(path) == kPathMissing) return kRemovalDone;
  if (scheduleInUse && ScheduleRemovalAtRestart(path)) return kRemovalScheduled;
  return kRemovalFailed;
}

RemovalResult RemoveEmptyFolder(const std::string &folder) {
  const std::string path = AsEntry(folder);
  const PathKind kind = ReadPathKind(path);
  if (kind == kPathMissing) return kRemovalMissing;
  if (kind != kPathFolder && kind != kPathFolderLink) return kRemovalRefused;
  // A read-only folder would refuse to go on some systems; a link keeps its
  // attributes.
  if (kind == kPathFolder) MakeAttributesNormal(path);
  return RemoveFolderAt(path) ? kRemovalDone : kRemovalFailed;
}

bool IsFolderLinkAt(const std::string &folder) {
  return ReadPathKind(AsEntry(folder)) == kPathFolderLink;
}

bool ScheduleFolderAfterFiles(const std::string &folder,
                              const std::vector<std::string> &scheduled) {
  const std::string normal = NormalizeFolderPath(folder);
  const std::string path = AsEntry(folder);
  if (normal.empty() || ReadPathKind(path) != kPathFolder) return false;
  for (const std::string &file : scheduled) {
    if (Holds(normal, NormalizeFolderPath(file))) return ScheduleRemovalAtRestart(path);
  }
  return false;
}
