#include "engine/tasks/file_tasks.h"

#include <algorithm>
#include <vector>

#include "checks/registry.h"
#include "engine/undo/install_journal.h"
#include "engine/install/install_plan.h"
#include "engine/state/startup_state.h"
#include "engine/undo/journalled_files.h"
#include "platform/access_rights.h"
#include "platform/environment.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/held_entries.h"
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
const int kCsidlCommonAppData = 35;

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

// Whether the folder `level`, about to be made, gets a protection of its
// own (GetsOwnProtection), asked in the order of the questions' cost: a
// run without administrator rights, or one inside Program Files, stops
// before the journal is searched for the parent.
bool GetsOwnProtectionHere(const std::string &level) {
  if (!Startup().hasAdminRightsNT) return false;
  // The system's folders stay where they are during a run.
  static const std::vector<std::string> keeping = FoldersKeepingTheirProtection();
  return GetsOwnProtection(level, true, false, keeping) &&
         !RunMadeFolder(Journal(), ParentFolder(level));
}

}  // namespace

std::vector<std::string> FoldersKeepingTheirProtection() {
  ProtectedFolders system = SystemProtectedFolders();
  std::vector<std::string> folders = system.folders;
  AddFull(&folders, ReadSpecialFolder(kCsidlCommonAppData));
  AddFull(&folders, ReadEnvironmentVariable("ProgramData"));
  AddFull(&folders, ReadEnvironmentVariable("ALLUSERSPROFILE"));
  return folders;
}

bool CreateFolderTask(const std::string &folder) {
  // Only a folder that is not there yet is the task's to make (and to
  // undo); the note goes first.
  size_t number = 0;
  if (folder.empty() || ReadPathKind(StripTrailingBackslash(folder)) != kPathMissing ||
      !NoteFolderCreating(folder, true, true, &number))
    return false;
  if (MakeFolderLevel(folder)) return true;
  NoteUndone(number, false);
  return false;
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

// Windows 9x: no links and no handles on folders; the folder is walked by
// its paths.
bool DeleteFolderByPaths(const std::string &path) {
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

bool LookUpIdentity(const std::string &path, FolderIdentity *identity) {
  EntryIdentity found;
  if (!IdentityAt(path, &found)) return false;
  identity->volume = found.volume;
  identity->index = found.index;
  return true;
}

bool IsProtectedHeldFolder(HeldEntry folder, const std::string &name,
                           const ProtectedFolders &protectedFolders) {
  // The system's own name for what was opened: streams, short names and
  // links on the way are gone from it.
  const std::string finalName = FinalPathOfHeld(folder);
  if (!finalName.empty() && IsFolderDeletionRefused(finalName, protectedFolders)) return true;
  EntryIdentity held;
  if (!IdentityOfHeld(folder, &held)) return true;
  FolderIdentity identity;
  identity.volume = held.volume;
  identity.index = held.index;
  FolderIdentity parent;
  const bool parentKnown =
      LookUpIdentity(ParentFolder(finalName.empty() ? name : finalName), &parent);
  return IsProtectedFolderIdentity(identity, parentKnown ? &parent : NULL, protectedFolders,
                                   LookUpIdentity);
}

bool DeleteFolderWithContents(const std::string &folder) {
  if (folder.empty()) return false;
  const std::string full = FullLongPathOf(folder);
  const ProtectedFolders protectedFolders = SystemProtectedFolders();
  if (full.empty() || IsFolderDeletionRefused(full, protectedFolders)) return false;
  const std::string path = StripTrailingBackslash(full);
  if (!CanHoldEntries()) return DeleteFolderByPaths(path);
  // From here on everything is done through this handle and the handles
  // opened inside it, never by a name looked up again.
  HeldEntry held = OpenEntryNoFollow(path);
  bool marked = false;
  // What was opened must be what the name shows: a system that followed
  // the link after all (as Wine does) gets nothing deleted.
  const PathKind kind = KindOfHeld(held);
  switch (kind == ReadPathKind(path) ? kind : kPathMissing) {
    case kPathFolderLink:
      marked = MarkHeldForDeletion(held);
      break;
    case kPathFolder:
      if (IsProtectedHeldFolder(held, path, protectedFolders)) break;
      DeleteHeldContents(held, kMaxDepth, kMaxEntries);
      marked = MarkHeldForDeletion(held);
      break;
    default:
      break;
  }
  CloseHeldEntry(&held);
  return marked && ReadPathKind(path) == kPathMissing;
}

bool MakeFolderLevel(const std::string &level) {
  const std::string path = StripTrailingBackslash(level);
  return GetsOwnProtectionHere(level) ? CreateAdministratorsFolder(path) : CreateFolderAt(path);
}

void CreateProtectedFolderLevels(const std::string &folder) {
  for (const std::string &level : FolderLevels(folder)) {
    if (ReadPathKind(StripTrailingBackslash(level)) != kPathMissing) continue;
    // The first level to be made decides.
    if (GetsOwnProtectionHere(level)) MakeFolderLevels(folder, true);
    return;
  }
}

bool CopyFileTask(const std::string &source, const std::string &destination) {
  FileSpot spot;
  return PrepareFileSpot(destination, false, &spot) &&
         FinishFileSpot(spot, CopyFileOver(source, destination));
}

bool DeleteFileTask(const std::string &path) {
  const PathKind kind = ReadPathKind(path);
  if (kind != kPathFile && kind != kPathFileLink) return false;
  // Kept aside until the run completes, then deleted with the other kept
  // copies: a rollback puts it back.
  return KeepFileAside(path, false, NULL) == kKeptAside;
}
