// InstallFont (declared in engine/tasks/system_integration.h).
#include "checks/registry.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "engine/tasks/task_rules.h"
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

int InstallFont(const std::string &fontPath) {
  std::string folder = ReadEnvironmentVariable("windir");
  if (folder.empty() || folder[folder.size() - 1] != '\\') folder += '\\';
  folder += kFontsFolder;
  const std::string fileName = FileNamePartOf(fontPath);
  const std::string destination = folder + fileName;
  if (!CopyFileOver(fontPath, destination)) return kFontNotCopied;
  if (AddFontResourceFile(destination) == 0) return kFontNotAdded;
  BroadcastFontChange();
  RegistryKeyHandle key = NULL;
  bool registered = false;
  if (OpenRegistryKey(RegistryRootFromCode(kRootLocalMachine),
                      IsNineXSystem(ActingOsCode()) ? kNineXFontsKey : kNtFontsKey,
                      kRegistryAccessAll, &key)) {
    registered = WriteRegistryString(key, FontTitle(fontPath), fileName);
  }
  CloseRegistryKeyHandle(&key);
  return registered ? kFontInstalled : kFontNotRegistered;
}
