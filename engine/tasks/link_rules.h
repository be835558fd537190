// The portable rules of link files: the extension a link name receives and
// which shortcut tasks the wizard's desktop and quick-launch boxes let
// through.
#ifndef QVS_ENGINE_TASKS_LINK_RULES_H
#define QVS_ENGINE_TASKS_LINK_RULES_H

#include <string>

static const char kShellLinkExtension[] = ".lnk";
static const char kInternetLinkExtension[] = ".url";

// `name` with `extension` (".lnk" or ".url") appended unless its last
// characters already are that extension in any letter case: Readme.LNK
// stays, Readme becomes Readme.lnk.
std::string WithLinkExtension(const std::string &name, const char *extension);

// What the wizard chose that bears on a shortcut task.
struct ShortcutBoxes {
  bool allUsers = false;          // the all-users choice was offered and taken
  bool desktop = false;           // the desktop-shortcut box
  bool quickLaunch = false;       // the quick-launch box
};

// Decides a shortcut task's link from its "OutputPath" as written (not yet
// expanded). *link receives the path to expand: ".lnk" added, and for all
// users every "<desktop>" made "<commondesktop>". True when the link is to
// be made: a link into the desktop only with the desktop box checked, one
// into quick launch only with its box checked on a system older than
// Windows 7 (`osCode` below 80), any other link always.
bool PlanShortcutTaskLink(const std::string &outputPath, const ShortcutBoxes &boxes, int osCode,
                          std::string *link);

#endif
