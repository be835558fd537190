// Task types 1 (create a registry key) and 2 (write a registry value).
// Each fills the done records of what it changed and returns true only when
// the change took effect; an earlier value (or an existing key) is kept in
// the record so that undoing the task restores instead of deleting.
#ifndef QVS_ENGINE_TASKS_REGISTRY_TASKS_H
#define QVS_ENGINE_TASKS_REGISTRY_TASKS_H

#include <string>
#include <vector>

#include "format/uninstaller_data.h"
#include "script/script_settings.h"

// Creates the expanded "KeyPath" below "BaseKey" with the keys above it.
// *done receives a record for each key above it that this made, outermost
// first, so that undoing them leaves no empty key behind, and last the
// key's own record. An existing key counts as created and is marked in its
// record (hasPrevious) as there before.
bool CreateRegistryKeyTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done);

// Writes "ValueData" into "ValueName" of the expanded "KeyPath": "ValueType"
// 0 as REG_SZ, 1 as REG_DWORD. A key that is missing is created first, and
// *done receives a record for each level of it this made (outermost first),
// then the value's record. False, with *why and nothing left changed (the
// levels made are removed again), when the value type is neither 0 nor 1,
// the key cannot be made, the system refuses the write, or a value that is
// there cannot be read (it is not overwritten).
bool WriteRegistryValueTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done,
                            std::string *why);

#endif
