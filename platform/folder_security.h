// Folders that only administrators and the system may change: the
// protection Program Files has, for folders an administrator's run makes
// elsewhere (the journals' folder below the application data of all
// users, where every user may otherwise add files).
#ifndef QVS_PLATFORM_FOLDER_SECURITY_H
#define QVS_PLATFORM_FOLDER_SECURITY_H

#include <string>

// Creates the folder `path` (its parent must exist) with an access list of
// its own: the system and administrators may do everything, users may
// read and list, and nothing is inherited from the parent. On systems
// without access lists (Windows 9x) it is a plain folder. False when it
// could not be created, also when it exists already.
bool CreateFolderForAdministrators(const std::string &path);

#endif
