// The file and folder operations of the installer's tasks: folders made
// and removed one level at a time, listings that tell links apart from
// real folders, copies, and whole small text files.
#ifndef QVS_PLATFORM_FILE_TASKS_H
#define QVS_PLATFORM_FILE_TASKS_H

#include <stddef.h>

#include <string>
#include <vector>

#include "platform/files.h"

// Creates the folder `path`; its parent must exist. False when it could
// not be created, also when it exists already.
bool CreateFolderAt(const std::string &path);
// Removes the empty folder `path`, or the folder link (junction or
// symbolic link) `path` itself, never what a link points to.
bool RemoveFolderAt(const std::string &path);
// Asks the system to delete the file (or the folder, when it is empty by
// then) at the next restart (MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT;
// on the NT family only administrators may). False when it was refused.
bool ScheduleRemovalAtRestart(const std::string &path);
// Clears read-only, hidden and system attributes so the entry can go.
void MakeAttributesNormal(const std::string &path);
// CopyFileA with overwriting allowed.
bool CopyFileOver(const std::string &source, const std::string &destination);

enum PathKind {
  kPathMissing,
  kPathFile,
  kPathFolder,
  // Reparse points: junctions, symbolic links and mount points. Deleting
  // one removes the link, not its target.
  kPathFileLink,
  kPathFolderLink,
};
PathKind ReadPathKind(const std::string &path);

struct FolderEntry {
  std::string name;
  PathKind kind = kPathMissing;
};
// The entries of `folder` (ending in "\"), "." and ".." left out. Stops
// after `maxCount` entries. False when the folder cannot be listed.
bool ListFolderEntries(const std::string &folder, size_t maxCount,
                       std::vector<FolderEntry> *entries);

// `path` made full (GetFullPathNameA: relative to the current folder, "."
// and ".." resolved) and, where the system can and the path exists, in its
// long form (no 8.3 names). Empty when it cannot be formed.
std::string FullLongPathOf(const std::string &path);

// The whole of a file of at most `limit` bytes. False when it is missing,
// unreadable or larger.
bool ReadSmallFile(const std::string &path, size_t limit, std::string *contents);
// The same through an open file, from its start.
bool ReadSmallOpenFile(FileHandle file, size_t limit, std::string *contents);
// Opens `path`, creating it when missing, writes `contents` from its start
// and cuts it there. False when any step failed.
bool RewriteFile(const std::string &path, const std::string &contents);

#endif
