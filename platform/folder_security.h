// Whether a folder has the protection Program Files has (only
// administrators and the system may change it), asked of the journals'
// folder below the application data of all users, where every user may
// otherwise add files. Such folders are made by CreateAdministratorsFolder
// (platform/access_rights.h).
#ifndef QVS_PLATFORM_FOLDER_SECURITY_H
#define QVS_PLATFORM_FOLDER_SECURITY_H

#include <string>

// True when only administrators, the system and the running user (an
// administrator, when this is asked) can change the file or folder `path`:
// its owner is one of them, and its access list lets no one else write,
// delete, or change the list or the owner. True on systems without access
// lists (Windows 9x) and on volumes without them (FAT), where nothing
// could be protected. False when its security cannot be read.
bool IsChangeableOnlyByAdministrators(const std::string &path);

#endif
