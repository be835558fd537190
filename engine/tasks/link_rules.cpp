#include "engine/tasks/link_rules.h"

#include <string.h>

#include "checks/os_codes.h"
#include "engine/tasks/task_rules.h"
#include "script/ansi_text.h"

namespace {

const char kDesktopToken[] = "<desktop>";
const char kCommonDesktopToken[] = "<commondesktop>";
const char kQuickLaunchToken[] = "<quicklaunch>";

}  // namespace

std::string WithLinkExtension(const std::string &name, const char *extension) {
  const size_t length = strlen(extension);
  if (name.size() >= length) {
    const std::string tail = name.substr(name.size() - length);
    if (StartsWithIgnoringCase(tail, extension)) return name;
  }
  return name + extension;
}

bool PlanShortcutTaskLink(const std::string &outputPath, const ShortcutBoxes &boxes, int osCode,
                          std::string *link) {
  std::string path = WithLinkExtension(outputPath, kShellLinkExtension);
  if (boxes.allUsers) path = ReplaceIgnoringCase(path, kDesktopToken, kCommonDesktopToken);
  *link = path;
  const std::string start = TrimSpaces(path);
  if (StartsWithIgnoringCase(start, kDesktopToken) ||
      StartsWithIgnoringCase(start, kCommonDesktopToken)) {
    return boxes.desktop;
  }
  if (StartsWithIgnoringCase(start, kQuickLaunchToken))
    return boxes.quickLaunch && osCode < kOsWindows7;
  return true;
}
