#include "wizard/install_mode_page.h"

#include "checks/os_codes.h"
#include "platform/controls.h"
#include "script/language_strings.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/page_parts.h"
#include "wizard/wizard_state.h"

void BuildInstallModePage(HWND container, const std::string &userName) {
  AddPageHeader(container, kPageInstallMode);
  AddPageIcon(container, 4, 15, 75, kInstallModeIconId);
  AddPageText(container, LangString(kStrInstallModeIntro), 60, 75, 420, 40, kInstallModeIntroId, kFontNormal);
  HFONT font = PageFontHandle(kFontNormal);
  HWND allUsers = CreateOptionControl(container, LangString(kStrInstallForAll).c_str(), 40, 155, 430, 15,
                                      kAllUsersOptionId, font, true);
  std::string justMe = ReplacePlaceholder(LangString(kStrInstallJustForMe), "$P", userName);
  HWND currentUser = CreateOptionControl(container, justMe.c_str(), 40, 185, 430, 15,
                                         kCurrentUserOptionId, font, false);
  bool nt = IsNtFamily(ActingOsCode());
  SetBoxChecked(allUsers, nt);
  SetBoxChecked(currentUser, !nt);
}

bool IsAllUsersChosen() { return IsBoxChecked(WizardControl(kAllUsersOptionId)); }
