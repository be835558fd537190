// Task types 11 to 14: folders made and deleted, files copied and deleted.
// Paths arrive expanded. Failures are silent.
#ifndef QVS_ENGINE_TASKS_FILE_TASKS_H
#define QVS_ENGINE_TASKS_FILE_TASKS_H

#include <string>
#include <vector>

#include "engine/undo/folder_protection.h"

// Creates the last level of `folder` (its parent must exist) and journals
// it as created. True when it was created.
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

// Creates `folder` (ending in "\") one level at a time, as far as it is
// missing; each level made is journalled as created. An installation with
// administrator rights makes the first level outside the system's folders
// with the protection of Program Files (GetsOwnProtection), which the
// levels below inherit; the create-folder task (type 11) does the same.
void CreateFolderLevels(const std::string &folder);
// CreateFolderLevels for a folder the unpacker module would otherwise make
// (a component's own folder), when its first missing level is one that
// gets a protection of its own; else nothing is made here.
void CreateProtectedFolderLevels(const std::string &folder);

// The system's folders whose own protection suits what an installation
// makes in them (see GetsOwnProtection), in full, long form.
std::vector<std::string> FoldersKeepingTheirProtection();

// CopyFileA with overwriting allowed. True when the copy was made.
bool CopyFileTask(const std::string &source, const std::string &destination);

// Deletes `path` when it names a file (not a folder), read-only or not.
// True when a file was deleted.
bool DeleteFileTask(const std::string &path);

// The folders of this machine that must never be deleted, in full, long
// form.
ProtectedFolders SystemProtectedFolders();

#endif
