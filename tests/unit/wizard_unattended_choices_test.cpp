// A silent run's answers against the wizard's: the shortcut boxes as the
// tasks page has them (ticked when shown, shown when the selected
// components have such shortcuts), /NODESKTOP, and the log's account of the
// choices, which an interactive run writes alike.
#include <gtest/gtest.h>

#include "checks/os_codes.h"
#include "engine/state/install_choices.h"
#include "wizard/unattended_choices.h"

namespace {

TaskItem Shortcut(int32_t component, const char *outputPath) {
  TaskItem task;
  task.Type = 3;
  task.ComponentID = component;
  task.systems.WinXP = task.systems.Win7 = 1;
  task.details.OutputPath = outputPath;
  return task;
}

ScriptSettings Product() {
  ScriptSettings s;
  Category category;
  category.ID = 10;
  s.categories.push_back(category);
  for (int32_t id : {1, 2}) {
    Component component;
    component.ID = id;
    component.CategoryID = 10;
    component.InternalName = id == 1 ? "Program" : "Extras";
    component.IsPrincipal = id == 1;
    component.IsMarked = 1;
    s.components.push_back(component);
  }
  s.installerTasks = {Shortcut(2, "<desktop>\\Tool"), Shortcut(1, "<quicklaunch>\\App")};
  s.CreateGroup = 1;
  s.CustomStartMenuGroup = "Vendor\\App";
  return s;
}

InstallChoices Silent(const ScriptSettings &s, const char *line, int osCode) {
  UnattendedDefaults defaults;
  defaults.tree = BuildTreeModel(s, 1033, "");
  defaults.folder = "C:\\App\\";
  defaults.osCode = osCode;
  InstallChoices choices;
  std::string problem;
  EXPECT_TRUE(MakeUnattendedChoices(ReadUnattendedOptions(line), s, defaults, &choices, &problem))
      << problem;
  return choices;
}

}  // namespace

TEST(UnattendedChoices, ShortcutBoxesAsTheTasksPageHasThem) {
  const ScriptSettings s = Product();
  InstallChoices c = Silent(s, "setup.exe /S", kOsWindowsXP);
  EXPECT_TRUE(c.desktopShortcuts);
  EXPECT_TRUE(c.quickLaunchShortcuts);
  c = Silent(s, "setup.exe /S /NODESKTOP", kOsWindowsXP);
  EXPECT_FALSE(c.desktopShortcuts);
  EXPECT_TRUE(c.quickLaunchShortcuts);
  // No quick-launch box from Windows 7 on; no desktop box when the
  // desktop shortcut's component is left out, whatever /DESKTOP says.
  c = Silent(s, "setup.exe /S /COMPONENTS=1 /DESKTOP", kOsWindows7);
  EXPECT_FALSE(c.desktopShortcuts);
  EXPECT_FALSE(c.quickLaunchShortcuts);

  const std::vector<std::string> lines = ChoiceLogLines(s, Silent(s, "setup.exe /S", kOsWindows7));
  EXPECT_EQ(lines, (std::vector<std::string>{"Install folder: \"C:\\App\\\"",
                                             "Components: 1 Program, 2 Extras",
                                             "Start-menu group: \"Vendor\\App\"",
                                             "Desktop shortcuts: yes", "Quick-launch shortcuts: no"}));
}
