#include "engine/undo/undo_actions.h"

#include <vector>

#include "checks/os_codes.h"
#include "checks/registry.h"
#include "engine/undo/removal_plan.h"
#include "engine/undo/safe_removal.h"
#include "engine/tasks/system_integration.h"
#include "engine/tasks/system_rules.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/undo_rules.h"
#include "platform/file_tasks.h"
#include "platform/ini_files.h"
#include "platform/registry_changes.h"
#include "platform/system_changes.h"
#include "script/ansi_text.h"
#include "script/registry_text.h"

namespace {

const char kEnvironmentKey[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char kShellKey[] = "\\shell";
const char kCommandKey[] = "\\command";
const char kIconKey[] = "\\DefaultIcon";
const char kUninstallStringValue[] = "UninstallString";
// Every value the installer writes into its Add/Remove entry.
const char *const kAddRemoveValues[] = {
    "DisplayName",    "DisplayVersion",   "DisplayIcon",          "Publisher",
    "URLInfoAbout",   "HelpLink",         "Contact",              "UninstallString",
    "QuietUninstallString", "InstallLocation", "EstimatedSize",  "NoModify",
    "NoRepair",
};
// Registry key names are at most 255 characters.
const size_t kKeyNameBuffer = 256;
// Bounds of a key tree's deletion, so that a damaged registry cannot keep
// it going for ever.
const int kMaxKeyDepth = 64;
const uint32_t kMaxSubkeys = 65536;
// An INI file larger than this is never taken for an empty one.
const size_t kIniEmptinessLimit = 1u << 20;

struct OpenedKey {
  RegistryKeyHandle handle = NULL;
  ~OpenedKey() { CloseRegistryKeyHandle(&handle); }
};

bool Open(int32_t rootCode, const std::string &keyPath, RegistryAccess access, OpenedKey *key) {
  const RegistryKeyHandle root = RegistryRootFromCode(rootCode);
  return root != NULL && OpenRegistryKey(root, keyPath, access, &key->handle);
}

// A string value's text; false when it is missing or not a string.
bool ReadText(int32_t rootCode, const std::string &keyPath, const std::string &valueName,
              std::string *text) {
  OpenedKey key;
  if (!Open(rootCode, keyPath, kRegistryAccessRead, &key)) return false;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  if (ReadRegistryValueTyped(key.handle, valueName, &type, &data) != kRegistryValueRead ||
      (type != kRegistryString && type != kRegistryExpandString)) {
    return false;
  }
  *text = RegistryStringText(data.data(), data.size());
  return true;
}

// The earlier value written back, or the value deleted when there was none.
void RestoreOrDelete(int32_t rootCode, const std::string &keyPath, const std::string &valueName,
                     const DoneTaskRecord &record) {
  OpenedKey key;
  if (!Open(rootCode, keyPath, kRegistryAccessAll, &key)) return;
  std::vector<uint8_t> bytes;
  if (!record.hasPrevious) {
    DeleteRegistryValueNamed(key.handle, valueName);
  } else if (PreviousValueBytes(record.PreviousType, record.PreviousData, &bytes)) {
    WriteRegistryValueBytes(key.handle, valueName, (uint32_t)record.PreviousType, bytes);
  }
}

std::vector<std::string> SubkeyNames(int32_t rootCode, const std::string &keyPath) {
  std::vector<std::string> names;
  OpenedKey key;
  if (!Open(rootCode, keyPath, kRegistryAccessEnumerate, &key)) return names;
  std::string name;
  for (uint32_t index = 0; index < kMaxSubkeys; index++) {
    if (EnumerateRegistrySubkey(key.handle, index, kKeyNameBuffer, &name) != kRegistryEnumName)
      break;
    names.push_back(name);
  }
  return names;
}

bool DeleteSubkeyOf(int32_t rootCode, const std::string &keyPath) {
  std::string parent, name;
  SplitKeyPath(keyPath, &parent, &name);
  OpenedKey parentKey;
  return Open(rootCode, parent, kRegistryAccessAll, &parentKey) &&
         DeleteRegistrySubkey(parentKey.handle, name);
}

bool DeleteTreeAt(int32_t rootCode, const std::string &keyPath, int depth) {
  if (depth > kMaxKeyDepth) return false;
  for (const std::string &name : SubkeyNames(rootCode, keyPath))
    DeleteTreeAt(rootCode, keyPath + "\\" + name, depth + 1);
  return DeleteSubkeyOf(rootCode, keyPath);
}

bool SameText(const std::string &a, const std::string &b) {
  return AnsiLower(TrimSpaces(a)) == AnsiLower(TrimSpaces(b));
}

void UndoAssociation(const DoneTaskRecord &record, int osCode) {
  AssociationKeys keys;
  if (!AssociationKeysFor(record.Extension, record.ExePath, osCode, &keys)) return;
  const int32_t root = keys.rootCode;
  std::string current;
  // Another program may have taken the extension since: then it stays so.
  if (ReadText(root, keys.extensionKey, std::string(), &current) &&
      SameText(current, keys.className)) {
    RestoreOrDelete(root, keys.extensionKey, std::string(), record);
  }
  DeleteKeyIfEmpty(root, keys.extensionKey);

  const std::string shell = keys.classKey + kShellKey;
  bool ours = false;
  bool others = false;
  for (const std::string &verb : SubkeyNames(root, shell)) {
    const std::string verbKey = shell + "\\" + verb;
    const std::string commandKey = verbKey + kCommandKey;
    std::string command;
    if (!ReadText(root, commandKey, std::string(), &command) ||
        !CommandStartsProgram(command, record.ExePath)) {
      others = true;
      continue;
    }
    ours = true;
    DeleteValueOf(root, commandKey, std::string());
    DeleteKeyIfEmpty(root, commandKey);
    DeleteValueOf(root, verbKey, std::string());  // the verb's text in the menu
    DeleteKeyIfEmpty(root, verbKey);
  }
  if (ours) {
    // The default verb the association set goes with its verb.
    std::string defaultVerb;
    OpenedKey verbKey;
    if (ReadText(root, shell, std::string(), &defaultVerb) && !TrimSpaces(defaultVerb).empty() &&
        !Open(root, shell + "\\" + TrimSpaces(defaultVerb), kRegistryAccessRead, &verbKey)) {
      DeleteValueOf(root, shell, std::string());
    }
    DeleteKeyIfEmpty(root, shell);
    // With no other program's verb left, the class was this program's.
    if (!others) {
      const std::string icon = keys.classKey + kIconKey;
      DeleteValueOf(root, icon, std::string());
      DeleteKeyIfEmpty(root, icon);
      DeleteValueOf(root, keys.classKey, std::string());
      DeleteKeyIfEmpty(root, keys.classKey);
    }
  }
  NotifyAssociationsChanged();
}

void UndoEnvironment(const DoneTaskRecord &record, int osCode) {
  if (osCode != kOsNT3 && !IsListedNtSystem(osCode)) return;
  OpenedKey key;
  if (!Open(kRootLocalMachine, kEnvironmentKey, kRegistryAccessAll, &key)) return;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const RegistryReadResult read = ReadRegistryValueTyped(key.handle, record.VariableName, &type,
                                                         &data);
  if (read == kRegistryValueUnreadable) return;
  const bool present = read == kRegistryValueRead;
  const bool text = type == kRegistryString || type == kRegistryExpandString;
  const std::string current = !present ? std::string()
                              : text   ? RegistryStringText(data.data(), data.size())
                                       : std::string(data.begin(), data.end());
  const EnvironmentUndo undo = PlanEnvironmentUndo(record, present, (int32_t)type, current);
  std::vector<uint8_t> bytes;
  bool changed = false;
  if (undo.action == kEnvironmentDelete) {
    changed = DeleteRegistryValueNamed(key.handle, record.VariableName);
  } else if (undo.action == kEnvironmentWrite && PreviousValueBytes(undo.type, undo.value, &bytes)) {
    changed = WriteRegistryValueBytes(key.handle, record.VariableName, (uint32_t)undo.type, bytes);
  }
  if (changed) BroadcastEnvironmentChange();
}

void RemoveIniGroupIfEmpty(const std::string &iniPath, const std::string &group) {
  if (IniNameListed(ReadIniGroupNames(iniPath), group) && ReadIniKeyNames(iniPath, group).empty())
    DeleteIniGroup(iniPath, group);
}

// A file the installation's entries were all that held goes too; a file
// named without its folder lives in the system's folder and always stays.
void DeleteIniFileIfBlank(const std::string &iniPath) {
  std::string text;
  if (!IsRemovablePath(iniPath) || !ReadSmallFile(iniPath, kIniEmptinessLimit, &text)) return;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
  RemoveFileAt(iniPath, false);
}

void UndoIniGroup(const DoneTaskRecord &record) {
  if (record.hasPrevious) return;
  RemoveIniGroupIfEmpty(record.IniPath, record.GroupName);
  DeleteIniFileIfBlank(record.IniPath);
}

void UndoIniValue(const DoneTaskRecord &record) {
  if (record.hasPrevious) {
    WriteIniString(record.IniPath, record.Group, record.ValueName, record.PreviousData);
    return;
  }
  DeleteIniKey(record.IniPath, record.Group, record.ValueName);
  RemoveIniGroupIfEmpty(record.IniPath, record.Group);
  DeleteIniFileIfBlank(record.IniPath);
}

// The path an UninstallString names: in double quotes or as it stands.
std::string CommandProgram(const std::string &command) {
  const std::string text = TrimSpaces(command);
  if (text.empty() || text[0] != '"') return text;
  const size_t close = text.find('"', 1);
  return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

}  // namespace

bool DeleteKeyIfEmpty(int32_t rootCode, const std::string &keyPath) {
  if (keyPath.empty()) return false;
  uint32_t subkeys = 0;
  uint32_t values = 0;
  {
    OpenedKey key;
    if (!Open(rootCode, keyPath, kRegistryAccessRead, &key) ||
        !ReadRegistryKeyCounts(key.handle, &subkeys, &values) || subkeys != 0 || values != 0) {
      return false;
    }
  }
  return DeleteSubkeyOf(rootCode, keyPath);
}

bool DeleteKeyTree(int32_t rootCode, const std::string &keyPath) {
  return !keyPath.empty() && DeleteTreeAt(rootCode, keyPath, 0);
}

bool DeleteValueOf(int32_t rootCode, const std::string &keyPath, const std::string &valueName) {
  OpenedKey key;
  return Open(rootCode, keyPath, kRegistryAccessAll, &key) &&
         DeleteRegistryValueNamed(key.handle, valueName);
}

void RemoveAddRemoveEntry(int32_t rootCode, const std::string &keyPath,
                          const std::string &uninstallerPath) {
  std::string command;
  if (!ReadText(rootCode, keyPath, kUninstallStringValue, &command) ||
      !IsSamePath(CommandProgram(command), uninstallerPath)) {
    return;
  }
  for (const char *value : kAddRemoveValues) DeleteValueOf(rootCode, keyPath, value);
  DeleteKeyIfEmpty(rootCode, keyPath);
}

void UndoDoneRecord(const DoneTaskRecord &record, int32_t rootCode, const std::string &keyPath,
                    int osCode, WaitCallbackFunction callback) {
  switch (record.Type) {
    case kDoneRegistryKey:
      if (!record.hasPrevious) DeleteKeyIfEmpty(rootCode, keyPath);
      break;
    case kDoneRegistryValue:
      RestoreOrDelete(rootCode, keyPath, record.ValueName, record);
      break;
    case kDoneFileAssociation:
      UndoAssociation(record, osCode);
      break;
    case kDoneDllRegistration:
      if (ReadPathKind(record.DLLPath) == kPathFile) UnregisterDll(record.DLLPath, callback);
      break;
    case kDoneEnvironmentVariable:
      UndoEnvironment(record, osCode);
      break;
    case kDoneIniGroup:
      UndoIniGroup(record);
      break;
    case kDoneIniValue:
      UndoIniValue(record);
      break;
  }
}
