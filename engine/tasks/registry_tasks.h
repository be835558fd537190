// Task types 1 (create a registry key) and 2 (write a registry value). An
// earlier value (or an existing key) is kept in the done records so that
// undoing the task restores instead of deleting; the records are known,
// and journalled, before anything changes.
#ifndef QVS_ENGINE_TASKS_REGISTRY_TASKS_H
#define QVS_ENGINE_TASKS_REGISTRY_TASKS_H

#include <string>
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

// Writes "ValueData" into "ValueName" of the expanded "KeyPath": "ValueType"
// 0 as REG_SZ, 1 as REG_DWORD. *done receives a record for each level of
// the key that is missing (outermost first), then the value's record with
// the value that was there before; `ahead` is told before the levels are
// made and again before the value is written. A missing key is created
// first. False, with *why and nothing left changed (the levels made are
// removed again), when the value type is neither 0 nor 1, the key cannot
// be made, `ahead` forbids a change, the system refuses the write, or a
// value that is there cannot be read (it is not overwritten).
bool WriteRegistryValueTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done,
                            std::string *why, const ChangeAhead *ahead);

#endif
