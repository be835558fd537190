// Task types 11 to 14: folders made and deleted, files copied and deleted.
// Paths arrive expanded. Failures are silent.
#ifndef QVS_ENGINE_TASKS_FILE_TASKS_H
#define QVS_ENGINE_TASKS_FILE_TASKS_H

#include <string>

#include "engine/undo/folder_protection.h"

// Creates the last level of `folder` (its parent must exist) and journals
// it as created. True when it was created.
bool CreateFolderTask(const std::string &folder);

// Deletes `folder` with everything below it, read-only entries included.
// A junction or symbolic link met on the way (or named by `folder`) is
// removed itself, never entered, so nothing outside the folder is touched.
// Refused (nothing deleted, false) for a drive root and the system's own
// folders (see IsFolderDeletionRefused). True when the folder is gone.
bool DeleteFolderWithContents(const std::string &folder);

// Creates `folder` (ending in "\") one level at a time, as far as it is
// missing; each level made is journalled as created.
void CreateFolderLevels(const std::string &folder);

// CopyFileA with overwriting allowed. True when the copy was made.
bool CopyFileTask(const std::string &source, const std::string &destination);

// Deletes `path` when it names a file (not a folder), read-only or not.
// True when a file was deleted.
bool DeleteFileTask(const std::string &path);

// The folders of this machine that must never be deleted, in full, long
// form.
ProtectedFolders SystemProtectedFolders();

#endif
