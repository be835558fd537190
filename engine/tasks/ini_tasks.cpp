// WriteIniGroup and WriteIniValue (declared in engine/tasks/system_integration.h).
#include "engine/tasks/system_integration.h"
#include "platform/ini_files.h"

namespace {

// Types a done record gives INI entries that were there before.
const int32_t kPreviousIniGroup = 0;
const int32_t kPreviousIniText = 1;

}  // namespace

int WriteIniGroup(const std::string &group, const std::string &iniPath, PreviousValue *previous) {
  if (previous != NULL) *previous = PreviousValue();
  // Writing an empty group over an existing one would wipe its keys.
  if (IniNameListed(ReadIniGroupNames(iniPath), group)) {
    if (previous != NULL) {
      previous->present = true;
      previous->type = kPreviousIniGroup;
    }
    return 1;
  }
  return WriteIniGroupEmpty(iniPath, group) ? 1 : 0;
}

int WriteIniValue(const std::string &group, const std::string &valueName,
                  const std::string &valueData, const std::string &iniPath,
                  PreviousValue *previous) {
  if (previous != NULL) {
    *previous = PreviousValue();
    if (IniNameListed(ReadIniKeyNames(iniPath, group), valueName)) {
      previous->present = true;
      previous->type = kPreviousIniText;
      previous->data = ReadIniString(iniPath, group, valueName);
    }
  }
  return WriteIniString(iniPath, group, valueName, valueData) ? 1 : 0;
}
