#include "checks/system_environment.h"

#include "checks/os_detection.h"
#include "checks/registry.h"
#include "checks/system_probes.h"
#include "checks/web_address.h"
#include "platform/file_versions.h"
#include "platform/messages.h"

namespace {

bool ShowSystemMessage(const std::string &text, const std::string &caption, CheckButtons buttons,
                       CheckIcon icon) {
  MessageAnswer answer =
      ShowMessage(NULL, text.c_str(), caption.c_str(),
                  buttons == kCheckButtonsYesNo ? kButtonsYesNo : kButtonsOk,
                  icon == kCheckIconInformation ? kIconInformation : kIconWarning);
  return answer == kAnswerYes;
}

bool KeyExists(int32_t rootCode, const std::string &keyPath) {
  return RegistryKeyExists(RegistryRootFromCode(rootCode), keyPath) == 1;
}

bool ValueExists(int32_t rootCode, const std::string &keyPath, const std::string &valueName) {
  return RegistryValueExists(RegistryRootFromCode(rootCode), keyPath, valueName) == 1;
}

std::string ReadValue(int32_t rootCode, const std::string &keyPath, const std::string &valueName) {
  return RegistryReadValue(RegistryRootFromCode(rootCode), keyPath, valueName);
}

void CollectSubkey(RegistryKeyHandle, const std::string &subkeyPath, void *context) {
  static_cast<std::vector<std::string> *>(context)->push_back(subkeyPath);
}

std::vector<std::string> Subkeys(int32_t rootCode, const std::string &keyPath) {
  std::vector<std::string> paths;
  RegistryKeyHandle root = RegistryRootFromCode(rootCode);
  if (root != NULL) RegistryEnumerateSubkeys(root, keyPath, 0, CollectSubkey, &paths);
  return paths;
}

bool FileExists(const std::string &path) { return IsExistingRegularFile(path, NULL); }

bool NonEmptyFileExists(const std::string &path) {
  uint64_t size = 0;
  return IsExistingRegularFile(path, &size) && size > 0;
}

bool MutexPresent(const std::string &name) { return IsMutexPresent(name) == 1; }

bool WindowPresent(const std::string &name, const std::string &windowClass, int containsFlag) {
  return FindMatchingWindow(name, windowClass, containsFlag) != NULL;
}

}  // namespace

CheckEnvironment SystemCheckEnvironment(int osCode, const OsDetails &os,
                                        std::string (*expandText)(const std::string &text)) {
  CheckEnvironment env;
  env.osCode = osCode;
  env.os = os;
  env.showMessage = ShowSystemMessage;
  env.expandText = expandText;
  env.isSystem64Bit = IsSystem64Bit;
  env.measureProcessorSpeed = MeasureProcessorSpeed;
  env.measurePhysicalMemory = MeasurePhysicalMemory;
  env.registryKeyExists = KeyExists;
  env.registryValueExists = ValueExists;
  env.registryReadValue = ReadValue;
  env.registrySubkeys = Subkeys;
  env.fileExists = FileExists;
  env.nonEmptyFileExists = NonEmptyFileExists;
  env.fileVersionText = GetFileVersionText;
  env.isMutexPresent = MutexPresent;
  env.isWindowPresent = WindowPresent;
  env.openWebAddress = OpenWebAddress;
  return env;
}
