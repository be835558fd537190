// "qvsbuild new FOLDER": a complete, commented project to start from: a
// script with one component, a start-menu group with the program's and the
// uninstaller's shortcuts, a desktop shortcut, a registry value and an
// Add/Remove Programs entry; the English language file; a licence text;
// one product file. It checks clean and builds as it is.
#ifndef QVS_BUILDER_NEW_COMMAND_H
#define QVS_BUILDER_NEW_COMMAND_H

#include <string>

// Writes the project into `folder`, which must not exist or be empty. The
// product is named after the folder when its name is plain (letters,
// digits, spaces, "-", "_", "."), else "My Product". False with *error
// when the folder is taken or a file cannot be written.
bool WriteNewProject(const std::string &folder, std::string *error);

#endif
