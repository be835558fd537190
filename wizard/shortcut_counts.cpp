#include "wizard/shortcut_counts.h"

#include <algorithm>
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

// Counts as CountShortcutTasks says, a task's component judged by `selected`.
template <class Selected>
ShortcutCounts CountSelected(const std::vector<TaskItem> &tasks, int osCode, Selected selected) {
  ShortcutCounts counts;
  for (const TaskItem &task : tasks) {
    if (task.Type != kShortcutTask) continue;
    if (TaskFlagForOs(task.systems, osCode) != 1) continue;
    if (!selected(task.ComponentID)) continue;
    const std::string &path = task.details.OutputPath;
    if (LeadOf(path, 9) == "<desktop>")
      counts.desktop += 1;
    else if (LeadOf(path, 13) == "<quicklaunch>" && osCode < kOsWindows7)
      counts.quickLaunch += 1;
  }
  return counts;
}

}  // namespace

ShortcutCounts CountShortcutTasks(const std::vector<TaskItem> &tasks, int osCode,
                                  int (*isComponentSelected)(int32_t componentId)) {
  return CountSelected(tasks, osCode, [&](int32_t id) {
    return isComponentSelected != nullptr && isComponentSelected(id) != 0;
  });
}

ShortcutCounts CountShortcutTasksOf(const std::vector<TaskItem> &tasks, int osCode,
                                    const std::vector<int32_t> &selectedIds) {
  return CountSelected(tasks, osCode, [&](int32_t id) {
    return std::binary_search(selectedIds.begin(), selectedIds.end(), id);
  });
}
