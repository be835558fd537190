// The uninstaller's trust in its own files while it runs with the
// administrator rights the installer asked for: its program and its data
// file must be ones that only administrators can change, judged through
// the handle they are read through.
#ifndef QVS_UNINSTALLER_FILE_GUARD_H
#define QVS_UNINSTALLER_FILE_GUARD_H

#include <string>

#include "platform/files.h"

// True when only administrators can change the open `file` and the folder
// that holds it (engine/undo/change_rights.h). `path` names the file where
// the system cannot name an open file itself. False also when the rights
// cannot be read.
bool OnlyAdministratorsCanChange(FileHandle file, const std::string &path);

#endif
