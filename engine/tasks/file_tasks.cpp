#include "engine/tasks/file_tasks.h"

#include <vector>

#include "checks/registry.h"
#include "engine/undo/install_journal.h"
#include "engine/install/install_plan.h"
#include "platform/environment.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/shell_folders.h"
#include "script/path_rules.h"
#include "script/registry_text.h"

namespace {

// The shell's numbers of the folders protected here (CSIDL values).
const int kCsidlWindows = 36;
const int kCsidlSystem = 37;
const int kCsidlProgramFiles = 38;
const int kCsidlProfile = 40;
const int kCsidlSystemX86 = 41;
const int kCsidlProgramFilesX86 = 42;

const char kProfileListKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const char kProfilesDirectoryValue[] = "ProfilesDirectory";

// Folder levels entered at most; far more than a path of the system's
// length limit can hold.
const int kMaxDepth = 200;
// Entries listed per folder at most.
const size_t kMaxEntries = 1u << 20;

std::string WithBackslash(const std::string &folder) {
  if (!folder.empty() && folder[folder.size() - 1] == '\\') return folder;
  return folder + "\\";
}

// The folder holding `folder` (a trailing "\" ignored).
std::string ParentFolder(const std::string &folder) {
  return FolderPartOf(StripTrailingBackslash(folder));
}

void AddFull(std::vector<std::string> *list, const std::string &path) {
  if (path.empty() || path == "\\") return;
  const std::string full = FullLongPathOf(path);
  if (!full.empty()) list->push_back(full);
}

void DeleteEntriesOf(const std::string &folder, int depthLeft) {
  std::vector<FolderEntry> entries;
  if (!ListFolderEntries(folder, kMaxEntries, &entries)) return;
  for (const FolderEntry &entry : entries) {
    const std::string path = folder + entry.name;
    // Links keep their attributes: changing them could reach the target.
    switch (entry.kind) {
      case kPathFolder:
        MakeAttributesNormal(path);
        if (depthLeft > 0) DeleteEntriesOf(path + "\\", depthLeft - 1);
        RemoveFolderAt(path);
        break;
      case kPathFolderLink:
        RemoveFolderAt(path);
        break;
      case kPathFile:
        MakeAttributesNormal(path);
        DeleteFileAt(path);
        break;
      case kPathFileLink:
        DeleteFileAt(path);
        break;
      case kPathMissing:
        break;
    }
  }
}

}  // namespace

bool CreateFolderTask(const std::string &folder) {
  if (folder.empty() || !CreateFolderAt(folder)) return false;
  RecordFolderCreated(&Journal(), folder);
  return true;
}

ProtectedFolders SystemProtectedFolders() {
  ProtectedFolders result;
  const std::string windir = ReadEnvironmentVariable("windir");
  const int csidls[] = {kCsidlWindows, kCsidlSystem, kCsidlSystemX86, kCsidlProgramFiles,
                        kCsidlProgramFilesX86, kCsidlProfile};
  for (int csidl : csidls) AddFull(&result.folders, ReadSpecialFolder(csidl));
  // A 32-bit process on 64-bit Windows is shown the 32-bit Program Files;
  // the environment names the other one.
  const char *variables[] = {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "USERPROFILE"};
  for (const char *name : variables) AddFull(&result.folders, ReadEnvironmentVariable(name));
  AddFull(&result.folders, windir);

  AddFull(&result.profilesFolders,
          RegistryReadValue(RegistryRootFromCode(kRootLocalMachine), kProfileListKey,
                            kProfilesDirectoryValue));
  AddFull(&result.profilesFolders, ParentFolder(ReadSpecialFolder(kCsidlProfile)));
  AddFull(&result.profilesFolders, ParentFolder(ReadEnvironmentVariable("USERPROFILE")));
  // Windows 9x keeps users' profiles, when it has any, below Windows.
  if (!windir.empty()) AddFull(&result.profilesFolders, WithBackslash(windir) + "Profiles");
  for (const std::string &profiles : result.profilesFolders) result.folders.push_back(profiles);
  return result;
}

bool DeleteFolderWithContents(const std::string &folder) {
  if (folder.empty()) return false;
  const std::string full = FullLongPathOf(folder);
  if (full.empty() || IsFolderDeletionRefused(full, SystemProtectedFolders())) return false;
  const std::string path = StripTrailingBackslash(full);
  switch (ReadPathKind(path)) {
    case kPathFolderLink:
      return RemoveFolderAt(path);
    case kPathFolder:
      MakeAttributesNormal(path);
      DeleteEntriesOf(WithBackslash(path), kMaxDepth);
      return RemoveFolderAt(path);
    default:
      return false;
  }
}

void CreateFolderLevels(const std::string &folder) {
  for (const std::string &level : FolderLevels(folder))
    if (CreateFolderAt(level)) RecordFolderCreated(&Journal(), level);
}

bool CopyFileTask(const std::string &source, const std::string &destination) {
  return CopyFileOver(source, destination);
}

bool DeleteFileTask(const std::string &path) {
  const PathKind kind = ReadPathKind(path);
  if (kind != kPathFile && kind != kPathFileLink) return false;
  if (kind == kPathFile) MakeAttributesNormal(path);
  return DeleteFileAt(path);
}
