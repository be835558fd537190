// Task types 1 (create a registry key) and 2 (write a registry value).
// Each fills the done record of what it changed and returns true only when
// the change took effect; an earlier value (or an existing key) is kept in
// the record so that undoing the task restores instead of deleting.
#ifndef QVS_ENGINE_TASKS_REGISTRY_TASKS_H
#define QVS_ENGINE_TASKS_REGISTRY_TASKS_H

#include <vector>

#include "format/uninstaller_data.h"
#include "script/script_settings.h"

// Creates the expanded "KeyPath" below "BaseKey" with the keys above it.
// *done receives a record for each key above it that this made, outermost
// first, so that undoing them leaves no empty key behind, and last the
// key's own record. An existing key counts as created and is marked in its
// record (hasPrevious) as there before.
bool CreateRegistryKeyTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done);

// Writes "ValueData" into "ValueName" of an existing key (never created
// here): "ValueType" 0 as REG_SZ, 1 as REG_DWORD; any other type writes
// nothing and still counts as done. A write the system refuses counts as
// failed. A value that was there before is kept in the record; one that
// exists but cannot be read is not overwritten.
bool WriteRegistryValueTask(const TaskDetails &task, DoneTaskRecord *done);

#endif
