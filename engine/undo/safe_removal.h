// Removing one file or one empty folder without following links, and
// leaving what is in use to the next restart. Shared by the installer's
// rollback and the uninstaller.
#ifndef QVS_ENGINE_UNDO_SAFE_REMOVAL_H
#define QVS_ENGINE_UNDO_SAFE_REMOVAL_H

#include <string>
#include <vector>

enum RemovalResult {
  kRemovalDone,       // it is gone
  kRemovalMissing,    // it was not there
  kRemovalScheduled,  // in use: the system deletes it at the next restart
  kRemovalFailed,     // it stays
  kRemovalRefused,    // not of the kind asked for (a folder named as a file, ...)
};

// Deletes the file `path`: read-only or not; a symbolic link to a file is
// deleted as a link. Paths are taken without a trailing "\" (platform
// calls given "Link\" act on the link's target). A folder or folder link is refused. With
// `scheduleInUse`, a file that cannot be deleted now (in use) is scheduled
// for deletion at the next restart when the system allows it.
RemovalResult RemoveFileAt(const std::string &file, bool scheduleInUse);

// Removes the folder `path` when it is empty; a junction or folder link is
// removed as a link, never entered (a trailing "\" does not make it its
// target). A file is refused.
RemovalResult RemoveEmptyFolder(const std::string &folder);

// True when `folder` (with or without a trailing "\") is a junction or
// folder link.
bool IsFolderLinkAt(const std::string &folder);

// For a folder that is not empty only because of files scheduled for the
// next restart (`scheduled`, as RemoveFileAt named them): schedules the
// folder too, after them; the system removes it then if it is empty.
// True when it was scheduled.
bool ScheduleFolderAfterFiles(const std::string &folder, const std::vector<std::string> &scheduled);

#endif
