// The shell's special folders and folder tests.
#ifndef QVS_PLATFORM_SHELL_FOLDERS_H
#define QVS_PLATFORM_SHELL_FOLDERS_H

#include <string>

// The path of special folder `csidl` as the shell gives it
// (SHGetSpecialFolderLocation, SHGetPathFromIDListA); empty when the folder
// does not exist on this system or has no file-system path.
std::string ReadSpecialFolder(int csidl);

// True when `path` names an existing folder.
bool FolderExistsAt(const std::string &path);

#endif
