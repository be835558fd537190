// Which folders the delete-folder task refuses: a badly expanded path
// variable can turn "<programfiles>\Product" into "\Product" or a bare
// drive, and deleting with contents must never reach the system's own
// folders or a drive root.
#ifndef QVS_ENGINE_UNDO_FOLDER_PROTECTION_H
#define QVS_ENGINE_UNDO_FOLDER_PROTECTION_H

#include <string>
#include <vector>

// The system's folders as this machine names them (full, long paths; empty
// entries are ignored).
struct ProtectedFolders {
  // Never deleted, nor any folder that holds one of them: the Windows and
  // system folders, both Program Files folders, the user's profile, the
  // profiles folder.
  std::vector<std::string> folders;
  // Folders whose direct subfolders are users' profiles, each refused too.
  std::vector<std::string> profilesFolders;
};

// `path` as compared: "/" made "\", letters in lower case, repeated "\"
// made one, "." and ".." resolved, trailing dots and blanks of each name
// dropped (the system ignores them), no trailing "\". Empty when the path
// is not absolute (a drive letter, ":" and "\", or "\\server\share"), when
// ".." climbs above its root, or for device and long-path forms ("\\?\",
// "\\.\").
std::string NormalizeFolderPath(const std::string &path);

// True when deleting `folder` with its contents is refused: a path that
// does not normalize, a drive or share root, a protected folder or one
// that holds a protected folder, or a user's profile.
bool IsFolderDeletionRefused(const std::string &folder, const ProtectedFolders &protectedFolders);

#endif
