// What an installation leaves behind for the uninstaller: its program and
// data file in the install folder, and the Add/Remove Programs entry.
// Interface thread, after the tasks.
#ifndef QVS_ENGINE_INSTALL_UNINSTALLER_OUTPUT_H
#define QVS_ENGINE_INSTALL_UNINSTALLER_OUTPUT_H

#include <stdint.h>

#include <string>

#include "engine/install/install_view.h"

// Writes Install().UninstallerExePath (the payload's uninstaller image and
// the administrator flag as a 32-bit little-endian number after it; for an
// image that ends with its signature, the image alone, and the flag goes
// into the data file's RequireAdministrator line) and
// Install().UninstallerDataPath (the data file), each journalled before it
// is written and removed again when it could not be written whole; and,
// when the script asks, the Add/Remove Programs entry, journalled with
// what it replaces. When a file cannot be written, warns the user (the
// installation still counts as done), removes what it had written and
// returns 0; else 1.
int WriteUninstaller(const InstallView &view);

// The Add/Remove Programs key "Software\Microsoft\Windows\CurrentVersion\Uninstall\"
// + `name` below HKEY_LOCAL_MACHINE (forAllUsers) or
// HKEY_CURRENT_USER, with the display name, version, icon ("path,index",
// empty without a path), publisher, web site (about and help), contact
// and uninstall command; and the values Windows and administrators expect
// besides: InstallLocation, EstimatedSize (KB), NoModify and NoRepair (1),
// and QuietUninstallString (the uninstaller with /S). The uninstall
// command is the uninstaller's path, in double quotes when it holds a
// blank. 1 when the key could be created or opened and the uninstall
// command written, else 0.
struct AddRemoveEntry {
  std::string name, version, publisher, website, supportEmail;
  std::string uninstallerPath, iconPath, installLocation;
  int32_t iconIndex = 0;
  uint64_t estimatedSizeKb = 0;
  bool forAllUsers = false;
};
int WriteAddRemoveEntry(const AddRemoveEntry &entry);

#endif
