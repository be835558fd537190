#include "wizard/page_flow.h"

#include "platform/controls.h"
#include "platform/messages.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/disk_space.h"
#include "wizard/document_pages.h"
#include "wizard/folder_path_limit.h"
#include "wizard/install_folder_page.h"
#include "wizard/install_folder_text.h"
#include "wizard/installation_steps.h"
#include "wizard/keyboard.h"
#include "wizard/start_menu_page.h"
#include "wizard/tasks_review_pages.h"
#include "wizard/welcome_finish_pages.h"
#include "wizard/wizard_state.h"

namespace {

// How the controls below the pages look on one page.
struct BandLayout {
  bool back, next, cancel, finish, link, band, bottomLine;
};

BandLayout BandLayoutFor(int page) {
  switch (page) {
    case kPageWelcome: return {false, true, true, false, true, false, true};
    case kPageInstalling: return {false, false, true, false, false, true, false};
    case kPageFinish: return {false, false, false, true, false, false, true};
    default: return {true, true, true, false, false, true, false};
  }
}

bool IsPageCode(int page) { return page >= 0 && page < kPageCount; }

void ShowWarning(int textIndex) {
  ShowMessage(Wizard().window, LangString(textIndex).c_str(), LangString(kStrWarningCaption).c_str(),
              kButtonsOk, kIconWarning);
}

bool IsSelectedInTree(int32_t componentId, const void *) {
  return IsComponentSelected(componentId) != 0;
}

bool MayLeaveInstallFolderPage() {
  std::string folder = InstallFolderText();
  std::string drive = DriveOfFolder(folder);
  bool driveExists = DriveExists(drive) != 0;
  // A folder so deep that the product's files could not be written there
  // is refused as an invalid path, before anything is written.
  bool valid = IsValidInstallPath(folder, Startup().reservedNames) != 0 &&
               InstallFolderFitsPathLimit(folder, IsSelectedInTree, nullptr);
  int64_t freeSpace = driveExists && valid ? GetDiskSpace(drive, "f") : -1;
  int64_t required = Payload().RequiredSpace;
  switch (JudgeInstallFolder(driveExists, valid, freeSpace,
                             required < 0 ? 0 : (uint64_t)required)) {
    case kFolderInvalid: ShowWarning(kStrBadFolder); return false;
    case kFolderNoSpace: ShowWarning(kStrNoSpace); return false;
    default: return true;
  }
}

// With the no-group box checked the field is disabled and no group is made,
// so its text is not judged: an empty or invalid name there must not keep
// the user on the page.
bool MayLeaveStartMenuPage() {
  if (IsNoGroupChecked()) return true;
  if (IsValidGroupName(GroupFieldText()) != 0) return true;
  ShowWarning(kStrBadGroupName);
  return false;
}

// The hooks of the navigation walk (navigation.h).
int MayLeavePageHook(void *, int page) {
  if (page == kPageInstallFolder) return MayLeaveInstallFolderPage() ? 1 : 0;
  if (page == kPageStartMenu) return MayLeaveStartMenuPage() ? 1 : 0;
  return 1;
}

void PreparePageHook(void *, WizardNavigation *navigation, int page) {
  const ScriptSettings &settings = *Wizard().settings;
  switch (page) {
    case kPageLicense: FollowLicenseAcceptance(); break;
    case kPageComponents: ResetComponentTreeSelection(); break;
    case kPageInstallFolder: RefreshSpaceLabels(); break;
    case kPageAdditionalTasks: PrepareTasksPage(settings, navigation); break;
    case kPageReview: PrepareReviewPage(settings, *navigation); break;
    case kPageFinish: PrepareFinishPage(settings); break;
    default: break;
  }
}

void ShowPageHook(void *, int page) { ShowPage(page); }

void RunInstallationHook(void *) { InstallOnProgressPage(); }

NavigationHooks WizardHooks() {
  NavigationHooks hooks;
  hooks.mayLeavePage = MayLeavePageHook;
  hooks.preparePage = PreparePageHook;
  hooks.showPage = ShowPageHook;
  hooks.runInstallation = RunInstallationHook;
  return hooks;
}

}  // namespace

void PreparePage(int page) {
  if (!IsPageCode(page) || Wizard().settings == nullptr) return;
  PreparePageHook(nullptr, &Wizard().navigation, page);
}

void ShowPage(int page) {
  if (!IsPageCode(page)) return;
  WizardState &wizard = Wizard();
  // The new page appears before the old one goes, so that the window never
  // shows an empty page.
  SetControlVisible(wizard.pages[page], true);
  for (int other = 0; other < kPageCount; other++)
    if (other != page) SetControlVisible(wizard.pages[other], false);
  BandLayout layout = BandLayoutFor(page);
  SetControlVisible(WizardControl(kBackButtonId), layout.back);
  HWND next = WizardControl(kNextButtonId);
  SetControlVisible(next, layout.next);
  // Page 1 keeps the state its acceptance box gave Next.
  if (layout.next && page != kPageLicense) SetControlEnabled(next, true);
  SetControlVisible(WizardControl(kCancelButtonId), layout.cancel);
  SetControlVisible(WizardControl(kFinishButtonId), layout.finish);
  SetControlVisible(WizardControl(kWebsiteLinkId), layout.link);
  SetControlVisible(WizardControl(kBandTextId), layout.band);
  SetControlVisible(WizardControl(kBandLineId), layout.band);
  SetControlVisible(WizardControl(kBottomLineId), layout.bottomLine);
  wizard.navigation.CurrentPage = page;
  // The focus may have been on a control of the page left, or on a button
  // that is hidden or disabled now.
  SettleFocus();
}

void GoToNextPage() { GoToNextPage(&Wizard().navigation, WizardHooks()); }

void GoToPreviousPage() { GoToPreviousPage(&Wizard().navigation, WizardHooks()); }
