#include "engine/registry_tasks.h"

#include <vector>

#include "checks/path_expansion.h"
#include "checks/registry.h"
#include "engine/system_rules.h"
#include "engine/task_rules.h"
#include "platform/registry_api.h"
#include "script/registry_text.h"

bool CreateRegistryKeyTask(const TaskDetails &task, DoneTaskRecord *done) {
  const RegistryKeyHandle root = RegistryRootFromCode(task.BaseKey);
  const std::string keyPath = ReplacePathVariables(task.KeyPath);
  if (root == NULL || keyPath.empty()) return false;
  const bool existed = RegistryKeyExists(root, keyPath) == 1;
  if (RegistryCreateKey(root, keyPath) != 1) return false;
  *done = DoneTaskRecord();
  done->Type = kDoneRegistryKey;
  done->BaseKey = RootHandleValue(task.BaseKey);
  done->KeyPath = keyPath;
  done->hasPrevious = existed;
  return true;
}

bool WriteRegistryValueTask(const TaskDetails &task, DoneTaskRecord *done) {
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
  if (ok && type == kRegistryString) ok = WriteRegistryString(key, valueName, data);
  if (ok && type == kRegistryDword)
    ok = WriteRegistryDword(key, valueName, RegistryDwordFromText(data));
  CloseRegistryKeyHandle(&key);
  if (!ok) return false;
  *done = DoneTaskRecord();
  done->Type = kDoneRegistryValue;
  done->BaseKey = RootHandleValue(task.BaseKey);
  done->KeyPath = keyPath;
  done->ValueName = valueName;
  done->hasPrevious = previous.present;
  done->PreviousType = previous.type;
  done->PreviousData = previous.data;
  return true;
}
