#include "wizard/wizard_window.h"

#include "checks/web_address.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/ui_window.h"
#include "script/language_strings.h"
#include "engine/state/exits.h"
#include "engine/install/run_installation.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/bottom_band.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/document_pages.h"
#include "wizard/install_folder_page.h"
#include "wizard/installation_steps.h"
#include "wizard/keyboard.h"
#include "wizard/page_flow.h"
#include "wizard/start_menu_page.h"
#include "wizard/welcome_finish_pages.h"
#include "wizard/wizard_state.h"

namespace {

const char kWizardClass[] = "QuorvantisWizard";
const int kClientWidth = 490;
const int kClientHeight = 355;

// Buttons and boxes act on BN_CLICKED only, not on focus changes.
bool IsClick(int code) { return code == BN_CLICKED; }

// Next and Back, unless the press is the second click of a double-click
// (navigation.h); a press that changes the page arms the guard.
void PressNavigationButton(void (*go)()) {
  WizardState &wizard = Wizard();
  if (IsRepeatedPress(wizard.pressGuard, MillisecondTicks(), DoubleClickMilliseconds())) return;
  const WizardNavigation before = wizard.navigation;
  go();
  if (wizard.navigation.CurrentPageIndex != before.CurrentPageIndex ||
      wizard.navigation.CurrentPage != before.CurrentPage) {
    wizard.pressGuard.armed = true;
    wizard.pressGuard.shownAt = MillisecondTicks();
  }
}

void OnWebsiteLinkClicked() {
  const ScriptSettings *settings = Wizard().settings;
  if (settings != nullptr && !settings->ProgramWebsite.empty())
    OpenWebAddress(settings->ProgramWebsite);
}

LRESULT OnCommand(WPARAM wParam) {
  int id = LOWORD(wParam);
  int code = HIWORD(wParam);
  switch (id) {
    case kWebsiteLinkId:
      if (code == STN_CLICKED) OnWebsiteLinkClicked();
      break;
    case kBackButtonId:
      if (IsClick(code)) PressNavigationButton(GoToPreviousPage);
      break;
    case kNextButtonId:
      if (IsClick(code)) PressNavigationButton(GoToNextPage);
      break;
    case kCancelButtonId:
      if (IsClick(code)) ConfirmCancel();
      break;
    case kFinishButtonId:
      if (IsClick(code)) RunFinishActions();
      break;
    case kLicenseAcceptId:
      if (IsClick(code)) FollowLicenseAcceptance();
      break;
    case kExistingGroupsListId:
      if (code == LBN_SELCHANGE && Wizard().settings != nullptr)
        OnStartMenuListSelect(*Wizard().settings);
      break;
    case kNoGroupCheckId:
      if (IsClick(code)) OnNoGroupToggle();
      break;
    case kInstallTypeListId: OnComponentsCommand(id, code); break;
    case kInstallFolderFieldId:
    case kBrowseButtonId: OnInstallFolderCommand(id, code); break;
    default: break;
  }
  return 0;
}

LRESULT OnNotify(LPARAM lParam) {
  const NMHDR *header = (const NMHDR *)lParam;
  if (header == NULL) return 0;
  switch ((int)header->idFrom) {
    case kLicenseTextId:
    case kInformationTextId: OnDocumentLinkNotify(header); return 0;
    case kComponentTreeId: return OnComponentTreeNotify(header);
    default: return 0;
  }
}

// Static controls and boxes on the white pages are painted white; the
// link shows its hover colour. NULL leaves the control to the default.
HBRUSH OnStaticColour(HDC dc, HWND control) {
  int id = ControlIdOf(control);
  if (id == kWebsiteLinkId) return PaintWebsiteLink(dc);
  if (id >= kFirstFinishCheckId && id <= kLastFinishCheckId)
    return PaintStaticColours(dc, ButtonTextColour(), (HBRUSH)Startup().whiteBrush);
  if (IsOnWhitePage(id)) return PaintStaticColours(dc, ButtonTextColour(), WhiteStockBrush());
  return NULL;
}

}  // namespace

bool CreateWizardWindow(HWND owner, const std::string &title) {
  if (!RegisterPlainWindowClass(kWizardClass, WizardWindowCallback)) return false;
  if (!RegisterPageContainerClasses()) return false;
  HWND window = CreateOwnedFixedWindow(kWizardClass, title.c_str(), kClientWidth, kClientHeight,
                                       owner);
  if (window == NULL) return false;
  WizardState &wizard = Wizard();
  wizard.window = window;
  for (int page = 0; page < kPageCount; page++) {
    bool white = page == kPageWelcome || page == kPageFinish;
    wizard.pages[page] =
        CreatePageContainer(window, 0, 0, 490, white ? 310 : 305, PageContainerId(page), white);
    SetControlVisible(wizard.pages[page], false);
  }
  return true;
}

LRESULT CALLBACK WizardWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: return OnCommand(wParam);
    case WM_NOTIFY: return OnNotify(lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HBRUSH brush = OnStaticColour((HDC)wParam, (HWND)lParam);
      if (brush != NULL) return (LRESULT)brush;
      break;
    }
    case WM_SETCURSOR:
      if (SetLinkCursor((HWND)wParam)) return TRUE;
      break;
    case WM_CLOSE: ConfirmCancel(); return 0;
    case WM_ACTIVATE:
      // A minimised window is left to the system.
      if (HIWORD(wParam) != 0) break;
      OnWizardActivation(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ConfirmCancel() {
  // While files are installed, stopping means rolling back: the
  // installation asks and stops itself.
  if (RequestInstallationCancel()) return;
  // After the installation there is nothing left to stop: closing the
  // finish page ends the installer as Finish does, without its actions.
  if (Wizard().navigation.CurrentPage == kPageFinish) EndWithoutFinishActions();
  MessageAnswer answer =
      ShowMessage(Wizard().window, LangString(kStrConfirmCancel).c_str(),
                  LangString(kStrConfirmCaption).c_str(), kButtonsYesNo, kIconQuestion);
  if (answer == kAnswerYes) CleanExit();
}
