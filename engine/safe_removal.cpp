#include "engine/safe_removal.h"

#include "engine/folder_protection.h"
#include "platform/file_tasks.h"
#include "platform/files.h"

namespace {

bool Holds(const std::string &folder, const std::string &path) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '\\';
}

}  // namespace

RemovalResult RemoveFileAt(const std::string &path, bool scheduleInUse) {
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

RemovalResult RemoveEmptyFolder(const std::string &path) {
  const PathKind kind = ReadPathKind(path);
  if (kind == kPathMissing) return kRemovalMissing;
  if (kind != kPathFolder && kind != kPathFolderLink) return kRemovalRefused;
  // A read-only folder would refuse to go on some systems; a link keeps its
  // attributes.
  if (kind == kPathFolder) MakeAttributesNormal(path);
  return RemoveFolderAt(path) ? kRemovalDone : kRemovalFailed;
}

bool ScheduleFolderAfterFiles(const std::string &folder,
                              const std::vector<std::string> &scheduled) {
  const std::string normal = NormalizeFolderPath(folder);
  if (normal.empty() || ReadPathKind(folder) != kPathFolder) return false;
  for (const std::string &file : scheduled) {
    if (Holds(normal, NormalizeFolderPath(file))) return ScheduleRemovalAtRestart(folder);
  }
  return false;
}
