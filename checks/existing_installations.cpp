#include "checks/existing_installations.h"

#include <vector>

#include "checks/check_messages.h"
#include "script/language_strings.h"
#include "script/registry_text.h"
#include "script/string_ids.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct UninstallEntry {
  int32_t root;
  std::string path;
};

std::string ReadIfPresent(const CheckEnvironment &env, const UninstallEntry &entry,
                          const char *valueName) {
  if (env.registryValueExists == nullptr || env.registryReadValue == nullptr) return std::string();
  if (!env.registryValueExists(entry.root, entry.path, valueName)) return std::string();
  return env.registryReadValue(entry.root, entry.path, valueName);
}

std::string Expanded(const CheckEnvironment &env, const std::string &text) {
  return env.expandText != nullptr ? env.expandText(text) : text;
}

std::vector<UninstallEntry> ListUninstallEntries(const CheckEnvironment &env) {
  std::vector<UninstallEntry> entries;
  if (env.registrySubkeys == nullptr) return entries;
  const int32_t roots[] = {kRootCurrentUser, kRootLocalMachine};
  for (int32_t root : roots) {
    for (const std::string &path : env.registrySubkeys(root, kUninstallKey)) {
      if (!path.empty()) entries.push_back(UninstallEntry{root, path});
    }
  }
  return entries;
}

}  // namespace

bool InstallationMatches(const std::string &programName, const std::string &programVersion,
                         const std::string &displayName, const std::string &displayVersion) {
  if (programName != displayName) return false;
  return programVersion.empty() || displayVersion.empty() || programVersion == displayVersion;
}

CheckResult CheckExistingInstallations(ScriptSettings *settings, const CheckEnvironment &env) {
  if (settings == nullptr || settings->existingInstallations.empty()) return kCheckContinue;
  std::vector<UninstallEntry> entries = ListUninstallEntries(env);
  for (const UninstallEntry &entry : entries) {
    std::string name = ReadIfPresent(env, entry, "DisplayName");
    if (name.empty()) continue;
    std::string version = ReadIfPresent(env, entry, "DisplayVersion");
    for (const ExistingInstallation &item : settings->existingInstallations) {
      if (item.Remove != 1) continue;
      if (!InstallationMatches(Expanded(env, item.ProgramName), Expanded(env, item.ProgramVersion),
                               name, version))
        continue;
      std::string text = ReplacePlaceholder(LangString(kStrExistingInstalled), "$P", version);
      ShowCheckMessage(env, kStrExistingCaption, text, kCheckButtonsOk, kCheckIconExclamation);
      return kCheckEndInstaller;
    }
  }
  std::vector<ExistingInstallation>().swap(settings->existingInstallations);
  return kCheckContinue;
}
