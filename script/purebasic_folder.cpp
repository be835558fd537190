#include "script/purebasic_folder.h"

#include "script/path_rules.h"
#include "script/path_variables.h"
#include "script/registry_text.h"

namespace {

const char kCommandKey[] = "PureBasic.exe\\shell\\open\\command";

struct CommandKey {
  int32_t root;
  std::string path;
};

// The first key to try; the second is always the classes root's own.
CommandKey FirstCommandKey(int osCode) {
  const std::string command = kCommandKey;
  switch (osCode) {
    case 10:
    case 30:
    case 40:
      return {kRootLocalMachine, "Software\\Classes\\" + command};
    case 5:
    case 20:
    case 50:
    case 60:
    case 65:
    case 75:
    case 80:
      return {kRootClassesRoot, "Applications\\" + command};
    default:
      return {kRootCurrentUser, "Software\\Classes\\" + command};
  }
}

// The second field of `command` split at double quotes: the program path of
// a command line that starts with it quoted.
std::string QuotedProgram(const std::string &command) {
  const size_t open = command.find('"');
  if (open == std::string::npos) return std::string();
  const size_t close = command.find('"', open + 1);
  const size_t length = close == std::string::npos ? std::string::npos : close - open - 1;
  return command.substr(open + 1, length);
}

std::string DefaultFolder(int osCode, const PureBasicLookups &lookups) {
  int csidl = 0;
  if (osCode == 50) {
    csidl = kFolderWindows;
  } else if (osCode == 10 || osCode == 20 || osCode == 30 || osCode == 40 || osCode == 60 ||
             osCode == 65 || osCode == 70 || osCode == 75 || osCode == 80) {
    csidl = kFolderDesktopDirectory;
  }
  if (csidl == 0 || lookups.specialFolder == nullptr) return std::string();
  const std::string folder = lookups.specialFolder(csidl);
  // No drive to put the default folder on when the lookup failed.
  if (folder.empty() || folder == "\\") return std::string();
  return folder.substr(0, 3) + "Program Files\\PureBasic\\";
}

}  // namespace

std::string FindPureBasicFolderFor(int osCode, const PureBasicLookups &lookups) {
  std::string folder;
  if (lookups.readKeyDefault != nullptr) {
    const CommandKey first = FirstCommandKey(osCode);
    std::string command;
    int read = lookups.readKeyDefault(first.root, first.path, &command);
    if (read < 0) read = lookups.readKeyDefault(kRootClassesRoot, kCommandKey, &command);
    if (read > 0) folder = FolderPartOf(QuotedProgram(command));
  }
  return folder.empty() ? DefaultFolder(osCode, lookups) : folder;
}
