// Shell shortcuts (".lnk" files), written through the shell's link object.
// COM is initialised for the calling thread for the length of the call (and
// left as it was), so any thread may call this.
#ifndef QVS_PLATFORM_SHELL_LINKS_H
#define QVS_PLATFORM_SHELL_LINKS_H

#include <stdint.h>

#include <string>

struct ShellLinkFields {
  std::string target;
  std::string arguments;
  std::string description;
  std::string workingDirectory;
  int showCommand = 1;  // SW_SHOWNORMAL
  uint16_t hotkey = 0;
  std::string iconPath;
  int iconIndex = 0;
};

enum ShellLinkResult {
  kShellLinkSaved,     // the file is written
  kShellLinkNoObject,  // the shell's link object could not be made
  kShellLinkNotSaved,  // the object was made but the file could not be saved
};

ShellLinkResult SaveShellLink(const ShellLinkFields &fields, const std::string &linkFile);

#endif
