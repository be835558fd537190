// Where an installation puts things: the archive entries' destinations, the
// components' folders and the uninstaller's file names. Portable.
#ifndef QVS_ENGINE_INSTALL_INSTALL_PLAN_H
#define QVS_ENGINE_INSTALL_INSTALL_PLAN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/path_rules.h"

// A product entry's name is the component ID in canonical decimal (no sign,
// no leading zero, at most 2147483647), a "\" and the file's path relative
// to the component's folder. False when the name does not start that way;
// *componentId and *relative are then untouched.
bool ParseEntryComponentId(const std::string &entryName, int32_t *componentId,
                           std::string *relative);

// True when `relative` names a file strictly below the folder it is joined
// to: not empty, no empty, "." or ".." component, nothing rooted, no drive
// or stream (":"), no "/" (Windows takes it for "\"), no control character
// or character Windows refuses in names, no component ending in "." or " "
// (Windows drops them, so two names could mean one file), and no reserved
// device name (`reservedNames`, lower case) as a component, with or
// without an extension.
bool IsSafeRelativePath(const std::string &relative,
                        const std::vector<std::string> &reservedNames);

// A component's folder for this run, ending in "\".
struct ComponentFolder {
  int32_t componentId = 0;
  std::string folder;
};

// What the extraction does with an archive entry.
enum EntryPlacement {
  kEntryInstall,        // a product file of a selected component
  kEntryConfiguration,  // the installer's own data: never installed
  kEntryUnselected,     // a product file of a component not installed
  kEntryDamaged,        // a name no sound installer holds: the installer is damaged
};

struct EntryDestination {
  int32_t componentId = 0;
  std::string relative;     // the path below the component's folder
  std::string destination;  // folder + relative
  std::string folder;       // the destination's folder, ending in "\"
};

// Places one entry. `configPrefix` marks the installer's own entries;
// `folders` are the selected components' folders (the first one of an ID
// counts); `isSelected` tells whether a component is installed.
EntryPlacement PlaceArchiveEntry(const std::string &entryName, const std::string &configPrefix,
                                 const std::vector<ComponentFolder> &folders,
                                 bool (*isSelected)(int32_t componentId, void *context),
                                 void *context, const std::vector<std::string> &reservedNames,
                                 EntryDestination *out);

// The uninstaller's files: "Uninst" + n + ".exe" and ".dat" in
// `installPath` (ending in "\") for the first n from 0 for which neither
// exists as a file or folder (`exists` answers that). -1 when none of the
// first `limit` numbers is free.
int ChooseUninstallerNumber(const std::string &installPath,
                            bool (*exists)(const std::string &path), int limit);
std::string UninstallerFileName(int number, const char *extension);

// The folders MakeFolderLevels (engine/undo/journalled_files.h) makes for `path` (ending in "\"): every
// prefix that ends in "\" after the drive or share, shortest first.
std::vector<std::string> FolderLevels(const std::string &path);

#endif
