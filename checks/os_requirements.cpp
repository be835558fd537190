#include "checks/os_requirements.h"

#include "checks/check_messages.h"
#include "checks/os_codes.h"
#include "script/language_strings.h"
#include "script/string_ids.h"

const int32_t *SystemRequirementFlag(const ScriptSettings &s, int osCode) {
  switch (osCode) {
    case kOsWindows95: return &s.Win95;
    case kOsNT4: return &s.WinNT4;
    case kOsWindows98: return &s.Win98;
    case kOsWindowsMe: return &s.WinMe;
    case kOsWindows2000: return &s.Win2000;
    case kOsWindowsXP: return &s.WinXP;
    case kOsServer2003: return &s.Win2003;
    case kOsVista: return &s.WinVista;
    case kOsServer2008: return &s.Win2008;
    case kOsWindows7: return &s.Win7;
    default: return nullptr;
  }
}

bool OsFlagsApply(const OsFlags &f, int osCode) {
  switch (osCode) {
    case kOsWindows95: return f.Win95 != 0;
    case kOsNT4: return f.WinNT4 != 0;
    case kOsWindows98: return f.Win98 != 0;
    case kOsWindowsMe: return f.WinMe != 0;
    case kOsWindows2000: return f.Win2000 != 0;
    case kOsWindowsXP: return f.WinXP != 0;
    case kOsServer2003: return f.WinServer2003 != 0;
    case kOsVista: return f.WinVista != 0;
    case kOsServer2008: return f.WinServer2008 != 0;
    case kOsWindows7: return f.Win7 != 0;
    default: return true;
  }
}

CheckResult CheckOsRequirements(const ScriptSettings &settings, const CheckEnvironment &env) {
  const int32_t *flag = SystemRequirementFlag(settings, env.osCode);
  if (flag != nullptr && *flag == 0) {
    ShowCheckMessage(env, kStrInformationCaption, LangString(kStrOsRefused), kCheckButtonsOk,
                     kCheckIconInformation);
    return kCheckEndInstaller;
  }
  if (settings.RequirementsInstallerType == 1 && env.isSystem64Bit != nullptr &&
      env.isSystem64Bit() == 1) {
    ShowCheckMessage(env, kStrInformationCaption, LangString(kStrNo64Bit), kCheckButtonsOk,
                     kCheckIconInformation);
    return kCheckEndInstaller;
  }
  return kCheckContinue;
}
