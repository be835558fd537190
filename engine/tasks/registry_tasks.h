// Task types 1 (create a registry key) and 2 (write a registry value). An
// earlier value (or an existing key) is kept in the done record so that
// undoing the task restores instead of deleting; the records are known,
// and journalled, before anything changes.
#ifndef QVS_ENGINE_TASKS_REGISTRY_TASKS_H
#define QVS_ENGINE_TASKS_REGISTRY_TASKS_H

#include <vector>

#include "engine/tasks/system_rules.h"
#include "format/uninstaller_data.h"
#include "script/script_settings.h"

// What creating the expanded "KeyPath" below "BaseKey", with the keys
// above it, changes, before anything is changed: a record for each key
// above it that is missing, outermost first, so that undoing them leaves
// no empty key behind, and last the key's own record, marked (hasPrevious)
// when the key exists already. False when the task names no key.
bool PlanRegistryKeyTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done);
// Creates that key with the keys above it. True when it exists afterwards.
bool CreateRegistryKeyOfTask(const TaskDetails &task);

// Writes "ValueData" into "ValueName" of an existing key (never created
// here): "ValueType" 0 as REG_SZ, 1 as REG_DWORD; any other type writes
// nothing and still counts as done. *done receives the record, with the
// value that was there before; `ahead` is told before the write. A write
// the system refuses, or `ahead` forbids, counts as failed; a value that
// exists but cannot be read is not overwritten.
bool WriteRegistryValueTask(const TaskDetails &task, DoneTaskRecord *done,
                            const ChangeAhead *ahead);

#endif
