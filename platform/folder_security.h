// Folders that only administrators and the system may change: the
// protection Program Files has, for folders an administrator's run makes
// elsewhere (the journals' folder below the application data of all
// users, where every user may otherwise add files), and the test of
// whether a file or folder has it.
#ifndef QVS_PLATFORM_FOLDER_SECURITY_H
#define QVS_PLATFORM_FOLDER_SECURITY_H

#include <string>

// Creates the folder `path` (its parent must exist) with an access list of
// its own: the system and administrators may do everything, users may
// read and list, and nothing is inherited from the parent. On systems
// without access lists (Windows 9x) it is a plain folder. False when it
// could not be created, also when it exists already.
bool CreateFolderForAdministrators(const std::string &path);

// True when only administrators, the system and the running user (an
// administrator, when this is asked) can change the file or folder `path`:
// its owner is one of them, and its access list lets no one else write,
// delete, or change the list or the owner. True on systems without access
// lists (Windows 9x) and on volumes without them (FAT), where nothing
// could be protected. False when its security cannot be read.
bool IsChangeableOnlyByAdministrators(const std::string &path);

#endif
