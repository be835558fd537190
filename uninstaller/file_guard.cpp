#include "uninstaller/file_guard.h"

#include "engine/undo/change_rights.h"
#include "platform/access_rights.h"
#include "script/path_rules.h"

bool OnlyAdministratorsCanChange(FileHandle file, const std::string &path) {
  AccessRights rights;
  if (!ReadAccessRights(file, &rights) || NonAdministratorCanChange(rights, kGuardedFile))
    return false;
  // The folder the open file is in, as the system names it: no link on the
  // way, and it cannot be renamed while the file is held.
  std::string name = path;
  GetFinalPathOf(file, false, &name);
  std::string folder = FolderPartOf(name);
  if (folder.size() > 3 && folder[folder.size() - 1] == '\\') folder.resize(folder.size() - 1);
  AccessRights folderRights;
  return !folder.empty() && ReadFolderAccessRights(folder, &folderRights) &&
         !NonAdministratorCanChange(folderRights, kGuardedFolder);
}
