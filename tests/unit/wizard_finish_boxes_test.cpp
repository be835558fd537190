// The finish page's boxes and the shortcut count of the tasks page: both
// follow script keys and the components selected.
#include <gtest/gtest.h>

#include <set>

#include "wizard/finish_boxes.h"
#include "wizard/shortcut_counts.h"

namespace {

std::set<int32_t> g_selected;
int IsSelected(int32_t id) { return g_selected.count(id) ? 1 : 0; }

ScriptSettings AllFinishKeys() {
  ScriptSettings s;
  s.LaunchProgram.Checkbox = 1;
  s.LaunchProgram.ComponentID = 10;
  s.ViewDocumentation.Checkbox = 1;
  s.ViewDocumentation.ComponentID = 11;
  s.ViewReadme.Checkbox = 1;
  s.ViewReadme.ComponentID = 10;
  s.ViewLicense.Checkbox = 1;
  s.ViewLicense.ComponentID = 12;
  s.VisitWebsiteCheckbox = 1;
  return s;
}

TEST(FinishBoxes, RestartBoxExcludesTheOthers) {
  ScriptSettings s = AllFinishKeys();
  s.ShowRestartComputerCheckbox = 1;
  std::vector<FinishBox> boxes = FinishBoxesToCreate(s);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(303, boxes[0].id);
  EXPECT_EQ(135, boxes[0].textIndex);
  EXPECT_EQ(110, boxes[0].y);
  g_selected = {10, 11, 12};
  std::vector<FinishBox> placed = PlaceFinishBoxes(boxes, s, IsSelected);
  ASSERT_EQ(1u, placed.size());
  EXPECT_TRUE(placed[0].shown);
  EXPECT_EQ(110, placed[0].y);
}

TEST(FinishBoxes, CreatedByKeyAndPlacedByComponent) {
  ScriptSettings s = AllFinishKeys();
  s.ViewDocumentation.Checkbox = 0;
  std::vector<FinishBox> boxes = FinishBoxesToCreate(s);
  ASSERT_EQ(4u, boxes.size());
  EXPECT_EQ(304, boxes[0].id);
  EXPECT_EQ(306, boxes[1].id);
  EXPECT_EQ(135, boxes[1].y);
  EXPECT_EQ(310, boxes[1].width);
  EXPECT_EQ(308, boxes[3].id);
  EXPECT_EQ(185, boxes[3].y);
  EXPECT_EQ(315, boxes[3].width);

  g_selected = {12};  // the program's component (10) is not selected
  std::vector<FinishBox> placed = PlaceFinishBoxes(boxes, s, IsSelected);
  EXPECT_FALSE(placed[0].shown);  // 304
  EXPECT_FALSE(placed[1].shown);  // 306
  EXPECT_TRUE(placed[2].shown);   // 307 moves up to the first place
  EXPECT_EQ(110, placed[2].y);
  EXPECT_TRUE(placed[3].shown);   // 308 depends on its key alone
  EXPECT_EQ(135, placed[3].y);
}

TaskItem Shortcut(const std::string &outputPath, int32_t component) {
  TaskItem task;
  task.Type = 3;
  task.ComponentID = component;
  task.details.OutputPath = outputPath;
  task.systems.WinXP = 1;
  task.systems.Win7 = 1;
  return task;
}

TEST(ShortcutCounts, DesktopAndQuickLaunchByOutputPath) {
  g_selected = {1};
  std::vector<TaskItem> tasks = {Shortcut("<DESKTOP>\\App", 1), Shortcut(" <desktop>x", 1),
                                 Shortcut("<QuickLaunch>\\App", 1), Shortcut("<startmenu>", 1),
                                 Shortcut("<desktop>\\Other", 2)};
  TaskItem notShortcut = Shortcut("<desktop>", 1);
  notShortcut.Type = 2;
  tasks.push_back(notShortcut);
  ShortcutCounts xp = CountShortcutTasks(tasks, 60, IsSelected);
  // " <desktop>x": its first nine characters are " <desktop", not the token.
  EXPECT_EQ(1, xp.desktop);
  EXPECT_EQ(1, xp.quickLaunch);
  ShortcutCounts seven = CountShortcutTasks(tasks, 80, IsSelected);
  EXPECT_EQ(1, seven.desktop);
  EXPECT_EQ(0, seven.quickLaunch);  // no quick launch from Windows 7 on
}

TEST(ShortcutCounts, SwitchedOffOrUnknownSystemsCountNothing) {
  g_selected = {1};
  std::vector<TaskItem> tasks = {Shortcut("<desktop>\\App", 1)};
  EXPECT_EQ(0, CountShortcutTasks(tasks, 30, IsSelected).desktop);   // Win98 flag 0
  EXPECT_EQ(0, CountShortcutTasks(tasks, 100, IsSelected).desktop);  // not a known version
  tasks[0].systems.Win98 = 2;  // only 1 switches a task on
  EXPECT_EQ(0, CountShortcutTasks(tasks, 30, IsSelected).desktop);
}

}  // namespace
