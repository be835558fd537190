#include "engine/tasks/shortcuts.h"

#include "checks/os_codes.h"
#include "checks/path_expansion.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/tasks/link_rules.h"
#include "engine/tasks/task_rules.h"
#include "engine/state/startup_state.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/shell_folders.h"
#include "platform/shell_links.h"
#include "script/ansi_text.h"
#include "script/path_rules.h"

namespace {

const char kInternetShortcutHeader[] = "[InternetShortcut]\r\n";
const char kInternetShortcutUrl[] = "URL=";
const char kLineEnd[] = "\r\n";

// True when this run wrote the file at `path` (a file it kept or skipped is
// someone else's).
bool RunWroteFile(const std::string &path) {
  const std::string wanted = AnsiLower(path);
  for (const JournalEntry &entry : Journal().entries) {
    if (entry.kind != kJournalFileWritten && entry.kind != kJournalFileReplaced) continue;
    if (AnsiLower(entry.path) == wanted) return true;
  }
  return false;
}

// Where a link is about to be written: what was there before.
struct LinkSpot {
  bool ours = false;       // a file this run wrote already: overwrite it
  std::string backupPath;  // an earlier file moved aside
};

// Clears the way for a link file: an earlier file is moved aside. False
// when the path is a folder, or a file that cannot be moved aside (it is
// then left alone and no link is made).
bool PrepareLinkSpot(const std::string &link, LinkSpot *spot) {
  switch (ReadPathKind(link)) {
    case kPathMissing:
      return true;
    case kPathFile:
    case kPathFileLink:
      if (RunWroteFile(link)) {
        spot->ours = true;
        return true;
      }
      return MoveFileAside(link, &spot->backupPath);
    default:
      return false;
  }
}

// After the write: journal the link, or put the earlier file back.
int FinishLinkSpot(const std::string &link, const LinkSpot &spot, bool written) {
  if (!written) {
    if (!spot.backupPath.empty()) RestoreFileFromAside(spot.backupPath, link);
    return 0;
  }
  if (spot.ours) return 1;
  if (spot.backupPath.empty()) {
    RecordFile(&Journal(), kJournalFileWritten, link);
  } else {
    RecordFile(&Journal(), kJournalFileReplaced, link, spot.backupPath);
  }
  return 1;
}

bool WriteInternetShortcutFile(const std::string &url, const std::string &link) {
  const std::string text =
      std::string(kInternetShortcutHeader) + kInternetShortcutUrl + url + kLineEnd;
  FileHandle file = CreateNewFileForWriting(link, NULL);
  if (file == NULL) return false;
  const bool written = WriteToFile(file, text.data(), text.size());
  CloseFileHandle(&file);
  if (!written) DeleteFileAt(link);
  return written;
}

}  // namespace

int CreateShellLink(const std::string &target, const std::string &linkFile,
                    const std::string &arguments, const std::string &description,
                    const std::string &workingDirectory, int showCommand, int hotkey,
                    const std::string &iconPath, int iconIndex) {
  LinkSpot spot;
  if (linkFile.empty() || !PrepareLinkSpot(linkFile, &spot)) return 0;
  ShellLinkFields fields;
  fields.target = target;
  fields.arguments = arguments;
  fields.description = description;
  fields.workingDirectory = workingDirectory;
  fields.showCommand = showCommand;
  fields.hotkey = (uint16_t)hotkey;
  fields.iconPath = iconPath;
  fields.iconIndex = iconIndex;
  return FinishLinkSpot(linkFile, spot, SaveShellLink(fields, linkFile) == kShellLinkSaved);
}

int CreateInternetShortcut(const std::string &url, const std::string &linkFile) {
  LinkSpot spot;
  if (!FolderExistsAt(FolderPartOf(linkFile)) || !PrepareLinkSpot(linkFile, &spot)) return 0;
  if (spot.ours) DeleteFileAt(linkFile);
  return FinishLinkSpot(linkFile, spot, WriteInternetShortcutFile(url, linkFile));
}

std::string RunShortcutTask(const TaskDetails &task) {
  const InstallChoices &choices = UserChoices();
  ShortcutBoxes boxes;
  boxes.allUsers = choices.userScopeOffered && choices.allUsers;
  boxes.desktop = choices.desktopShortcuts;
  boxes.quickLaunch = choices.quickLaunchShortcuts;
  std::string link;
  const int osCode = ActingOsCode();
  if (!PlanShortcutTaskLink(task.OutputPath, boxes, osCode, &link)) {
    if (!StartsWithIgnoringCase(TrimSpaces(link), "<quicklaunch>"))
      return "the desktop shortcuts were not chosen";
    return osCode >= kOsWindows7 ? "this system has no quick-launch bar"
                                 : "the quick-launch shortcuts were not chosen";
  }
  const std::string target = ReplacePathVariables(task.FilePath);
  std::string icon = ReplacePathVariables(task.IconPath);
  if (icon.empty()) icon = target;
  if (CreateShellLink(target, ReplacePathVariables(link), ReplacePathVariables(task.CommandLine),
                      ReplacePathVariables(task.Comment), ReplacePathVariables(task.StartIn),
                      kLinkShowNormal, 0, icon, task.IconIndex) != 1) {
    return "the shortcut could not be written";
  }
  return std::string();
}

std::string RunInternetShortcutTask(const TaskDetails &task) {
  const std::string link =
      WithLinkExtension(ReplacePathVariables(task.LinkPath), kInternetLinkExtension);
  if (CreateInternetShortcut(ReplacePathVariables(task.WebAddress), link) != 1)
    return "the internet shortcut could not be written (is its folder there?)";
  return std::string();
}
