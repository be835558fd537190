// WriteIniGroup and WriteIniValue (declared in engine/tasks/system_integration.h).
#include "engine/tasks/system_integration.h"
#include "platform/ini_files.h"

namespace {

// Types a done record gives INI entries that were there before.
const int32_t kPreviousIniGroup = 0;
const int32_t kPreviousIniText = 1;

}  // namespace

int WriteIniGroup(const std::string &group, const std::string &iniPath, const ChangeAhead *ahead) {
  PreviousValue found;
  // Writing an empty group over an existing one would wipe its keys.
  if (IniNameListed(ReadIniGroupNames(iniPath), group)) {
    found.present = true;
    found.type = kPreviousIniGroup;
    return AllowsChange(ahead, found) ? 1 : 0;
  }
  if (!AllowsChange(ahead, found)) return 0;
  return WriteIniGroupEmpty(iniPath, group) ? 1 : 0;
}

int WriteIniValue(const std::string &group, const std::string &valueName,
                  const std::string &valueData, const std::string &iniPath,
                  const ChangeAhead *ahead) {
  PreviousValue found;
  if (IniNameListed(ReadIniKeyNames(iniPath, group), valueName)) {
    found.present = true;
    found.type = kPreviousIniText;
    found.data = ReadIniString(iniPath, group, valueName);
  }
  if (!AllowsChange(ahead, found)) return 0;
  return WriteIniString(iniPath, group, valueName, valueData) ? 1 : 0;
}
