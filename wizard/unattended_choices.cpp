#include "wizard/unattended_choices.h"

#include <algorithm>

#include "engine/state/install_log.h"
#include "script/path_rules.h"
#include "wizard/shortcut_counts.h"

namespace {

int ComponentRow(const TreeModel &tree, int32_t componentId) {
  for (size_t row = 0; row < tree.rows.size(); row++)
    if (tree.rows[row].level == 1 && tree.rows[row].itemData == componentId) return (int)row;
  return -1;
}

// The components of /COMPONENTS: those listed, and the locked ones that
// are always installed. False when one is not in the tree.
bool SelectListed(const std::vector<int32_t> &listed, TreeModel *tree, std::string *problem) {
  for (int32_t id : listed) {
    if (ComponentRow(*tree, id) < 0) {
      *problem = "/COMPONENTS names component " + std::to_string((long)id) +
                 ", which this installer does not have";
      return false;
    }
  }
  for (TreeRow &row : tree->rows) {
    if (row.level != 1 || row.state == kRowLocked) continue;
    const bool wanted = std::find(listed.begin(), listed.end(), row.itemData) != listed.end();
    row.state = wanted ? kRowSelected : kRowUnselected;
  }
  RefreshCategoryStates(tree, nullptr);
  return true;
}

}  // namespace

bool MakeUnattendedChoices(const UnattendedOptions &options, const ScriptSettings &settings,
                           const UnattendedDefaults &defaults, InstallChoices *choices,
                           std::string *problem) {
  InstallChoices result;
  TreeModel tree = defaults.tree;
  result.installType = kInstallTypeDefault;
  if (options.hasComponents) {
    if (!SelectListed(options.components, &tree, problem)) return false;
    result.installType = ClassifyInstallType(tree);
  } else if (options.installType >= 0) {
    ApplyInstallType(&tree, options.installType, nullptr);
    result.installType = options.installType;
  }
  for (const Component &component : settings.components)
    if (IsComponentSelectedIn(tree, component.ID) == 1)
      result.selectedComponents.push_back(component.ID);
  std::sort(result.selectedComponents.begin(), result.selectedComponents.end());
  result.selectedComponents.erase(
      std::unique(result.selectedComponents.begin(), result.selectedComponents.end()),
      result.selectedComponents.end());

  result.installFolder = options.hasFolder ? WithTrailingBackslash(options.folder) : defaults.folder;
  result.userScopeOffered = defaults.userScopeOffered;
  result.allUsers = defaults.userScopeOffered && options.scope != kScopeCurrentUser;
  result.createGroup = settings.CreateGroup == 1 && options.group != kGroupNone;
  result.groupName = options.group == kGroupNamed ? options.groupName : settings.CustomStartMenuGroup;
  if (result.createGroup && IsValidGroupName(result.groupName) == 0) {
    *problem = "the start-menu group " + QuotedForLog(result.groupName) + " is not a valid name";
    return false;
  }
  // The tasks page shows a box when there are such shortcuts, ticked.
  const ShortcutCounts counts =
      CountShortcutTasksOf(settings.installerTasks, defaults.osCode, result.selectedComponents);
  result.desktopShortcuts = counts.desktop > 0 && options.desktop != kShortcutsRefused;
  result.quickLaunchShortcuts = counts.quickLaunch > 0 && options.quickLaunch != kShortcutsRefused;
  *choices = result;
  return true;
}
