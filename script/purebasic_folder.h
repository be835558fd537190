// Where the PureBasic development tool is installed, for the <purebasic>
// path variable: the folder of the program its "open" command runs, or a
// default folder on the system drive.
#ifndef QVS_SCRIPT_PUREBASIC_FOLDER_H
#define QVS_SCRIPT_PUREBASIC_FOLDER_H

#include <stdint.h>

#include <string>

// What the search reads from the system.
struct PureBasicLookups {
  // Reads the default value of a key (root-key code) as text: -1 when the
  // key cannot be opened, 0 when it is open but the value cannot be read,
  // 1 when `value` holds it.
  int (*readKeyDefault)(int32_t rootCode, const std::string &keyPath, std::string *value) = nullptr;
  // A special folder ending in "\", or empty or "\" when there is none.
  std::string (*specialFolder)(int csidl) = nullptr;
};

// The folder (ending in "\") for OS code `osCode`, or empty. The command's
// keys are tried in the order the system version keeps them; a second key
// is tried only when the first cannot be opened. A command whose program
// path is not in double quotes names no folder.
std::string FindPureBasicFolderFor(int osCode, const PureBasicLookups &lookups);

#endif
