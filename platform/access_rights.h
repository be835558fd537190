// Who may do what to a file or folder: its owner and access list read as
// plain records (SIDs as "S-1-..." texts), and folders created with the
// protection the Program Files folder has.
#ifndef QVS_PLATFORM_ACCESS_RIGHTS_H
#define QVS_PLATFORM_ACCESS_RIGHTS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/files.h"

// One entry of an access list.
struct AccessEntry {
  bool allows = true;        // false: it denies
  bool inheritOnly = false;  // for what the folder will hold, not for itself
  uint32_t mask = 0;         // the rights, as the system numbers them
  std::string sid;
};

struct AccessRights {
  std::string owner;
  // False when the object has no access list at all: everyone may do
  // everything.
  bool hasList = false;
  std::vector<AccessEntry> entries;
};

// Reads the owner and access list of the open `file` (opened with read
// access). False when they cannot be read (a file system without them
// included).
bool ReadAccessRights(FileHandle file, AccessRights *rights);
// The same for the folder `folder`, opened for that alone.
bool ReadFolderAccessRights(const std::string &folder, AccessRights *rights);

// Creates the folder `path` (its parent must exist) with the protection
// of Program Files, whatever its parent grants: administrators and the
// system may do everything, users read and run; what it will hold inherits
// that; on systems without access lists (Windows 9x) a plain folder. False
// when it could not be created, also when it exists already.
bool CreateAdministratorsFolder(const std::string &path);

#endif
