// SetEnvironmentVariableTask (declared in engine/tasks/system_integration.h).
#include <vector>

#include "checks/os_codes.h"
#include "checks/registry.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "engine/tasks/task_rules.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/registry_api.h"
#include "platform/system_changes.h"
#include "script/registry_text.h"

namespace {

const char kEnvironmentKey[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char kAutoexecName[] = "AUTOEXEC.BAT";
// The drive root is the first three characters of a folder ("C:\").
const size_t kDriveRootLength = 3;
// AUTOEXEC.BAT is a few lines; a larger file is not taken as one.
const size_t kAutoexecLimit = 16u << 20;

int SetInAutoexec(const std::string &name, const std::string &value) {
  std::string temporary;
  if (!GetTemporaryFolder(&temporary) || temporary.size() < kDriveRootLength) return 0;
  const std::string path = temporary.substr(0, kDriveRootLength) + kAutoexecName;
  std::string existing;
  const PathKind kind = ReadPathKind(path);
  if (kind == kPathFolder || kind == kPathFolderLink) return 0;
  if (kind != kPathMissing && !ReadSmallFile(path, kAutoexecLimit, &existing)) return 0;
  return RewriteFile(path, AppendAutoexecSet(existing, name, value)) ? 1 : 0;
}

int SetInRegistry(const std::string &name, const std::string &value, PreviousValue *previous) {
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(RegistryRootFromCode(kRootLocalMachine), kEnvironmentKey,
                       kRegistryAccessAll, &key)) {
    return 0;
  }
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const RegistryReadResult read = ReadRegistryValueTyped(key, name, &type, &data);
  bool ok = read != kRegistryValueUnreadable;  // never overwrite what could not be kept
  if (ok && read == kRegistryValueRead && previous != NULL) {
    previous->present = true;
    previous->type = (int32_t)type;
    previous->data = PreviousRegistryText(type, data.data(), data.size());
  }
  if (ok) {
    const bool wasExpand = read == kRegistryValueRead && type == kRegistryExpandString;
    ok = EnvironmentValueType(wasExpand, value) == kRegistryExpandString
             ? WriteRegistryExpandString(key, name, value)
             : WriteRegistryString(key, name, value);
  }
  CloseRegistryKeyHandle(&key);
  return ok ? 1 : 0;
}

}  // namespace

int SetEnvironmentVariableTask(const std::string &name, const std::string &value,
                               PreviousValue *previous) {
  if (previous != NULL) *previous = PreviousValue();
  if (name.empty()) return 0;
  const int osCode = ActingOsCode();
  int result = 0;
  if (IsNineXSystem(osCode)) {
    result = SetInAutoexec(name, value);
  } else if (osCode == kOsNT3 || IsListedNtSystem(osCode)) {
    result = SetInRegistry(name, value, previous);
  } else {
    return 0;
  }
  if (result == 1) BroadcastEnvironmentChange();
  return result;
}
