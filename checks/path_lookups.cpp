#include "checks/path_lookups.h"

#include <vector>

#include "checks/registry.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry_api.h"
#include "platform/shell_folders.h"
#include "script/ansi_text.h"
#include "script/purebasic_folder.h"

namespace {

int ReadKeyDefault(int32_t rootCode, const std::string &keyPath, std::string *value) {
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(RegistryRootFromCode(rootCode), keyPath, kRegistryAccessRead, &key)) {
    return -1;
  }
  RegistryDataKind kind = kRegistryDataOther;
  std::vector<uint8_t> data;
  int result = 0;
  if (ReadRegistryValueData(key, "", &kind, &data) == kRegistryValueRead) {
    *value = RegistryStringText(data.data(), data.size());
    result = 1;
  }
  CloseRegistryKeyHandle(&key);
  return result;
}

std::string LocalRegistryValue(int32_t rootCode, const std::string &keyPath,
                               const std::string &valueName) {
  return RegistryReadValue(RegistryRootFromCode(rootCode), keyPath, valueName);
}

std::string TemporaryFolder() {
  std::string folder;
  return GetTemporaryFolder(&folder) ? folder : std::string();
}

std::string InstallerPath() {
  std::string path;
  return GetOwnExecutablePath(&path) ? path : std::string();
}

PathVariableLookups MakeSystemLookups() {
  PathVariableLookups lookups;
  lookups.expandEnvironment = ExpandEnvironmentText;
  lookups.specialFolder = GetSpecialFolderPath;
  lookups.environmentVariable = ReadEnvironmentVariable;
  lookups.folderExists = FolderExistsAt;
  lookups.temporaryFolder = TemporaryFolder;
  lookups.registryValue = LocalRegistryValue;
  lookups.installerPath = InstallerPath;
  lookups.userName = ReadUserLogonName;
  lookups.pureBasicFolder = FindPureBasicFolderOn;
  return lookups;
}

// Constant once made: a table of function pointers.
const PathVariableLookups kSystemLookups = MakeSystemLookups();

}  // namespace

std::string GetSpecialFolderPath(int csidl) {
  std::string folder = ReadSpecialFolder(csidl);
  if (!folder.empty() && folder[folder.size() - 1] != '\\') folder += '\\';
  return TrimSpaces(folder);
}

std::string FindPureBasicFolderOn(int osCode) {
  PureBasicLookups lookups;
  lookups.readKeyDefault = ReadKeyDefault;
  lookups.specialFolder = GetSpecialFolderPath;
  return FindPureBasicFolderFor(osCode, lookups);
}

const PathVariableLookups &SystemPathLookups() { return kSystemLookups; }
