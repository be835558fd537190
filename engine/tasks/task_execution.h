// The installer script's tasks (InstallerTasks): the per-system and
// per-component filters, the moment each runs, and the record of what they
// changed (DoneTasks, engine/tasks/done_tasks.h).
//
// Threads: RunBeforeCopyTasks on the interface thread before extraction;
// RunAfterCopyTasks on its own thread after extraction, while the
// interface thread only pumps events. Each writes the journal, DoneTasks
// and the script's usedIds alone while it runs.
#ifndef QVS_ENGINE_TASKS_TASK_EXECUTION_H
#define QVS_ENGINE_TASKS_TASK_EXECUTION_H

#include <stdint.h>

#include <string>

#include "engine/tasks/task_rules.h"
#include "script/script_settings.h"

// Runs one task of type `type` (0 to 14; others do nothing) with its
// details `record` (NULL: nothing is done) in `phase` (kPhaseBeforeCopy
// runs only programs whose ExecutionTime is 0; kPhaseAfterCopy runs every
// type, programs whose ExecutionTime is 1). Texts are path-expanded now.
// Done records are added for the changes that took effect. Returns 0 when
// `systemFlags` exclude the running system (nothing is done), else 1; then
// `notDone` (may be NULL) receives why the task changed nothing, or the
// empty text when its change took effect. The component filter is the
// caller's.
int ExecuteTask(const TaskDetails *record, int32_t type, const OsFlags &systemFlags, int phase,
                std::string *notDone = NULL);

// Before extraction, on the interface thread: every run-program task of a
// selected component, in list order, with phase 0; window events are
// handled after each. Once `stopRequested` (may be NULL) answers true, no
// further program starts.
void RunBeforeCopyTasks(bool (*stopRequested)());

// The after-copy task thread's work: every task of a selected component, in
// list order, with `phase` (the driver passes kPhaseAfterCopy). After each
// item, selected or not, Install().TaskPercent becomes i / n x 100
// (rounded). Each change is journalled before it is made; once the journal
// cannot be written no further task runs (the driver then rolls back).
// Returns 0.
int RunAfterCopyTasks(int phase);

#endif
