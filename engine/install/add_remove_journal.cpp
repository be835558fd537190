#include "engine/install/add_remove_journal.h"

#include <vector>

#include "checks/registry.h"
#include "engine/tasks/system_rules.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/install_journal.h"
#include "engine/undo/removal_plan.h"
#include "engine/undo/undo_rules.h"
#include "platform/registry_api.h"
#include "script/registry_text.h"

bool NoteAddRemoveEntryAhead(const std::string &name, bool forAllUsers) {
  const int32_t rootCode = forAllUsers ? kRootLocalMachine : kRootCurrentUser;
  const RegistryKeyHandle root = RegistryRootFromCode(rootCode);
  const std::string keyPath = kAddRemoveKeyPrefix + name;
  DoneTaskRecord change;
  change.BaseKey = RootHandleValue(rootCode);
  change.KeyPath = keyPath;
  RegistryKeyHandle key = NULL;
  const bool exists = OpenRegistryKey(root, keyPath, kRegistryAccessRead, &key);
  bool noted = true;
  if (!exists) {
    change.Type = kDoneRegistryKey;
    noted = NoteTaskChanging(change, false, false, NULL);
  }
  change.Type = kDoneRegistryValue;
  for (size_t i = 0; noted && i < kAddRemoveValueCount; i++) {
    change.ValueName = kAddRemoveValues[i];
    change.hasPrevious = false;
    change.PreviousData.clear();
    uint32_t type = 0;
    std::vector<uint8_t> data;
    const RegistryReadResult read =
        exists ? ReadRegistryValueTyped(key, change.ValueName, &type, &data) : kRegistryValueMissing;
    if (read == kRegistryValueUnreadable) noted = false;
    if (read == kRegistryValueRead) {
      change.hasPrevious = true;
      change.PreviousType = (int32_t)type;
      change.PreviousData = PreviousRegistryText(type, data.data(), data.size());
    }
    noted = noted && NoteTaskChanging(change, false, false, NULL);
  }
  CloseRegistryKeyHandle(&key);
  return noted && FlushJournal();
}
