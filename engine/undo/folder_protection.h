// Which folders the delete-folder task refuses: a badly expanded path
// variable can turn "<programfiles>\Product" into "\Product" or a bare
// drive, and deleting with contents must never reach the system's own
// folders or a drive root. And which folders an installation makes with a
// protection of their own.
#ifndef QVS_ENGINE_UNDO_FOLDER_PROTECTION_H
#define QVS_ENGINE_UNDO_FOLDER_PROTECTION_H

#include <stdint.h>

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
// ".." climbs above its root, for device and long-path forms ("\\?\",
// "\\.\"), and for a name with a colon after the drive (a stream:
// "C:\Windows::$INDEX_ALLOCATION" is C:\Windows itself).
std::string NormalizeFolderPath(const std::string &path);

// True when deleting `folder` with its contents is refused: a path that
// does not normalize, a drive or share root, a protected folder or one
// that holds a protected folder, or a user's profile.
bool IsFolderDeletionRefused(const std::string &folder, const ProtectedFolders &protectedFolders);

// Which folder a name leads to: its volume and its number there, as the
// system tells them for an open folder.
struct FolderIdentity {
  uint32_t volume = 0;
  uint64_t index = 0;
};
// Finds the identity of the folder `path` names; false when it cannot.
typedef bool (*FolderIdentityLookup)(const std::string &path, FolderIdentity *identity);

// True when `folder` is one of `folders` or lies inside one (compared as
// NormalizeFolderPath compares).
bool IsInsideAnyFolder(const std::string &folder, const std::vector<std::string> &folders);

// Whether a folder an installation is about to create gets a protection of
// its own (that of Program Files: administrators change it, users read and
// run it) instead of what its parent passes on: when the installation runs
// with administrator rights, the parent is not a folder it made itself (that
// one has it already), and the folder lies outside `keepingFolders`, the
// system's folders whose own protection suits what is made in them
// (Windows, Program Files, ProgramData, the profiles). A drive's root lets
// every user change what is made in it.
bool GetsOwnProtection(const std::string &folder, bool elevated, bool parentMadeHere,
                       const std::vector<std::string> &keepingFolders);

// The same refusal by identity, for a folder that another name reaches (a
// share of this machine such as "\\localhost\C$\Windows", a link): true
// when `folder` is a protected folder or one of the folders that hold one
// (below a drive root), or when `parent`, the folder that holds it (NULL
// when unknown), is a profiles folder. `lookup` gives the identities of the
// protected folders' names.
bool IsProtectedFolderIdentity(const FolderIdentity &folder, const FolderIdentity *parent,
                               const ProtectedFolders &protectedFolders,
                               FolderIdentityLookup lookup);

#endif
