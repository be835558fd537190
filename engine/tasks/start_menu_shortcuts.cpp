// The start-menu group of the installer script's InstallerSettings:
// CreateStartMenuShortcuts (declared in engine/tasks/shortcuts.h).
#include "checks/path_expansion.h"
#include "engine/state/install_choices.h"
#include "engine/undo/journalled_files.h"
#include "engine/tasks/file_tasks.h"
#include "engine/state/install_state.h"
#include "engine/state/installer_script.h"
#include "engine/tasks/link_rules.h"
#include "engine/tasks/shortcuts.h"
#include "platform/file_tasks.h"
#include "platform/shell_folders.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

const char kProgramsToken[] = "<startprograms>";
const char kCommonProgramsToken[] = "<commonstartprograms>";

void CreateUninstallShortcut(const ScriptSettings &s, const std::string &group) {
  const InstallState &state = Install();
  std::string icon = ReplacePathVariables(s.CustomUninstallerIconPath);
  int index = s.CustomUninstallerIconIndex;
  if (icon.empty()) {
    icon = state.UninstallerExePath;
    index = 0;
  }
  CreateShellLink(state.UninstallerExePath,
                  group + WithLinkExtension(s.CustomStartMenuUninstall, kShellLinkExtension),
                  std::string(), LangString(kStrUninstallShortcut), state.InstallPath,
                  kLinkShowNormal, 0, icon, index);
}

// One of the four file shortcuts. Its texts are expanded now that the
// install folder is known; the readme's link name stays as written.
void CreateFileShortcut(const StartMenuShortcut &shortcut, bool expandName,
                        const std::string &group) {
  if (shortcut.Create != 1 || !IsComponentSelected(UserChoices(), shortcut.ComponentID)) return;
  const std::string name =
      expandName ? ReplacePathVariables(shortcut.OutputName) : shortcut.OutputName;
  CreateShellLink(ReplacePathVariables(shortcut.FilePath),
                  group + WithLinkExtension(name, kShellLinkExtension),
                  ReplacePathVariables(shortcut.CommandLine),
                  ReplacePathVariables(shortcut.Comment), ReplacePathVariables(shortcut.StartIn),
                  kLinkShowNormal, 0, ReplacePathVariables(shortcut.IconPath),
                  shortcut.IconIndex);
}

}  // namespace

void CreateStartMenuShortcuts() {
  const InstallChoices &choices = UserChoices();
  InstallerScriptState &script = InstallerScript();
  const ScriptSettings &s = script.settings;
  script.StartMenuFolder.clear();
  if (!choices.createGroup) return;
  const bool allUsers = choices.userScopeOffered && choices.allUsers;
  const std::string group = BuildStartMenuFolder(
      ReplacePathVariables(allUsers ? kCommonProgramsToken : kProgramsToken), choices.groupName);
  script.StartMenuFolder = group;
  if (!MakeFolderLevels(group, true)) return;
  if (!FolderExistsAt(group)) return;

  if (s.CreateUninstallShortcut == 1 && s.CreateUninstaller == 1) CreateUninstallShortcut(s, group);
  if (s.CreateInternetLink == 1) {
    CreateInternetShortcut(s.ProgramWebsite,
                           group + WithLinkExtension(s.CustomStartMenuWebLink,
                                                     kInternetLinkExtension));
  }
  CreateFileShortcut(s.SMProgram, true, group);
  CreateFileShortcut(s.SMDocumentation, true, group);
  CreateFileShortcut(s.SMReadme, false, group);
  CreateFileShortcut(s.SMLicense, true, group);
}
