// libFuzzer harness for the texts an installer carries and a vendor writes:
// the input is parsed as a language file and loaded, then as an installer
// script read into the settings with every text sent through the path
// variables, and its values are put to the path and name rules and the
// registry notation. Any crash, sanitizer report, leak or hang is a bug in
// script/.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/path_variables.h"
#include "script/registry_text.h"
#include "script/script_settings.h"

namespace {

// A fixed machine for the path variables: every lookup answers, so that the
// expansion follows each token's whole rule.
std::string SameText(const std::string &text) { return text; }
std::string FolderOf(int csidl) { return "C:\\Folder" + std::to_string(csidl) + "\\"; }
std::string VariableValue(const char *name) { return std::string("C:\\") + name; }
bool FolderExists(const std::string &path) { return path.size() % 2 == 0; }
std::string TemporaryFolder() { return "C:\\Temp\\"; }
std::string RegistryValue(int32_t rootCode, const std::string &key, const std::string &name) {
  return std::to_string(rootCode) + key.substr(0, 8) + name.substr(0, 8);
}
std::string InstallerPath() { return "C:\\Setup\\"; }
std::string UserName() { return "User"; }
std::string PureBasicFolder(int osCode) { return osCode > 60 ? "C:\\PB\\" : ""; }

const ScriptSettings *gSettings = nullptr;

PathVariableLookups Lookups() {
  PathVariableLookups lookups;
  lookups.expandEnvironment = SameText;
  lookups.specialFolder = FolderOf;
  lookups.environmentVariable = VariableValue;
  lookups.folderExists = FolderExists;
  lookups.temporaryFolder = TemporaryFolder;
  lookups.registryValue = RegistryValue;
  lookups.installerPath = InstallerPath;
  lookups.userName = UserName;
  lookups.pureBasicFolder = PureBasicFolder;
  return lookups;
}

std::string ExpandText(const std::string &text) {
  static const PathVariableLookups lookups = Lookups();
  static const std::string startMenu = "C:\\Start\\Group\\";
  PathVariableScope scope;
  // Every OS code with its own rules, and one that has none.
  static const int kOsCodes[] = {10, 20, 30, 40, 50, 60, 65, 70, 75, 80, 100};
  scope.osCode = kOsCodes[text.size() % (sizeof kOsCodes / sizeof kOsCodes[0])];
  scope.languageId = 1033;
  scope.settings = gSettings;
  scope.startMenuFolder = &startMenu;
  scope.lookups = &lookups;
  return ReplacePathVariables(scope, text);
}

bool ValueExists(int32_t mainKey, const std::string &, const std::string &valueName) {
  return (mainKey + valueName.size()) % 2 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text((const char *)data, size);

  // As a language file: its header, then its strings loaded by name.
  ResetLanguageStrings();
  std::vector<LanguageFile> languages(1, ReadLanguageFile(text));
  std::vector<size_t> entries = LanguageListEntries(languages);
  PreselectLanguage(languages, entries, 1033);
  LoadLanguageStrings(languages, languages[0].name);
  ClearDocument();

  // As an installer script.
  ScriptSettings settings;
  gSettings = &settings;
  if (ParseDocument(text) != 0) {
    ScriptReadHooks hooks;
    hooks.expandText = ExpandText;
    hooks.registryValueExists = ValueExists;
    hooks.registryReadValue = RegistryValue;
    ReadInstallerScript(hooks, &settings);
  }
  ClearDocument();
  gSettings = nullptr;

  // Its values against the rules the wizard and the registry layer apply.
  std::vector<std::string> reserved = {"con", "nul", "aux"};
  for (const auto &component : settings.components) {
    IsValidInstallPath(component.InstallationPath, reserved);
    IsValidGroupName(component.InstallationPath);
  }
  IsValidGroupName(settings.CustomStartMenuGroup);
  for (const auto &item : settings.requiredItems) {
    for (const auto &key : item.Keys) FormatRegistryKey(key.MainKey, key.SubKey);
    for (const auto &value : item.Values)
      FormatRegistryValue(value.MainKey, value.SubKey, value.ValueName);
  }
  StripTrailingBackslash(settings.CustomStartMenuGroup);
  StripLeadingBackslash(settings.CustomStartMenuGroup);
  RegistryDwordFromText(text.substr(0, 64));
  RegistryDwordText(data, size);
  RegistryStringText(data, size);
  RegistryBinaryUnits(data, size);
  ResetLanguageStrings();
  return 0;
}
