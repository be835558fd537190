// InstallFont (declared in engine/tasks/system_integration.h).
#include <vector>

#include "checks/registry.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/install_journal.h"
#include "engine/undo/journalled_files.h"
#include "platform/environment.h"
#include "platform/file_tasks.h"
#include "platform/registry_api.h"
#include "platform/system_changes.h"
#include "script/registry_text.h"

namespace {

const char kFontsFolder[] = "Fonts\\";
const char kNineXFontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
const char kNtFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

}  // namespace

namespace {

// The font's registry value, noted first with what it replaces: only a
// rollback or a recovery undoes it (the uninstaller leaves fonts).
bool RegisterFontValue(const std::string &title, const std::string &fileName) {
  const char *keyPath = IsNineXSystem(ActingOsCode()) ? kNineXFontsKey : kNtFontsKey;
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(RegistryRootFromCode(kRootLocalMachine), keyPath, kRegistryAccessAll, &key))
    return false;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const RegistryReadResult read = ReadRegistryValueTyped(key, title, &type, &data);
  DoneTaskRecord change;
  change.Type = kDoneRegistryValue;
  change.BaseKey = RootHandleValue(kRootLocalMachine);
  change.KeyPath = keyPath;
  change.ValueName = title;
  change.hasPrevious = read == kRegistryValueRead;
  change.PreviousType = (int32_t)type;
  if (change.hasPrevious) change.PreviousData = PreviousRegistryText(type, data.data(), data.size());
  size_t number = 0;
  bool registered = read != kRegistryValueUnreadable &&
                    NoteTaskChanging(change, false, true, &number);
  if (registered) {
    registered = WriteRegistryString(key, title, fileName);
    if (!registered) NoteUndone(number, false);
  }
  CloseRegistryKeyHandle(&key);
  return registered;
}

}  // namespace

int InstallFont(const std::string &fontPath) {
  std::string folder = ReadEnvironmentVariable("windir");
  if (folder.empty() || folder[folder.size() - 1] != '\\') folder += '\\';
  folder += kFontsFolder;
  const std::string fileName = FileNamePartOf(fontPath);
  const std::string destination = folder + fileName;
  FileSpot spot;
  if (!PrepareFileSpot(destination, false, &spot) ||
      !FinishFileSpot(spot, CopyFileOver(fontPath, destination)))
    return kFontNotCopied;
  if (AddFontResourceFile(destination) == 0) return kFontNotAdded;
  BroadcastFontChange();
  return RegisterFontValue(FontTitle(fontPath), fileName) ? kFontInstalled : kFontNotRegistered;
}
