#include "engine/tasks/registry_tasks.h"

#include <vector>

#include "checks/path_expansion.h"
#include "checks/registry.h"
#include "engine/tasks/system_rules.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/undo_actions.h"
#include "engine/undo/undo_rules.h"
#include "platform/registry_api.h"
#include "script/registry_text.h"

namespace {

// The levels of `keyPath` (outermost first) that do not exist now.
std::vector<std::string> MissingLevels(RegistryKeyHandle root, const std::string &keyPath) {
  std::vector<std::string> missing;
  for (const std::string &level : KeyPathLevels(CleanKeyPath(keyPath)))
    if (RegistryKeyExists(root, level) != 1) missing.push_back(level);
  return missing;
}

DoneTaskRecord KeyRecord(int32_t baseKey, const std::string &keyPath, bool existed) {
  DoneTaskRecord record;
  record.Type = kDoneRegistryKey;
  record.BaseKey = RootHandleValue(baseKey);
  record.KeyPath = keyPath;
  record.hasPrevious = existed;
  return record;
}

// Removes again the key levels a failed task made, deepest first.
void RemoveLevels(int32_t baseKey, const std::vector<std::string> &levels) {
  for (auto level = levels.rbegin(); level != levels.rend(); ++level)
    DeleteKeyIfEmpty(baseKey, *level);
}

}  // namespace

bool CreateRegistryKeyTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  if (root == NULL || keyPath.empty()) return false;
  std::vector<std::string> missingAbove = MissingLevels(root, keyPath);
  const bool existed = RegistryKeyExists(root, keyPath) == 1;
  if (!existed && !missingAbove.empty()) missingAbove.pop_back();  // the key itself, recorded as named
  if (RegistryCreateKey(root, keyPath) != 1) return false;
  done->clear();
  for (const std::string &level : missingAbove) done->push_back(KeyRecord(task.BaseKey, level, false));
  done->push_back(KeyRecord(task.BaseKey, keyPath, existed));
  return true;
}

bool WriteRegistryValueTask(const TaskDetails &task, std::vector<DoneTaskRecord> *done,
                            std::string *why) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  if (root == NULL || task.KeyPath.empty()) {
    *why = root == NULL ? "BaseKey names no root key" : "KeyPath is empty";
    return false;
  }
  const int32_t type = RegistryTypeForValueType(task.ValueType);
  if (type != kRegistryString && type != kRegistryDword) {
    *why = "value type " + std::to_string((long)task.ValueType) + " cannot be written";
    return false;
  }
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  const std::string valueName = ReplacePathVariables(task.ValueName);
  const std::string data = ReplacePathVariables(task.ValueData);
  const std::vector<std::string> created = MissingLevels(root, keyPath);
  if (!created.empty() && RegistryCreateKey(root, keyPath) != 1) {
    RemoveLevels(task.BaseKey, created);
    *why = "its key could not be created";
    return false;
  }
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(root, StripTrailingBackslash(keyPath), kRegistryAccessAll, &key)) {
    RemoveLevels(task.BaseKey, created);
    *why = "its key could not be opened for writing";
    return false;
  }
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
  if (ok && type == kRegistryString) ok = WriteRegistryString(key, valueName, data);
  if (ok && type == kRegistryDword)
    ok = WriteRegistryDword(key, valueName, RegistryDwordFromText(data));
  CloseRegistryKeyHandle(&key);
  if (!ok) {
    RemoveLevels(task.BaseKey, created);
    *why = read == kRegistryValueUnreadable ? "the value there could not be read, so it was kept"
                                            : "the system refused the write";
    return false;
  }
  done->clear();
  for (const std::string &level : created) done->push_back(KeyRecord(task.BaseKey, level, false));
  DoneTaskRecord value;
  value.Type = kDoneRegistryValue;
  value.BaseKey = RootHandleValue(task.BaseKey);
  value.KeyPath = keyPath;
  value.ValueName = valueName;
  value.hasPrevious = previous.present;
  value.PreviousType = previous.type;
  value.PreviousData = previous.data;
  done->push_back(value);
  return true;
}
