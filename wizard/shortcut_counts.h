// The desktop and quick-launch shortcuts the installation will make, counted
// when the additional-tasks page is entered.
#ifndef QVS_WIZARD_SHORTCUT_COUNTS_H
#define QVS_WIZARD_SHORTCUT_COUNTS_H

#include <stdint.h>

#include <vector>

#include "script/script_settings.h"

struct ShortcutCounts {
  int desktop = 0;
  int quickLaunch = 0;
};

// Counts the shortcut tasks (type 3) switched on for `osCode`, the system
// the running one acts as (its flag is 1), whose component is selected: those whose OutputPath starts with
// "<desktop>" as desktop shortcuts, else those starting with
// "<quicklaunch>" as quick-launch shortcuts, the latter only below Windows 7.
// On an OS code that is none of the ten known versions nothing counts.
ShortcutCounts CountShortcutTasks(const std::vector<TaskItem> &tasks, int osCode,
                                  int (*isComponentSelected)(int32_t componentId));

// The same for components given by their IDs, sorted ascending (the
// choices of an unattended run).
ShortcutCounts CountShortcutTasksOf(const std::vector<TaskItem> &tasks, int osCode,
                                    const std::vector<int32_t> &selectedIds);

#endif
