// Task types 11 to 14: folders made and deleted, files copied and deleted.
// Paths arrive expanded. Failures are silent.
#ifndef QVS_ENGINE_TASKS_FILE_TASKS_H
#define QVS_ENGINE_TASKS_FILE_TASKS_H

#include <string>
#include <vector>

#include "engine/undo/folder_protection.h"

// Creates the last level of `folder` (its parent must exist), journalled
// before it is made. True when it was created; false also when it was
// there already or the journal could not take it.
bool CreateFolderTask(const std::string &folder);

// Deletes `folder` with everything below it, read-only entries included.
// A junction or symbolic link met on the way (or named by `folder`) is
// removed itself, never entered, so nothing outside the folder is touched:
// the folder is opened once without following a link, and every entry is
// opened inside the handle of its folder, checked to be still of the kind
// it was listed as, and deleted through its own handle. Refused (nothing
// deleted, false) for a drive root and the system's own folders (see
// IsFolderDeletionRefused), compared by the name given, by the name the
// system gives the folder opened, and by file identity, so that another
// name for a protected folder (a share of this machine, a stream name, a
// link) is refused too. True when the folder is gone.
bool DeleteFolderWithContents(const std::string &folder);

// Makes the folder `level` (its parent exists; a trailing "\" is allowed),
// journalled by the caller: an installation with administrator rights
// gives a folder outside the system's folders, in a parent it did not make
// itself, the protection of Program Files (GetsOwnProtection), which the
// levels below inherit. True when it was made.
bool MakeFolderLevel(const std::string &level);
// Makes, journalled, the missing levels of a folder the extraction would
// otherwise make only when it reaches the folder's files (a component's own
// folder), when its first missing level is one that gets a protection of
// its own; else nothing is made here.
void CreateProtectedFolderLevels(const std::string &folder);

// The system's folders whose own protection suits what an installation
// makes in them (see GetsOwnProtection), in full, long form.
std::vector<std::string> FoldersKeepingTheirProtection();

// CopyFileA with overwriting allowed, journalled first (a file it replaces
// is kept aside), for the rollback alone: the uninstaller leaves the copy.
// True when the copy was made.
bool CopyFileTask(const std::string &source, const std::string &destination);

// Deletes `path` when it names a file (not a folder), read-only or not: it
// is kept aside, journalled, until the run completes, so that a rollback
// puts it back. True when a file was deleted.
bool DeleteFileTask(const std::string &path);

// The folders of this machine that must never be deleted, in full, long
// form.
ProtectedFolders SystemProtectedFolders();

#endif
