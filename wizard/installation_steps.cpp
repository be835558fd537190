#include "wizard/installation_steps.h"

#include <algorithm>

#include "checks/path_display.h"
#include "engine/state/exits.h"
#include "engine/install/finish_actions.h"
#include "engine/state/install_choices.h"
#include "engine/install/run_installation.h"
#include "platform/controls.h"
#include "platform/page_controls.h"
#include "platform/screen_scale.h"
#include "platform/system_changes.h"
#include "platform/ui_window.h"
#include "script/language_strings.h"
#include "script/string_ids.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/install_folder_page.h"
#include "wizard/install_mode_page.h"
#include "wizard/page_parts.h"
#include "wizard/run_wizard.h"
#include "wizard/start_menu_page.h"
#include "wizard/window_frame.h"
#include "wizard/wizard_state.h"

namespace {

bool gCancelled = false;

bool IsBoxShownAndChecked(int id) {
  HWND box = WizardControl(id);
  return box != NULL && IsControlVisible(box) && IsBoxChecked(box);
}

// From here on nobody reads a control to learn what the user wanted.
void FreezeUserChoices() {
  const ScriptSettings &settings = *Wizard().settings;
  InstallChoices &choices = UserChoices();
  choices = InstallChoices();
  choices.installFolder = InstallFolderText();
  choices.userScopeOffered = Wizard().UserScopeOffered == 1;
  choices.allUsers = choices.userScopeOffered && IsAllUsersChosen();
  choices.createGroup = settings.CreateGroup == 1 && !IsNoGroupChecked();
  choices.groupName = GroupFieldText();
  choices.desktopShortcuts = IsBoxShownAndChecked(kDesktopShortcutCheckId);
  choices.quickLaunchShortcuts = IsBoxShownAndChecked(kQuickLaunchCheckId);
  choices.installType = CurrentInstallType();
  for (const Component &component : settings.components)
    if (IsComponentSelected(component.ID)) choices.selectedComponents.push_back(component.ID);
  std::vector<int32_t> &ids = choices.selectedComponents;
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

void BeginInstallation() {
  SetCloseButtonEnabled(Wizard().window, 0);
  SetControlEnabled(WizardControl(kBackButtonId), false);
  SetControlEnabled(WizardControl(kNextButtonId), false);
}

void SetStatus(const std::string &text) {
  SetControlText(WizardControl(kInstallingStatusId), text);
}

// The engine gives the width in layout pixels, as the page is laid out.
std::string CompactStatus(const std::string &text, int width) {
  return CompactPathForDisplay(WizardControl(kInstallingStatusId), text, ToScreenPixels(width));
}

void SetProgress(int percent) { SetProgressPosition(WizardControl(kProgressBarId), percent); }

void SetRemainingTime(const std::string &text, bool visible) {
  HWND line = WizardControl(kCurrentFileId);
  SetControlText(line, text);
  SetControlVisible(line, visible);
}

void SetCancelEnabled(bool enabled) { SetControlEnabled(WizardControl(kCancelButtonId), enabled); }

// The finish page offers nothing after a rollback: no program to launch
// and no restart for an installation that did not happen.
void ShowCancelled() {
  gCancelled = true;
  ShowPageText(WizardControl(kFinishTextId), LangString(kStrInstallCancelled));
  for (int id = kFirstFinishCheckId; id <= kLastFinishCheckId; id++) {
    HWND box = WizardControl(id);
    if (box == NULL) continue;
    SetBoxChecked(box, false);
    SetControlVisible(box, false);
  }
}

}  // namespace

void InstallOnProgressPage() {
  FreezeUserChoices();
  InstallView view;
  view.owner = Wizard().window;
  view.beginInstallation = BeginInstallation;
  view.setStatus = SetStatus;
  view.compactText = CompactStatus;
  view.setProgress = SetProgress;
  view.setRemainingTime = SetRemainingTime;
  view.setCancelEnabled = SetCancelEnabled;
  view.showCancelled = ShowCancelled;
  view.handleEvent = HandleWizardEvent;
  RunInstallation(view);
}

bool InstallationWasCancelled() { return gCancelled; }

namespace {

FinishChoices ReadFinishChoices() {
  FinishChoices choices;
  choices.restart = IsBoxShownAndChecked(kRestartCheckId);
  choices.launchProgram = IsBoxShownAndChecked(kLaunchProgramCheckId);
  choices.viewDocumentation = IsBoxShownAndChecked(kViewDocumentationCheckId);
  choices.viewReadme = IsBoxShownAndChecked(kViewReadmeCheckId);
  choices.viewLicense = IsBoxShownAndChecked(kViewLicenseCheckId);
  choices.visitWebsite = IsBoxShownAndChecked(kVisitWebsiteCheckId);
  return choices;
}

}  // namespace

void RunFinishActions() {
  PerformFinishActions(*Wizard().settings, ReadFinishChoices());
  EndWithoutFinishActions();
}

void EndWithoutFinishActions() {
  WizardState &wizard = Wizard();
  DestroyWindowHandle(&wizard.window);
  DestroyWindowHandle(&wizard.background);
  NotifyAssociationsChanged();
  CleanExit();
}
