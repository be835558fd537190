#include "wizard/shortcut_counts.h"

#include <string>

#include "checks/os_codes.h"
#include "engine/tasks/task_rules.h"
#include "script/ansi_text.h"

namespace {

const int kShortcutTask = 3;

// The first `count` characters of `path`, trimmed and lower-cased.
std::string LeadOf(const std::string &path, size_t count) {
  return AnsiLower(TrimSpaces(path.substr(0, count)));
}

}  // namespace

ShortcutCounts CountShortcutTasks(const std::vector<TaskItem> &tasks, int osCode,
                                  int (*isComponentSelected)(int32_t componentId)) {
  ShortcutCounts counts;
  for (const TaskItem &task : tasks) {
    if (task.Type != kShortcutTask) continue;
    if (TaskFlagForOs(task.systems, osCode) != 1) continue;
    if (isComponentSelected == nullptr || isComponentSelected(task.ComponentID) == 0) continue;
    const std::string &path = task.details.OutputPath;
    if (LeadOf(path, 9) == "<desktop>")
      counts.desktop += 1;
    else if (LeadOf(path, 13) == "<quicklaunch>" && osCode < kOsWindows7)
      counts.quickLaunch += 1;
  }
  return counts;
}
