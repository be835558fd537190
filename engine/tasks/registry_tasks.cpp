#include "engine/tasks/registry_tasks.h"

#include <vector>

#include "checks/path_expansion.h"
#include "checks/registry.h"
#include "engine/tasks/system_rules.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/undo_rules.h"
#include "platform/registry_api.h"
#include "script/registry_text.h"

bool PlanRegistryKeyTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  if (root == NULL || keyPath.empty()) return false;
  std::vector<std::string> levels = KeyPathLevels(CleanKeyPath(keyPath));
  if (!levels.empty()) levels.pop_back();  // the key itself is recorded as named
  done->clear();
  DoneTaskRecord record;
  record.Type = kDoneRegistryKey;
  record.BaseKey = RootHandleValue(task.BaseKey);
  for (const std::string &level : levels) {
    if (RegistryKeyExists(root, level) == 1) continue;
    record.KeyPath = level;
    done->push_back(record);
  }
  record.KeyPath = keyPath;
  record.hasPrevious = RegistryKeyExists(root, keyPath) == 1;
  done->push_back(record);
  return true;
}

bool CreateRegistryKeyOfTask(const TaskDetails &task) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  return root != NULL && !keyPath.empty() && RegistryCreateKey(root, keyPath) == 1;
}

bool WriteRegistryValueTask(const TaskDetails &task, DoneTaskRecord *done,
                            const ChangeAhead *ahead) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  if (root == NULL || task.KeyPath.empty()) return false;
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  const std::string valueName = ReplacePathVariables(task.ValueName);
  const std::string data = ReplacePathVariables(task.ValueData);
  const int32_t type = RegistryTypeForValueType(task.ValueType);
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(root, StripTrailingBackslash(keyPath), kRegistryAccessAll, &key))
    return false;
  PreviousValue previous;
  uint32_t previousType = 0;
  std::vector<uint8_t> previousData;
  const RegistryReadResult read = ReadRegistryValueTyped(key, valueName, &previousType,
                                                         &previousData);
  bool ok = read != kRegistryValueUnreadable;
  if (read == kRegistryValueRead) {
    previous.present = true;
    previous.type = (int32_t)previousType;
    previous.data = PreviousRegistryText(previousType, previousData.data(), previousData.size());
  }
  *done = DoneTaskRecord();
  done->Type = kDoneRegistryValue;
  done->BaseKey = RootHandleValue(task.BaseKey);
  done->KeyPath = keyPath;
  done->ValueName = valueName;
  done->hasPrevious = previous.present;
  done->PreviousType = previous.type;
  done->PreviousData = previous.data;
  ok = ok && AllowsChange(ahead, previous);
  if (ok && type == kRegistryString) ok = WriteRegistryString(key, valueName, data);
  if (ok && type == kRegistryDword)
    ok = WriteRegistryDword(key, valueName, RegistryDwordFromText(data));
  CloseRegistryKeyHandle(&key);
  return ok;
}
