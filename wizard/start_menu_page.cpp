#include "wizard/start_menu_page.h"

#include "checks/path_expansion.h"
#include "platform/controls.h"
#include "platform/folder_walk.h"
#include "platform/page_controls.h"
#include "script/language_strings.h"
#include "script/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/install_mode_page.h"
#include "wizard/page_parts.h"
#include "wizard/wizard_state.h"

namespace {

// Deep enough for any real start menu; a folder loop ends here.
const int kDeepestFolder = 16;
const size_t kMostFolders = 4096;

}  // namespace

void BuildStartMenuPage(HWND container, const ScriptSettings &settings) {
  AddPageHeader(container, kPageStartMenu);
  AddPageText(container, LangString(kStrStartMenuIntro), 60, 75, 410, 40, kStartMenuIntroId, kFontNormal);
  AddPageIcon(container, 1, 15, 75, kStartMenuIconId);
  HFONT font = PageFontHandle(kFontNormal);
  CreateEditFieldControl(container, settings.CustomStartMenuGroup.c_str(), 20, 125, 450, 20,
                         kGroupFieldId, font);
  CreateListBoxControl(container, 20, 150, 450, 122, kExistingGroupsListId, font);
  CreateCheckBoxControl(container, LangString(kStrNoGroup).c_str(), 20, 277, 450, 15, kNoGroupCheckId,
                        font);
}

void FillStartMenuList() {
  const char *variable = IsAllUsersChosen() ? "<commonstartprograms>" : "<startprograms>";
  std::string folder = ReplacePathVariables(variable) + "\\";
  HWND list = WizardControl(kExistingGroupsListId);
  for (const std::string &name : ListSubfolderNames(folder, kDeepestFolder, kMostFolders))
    AddListBoxRow(list, name);
}

void OnStartMenuListSelect(const ScriptSettings &settings) {
  std::string row = SelectedListBoxText(WizardControl(kExistingGroupsListId));
  if (row.empty()) return;
  SetControlText(WizardControl(kGroupFieldId), row + "\\" + settings.CustomStartMenuGroup);
}

void OnNoGroupToggle() {
  bool enabled = !IsNoGroupChecked();
  SetControlEnabled(WizardControl(kGroupFieldId), enabled);
  SetControlEnabled(WizardControl(kExistingGroupsListId), enabled);
}

std::string GroupFieldText() { return ReadControlText(WizardControl(kGroupFieldId)); }

bool IsNoGroupChecked() { return IsBoxChecked(WizardControl(kNoGroupCheckId)); }
