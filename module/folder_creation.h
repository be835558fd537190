// Creates the folders of a destination path that do not exist yet.
#ifndef QVS_MODULE_FOLDER_CREATION_H
#define QVS_MODULE_FOLDER_CREATION_H

#include "module/unpacker_api.h"

enum FolderCreationResult {
  FOLDERS_READY,
  FOLDERS_FAILED,  // a folder could not be created
  FOLDERS_STOPPED  // the file callback asked to stop
};

// `folder` ends in "\". Creates each missing folder from the outermost in and
// reports each one it created through `callback` (when set) as its path with
// the trailing "\" and sizes 0.
FolderCreationResult CreateMissingFolders(const char *folder, UnpackerFileCallback callback);

#endif
