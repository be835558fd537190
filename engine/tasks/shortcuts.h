// Link files: shell shortcuts (".lnk") and internet shortcuts (".url"),
// the start-menu group with its shortcuts, and the shortcut tasks (types 3
// and 4).
//
// Every link made is journalled: as written, or, when a file of that name
// was there before, as replaced with the earlier file kept aside (so a
// rollback puts it back). A link whose file could not be written is not
// journalled. A file the run itself wrote earlier is simply overwritten.
#ifndef QVS_ENGINE_TASKS_SHORTCUTS_H
#define QVS_ENGINE_TASKS_SHORTCUTS_H

#include <string>

#include "script/script_settings.h"

// Show command every link is made with: SW_SHOWNORMAL.
static const int kLinkShowNormal = 1;

// Writes the shell shortcut `linkFile` (texts used as given). COM is
// initialised for the calling thread during the call, so any thread may
// call it. 1 when the file was saved, else 0.
int CreateShellLink(const std::string &target, const std::string &linkFile,
                    const std::string &arguments, const std::string &description,
                    const std::string &workingDirectory, int showCommand, int hotkey,
                    const std::string &iconPath, int iconIndex);

// Writes the internet shortcut `linkFile`: "[InternetShortcut]" and
// "URL=" + `url`, each line ended by CR LF. 0 when the link's folder does
// not exist or the file cannot be written, else 1.
int CreateInternetShortcut(const std::string &url, const std::string &linkFile);

// The start-menu group and its shortcuts. Call on the interface thread
// after the install folder and the uninstaller's names are set in
// Install(), before extraction. Sets InstallerScript().StartMenuFolder
// (empty when no group is made), creates the group folder a level at a
// time into the journal, then the uninstall shortcut (when the script
// asks for it and for an uninstaller), the web link (when asked for) and
// the program, documentation, readme and licence shortcuts whose
// component is selected. The web link and the four file shortcuts do not
// depend on the uninstall shortcut or the uninstaller being made.
void CreateStartMenuShortcuts();

// Task type 3: a shortcut, made when the wizard's desktop and quick-launch
// boxes let it through. Empty when it was written, else why not.
std::string RunShortcutTask(const TaskDetails &task);

// Task type 4: an internet shortcut; no box of the wizard filters it.
// Empty when it was written, else why not.
std::string RunInternetShortcutTask(const TaskDetails &task);

#endif
