#include "wizard/run_wizard.h"

#include "checks/path_expansion.h"
#include "platform/controls.h"
#include "platform/environment.h"
#include "platform/fitted_texts.h"
#include "platform/messages.h"
#include "platform/rich_text.h"
#include "platform/ui_window.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "engine/state/exits.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/background_window.h"
#include "wizard/bottom_band.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/document_pages.h"
#include "wizard/header_images.h"
#include "wizard/install_folder_page.h"
#include "wizard/install_mode_page.h"
#include "engine/state/installer_script.h"
#include "wizard/keyboard.h"
#include "wizard/page_flow.h"
#include "wizard/page_parts.h"
#include "wizard/page_sequence.h"
#include "wizard/start_menu_page.h"
#include "wizard/tasks_review_pages.h"
#include "wizard/welcome_finish_pages.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_window.h"

namespace {

std::string WizardTitle(const ScriptSettings &settings) {
  std::string title = ReplacePathVariables(settings.InstallerWindowTitle);
  return title.empty() ? LangString(kStrDefaultWindowTitle) : title;
}

void OpenWizardWindow(const ScriptSettings &settings, HWND background) {
  if (CreateWizardWindow(background, WizardTitle(settings))) {
    StartFittedTexts(&Wizard().texts, Wizard().window);
    return;
  }
  ShowMessage(NULL, LangString(kStrWindowError).c_str(), LangString(kStrErrorCaption).c_str(),
              kButtonsOk, kIconError);
  CleanExit();
}

void BuildPages(const ScriptSettings &settings, const std::string &userName) {
  const HWND *pages = Wizard().pages;
  // The documents and the summary are rich-edit controls; without the
  // library their pages stay without them.
  LoadRichEditLibrary();
  BuildWelcomePage(pages[kPageWelcome], settings);
  BuildLicensePage(pages[kPageLicense]);
  BuildInformationPage(pages[kPageInformation]);
  AddPageHeader(pages[kPageComponents], kPageComponents);
  BuildComponentsPage(pages[kPageComponents], settings);
  AddPageHeader(pages[kPageInstallFolder], kPageInstallFolder);
  BuildInstallFolderPage(pages[kPageInstallFolder]);
  BuildInstallModePage(pages[kPageInstallMode], userName);
  BuildStartMenuPage(pages[kPageStartMenu], settings);
  BuildTasksPage(pages[kPageAdditionalTasks]);
  BuildReviewPage(pages[kPageReview]);
  BuildInstallingPage(pages[kPageInstalling]);
  BuildFinishPage(pages[kPageFinish], settings);
  BuildBottomBand(Wizard().window, settings);
  FillStartMenuList();
  FitWindowTexts(&Wizard().texts, Wizard().window);
}

std::string BuildSequence(const ScriptSettings &settings) {
  PageSequenceInputs inputs;
  inputs.ShowLicense = settings.ShowLicense;
  inputs.ShowInformation = settings.ShowInformation;
  inputs.componentCount = (int)settings.components.size();
  inputs.IsPathEnforced = PrincipalPathEnforced() ? 1 : 0;
  inputs.osCode = ActingOsCode();
  inputs.isAdministrator = Startup().isAdministrator;
  inputs.CreateGroup = settings.CreateGroup;
  return BuildPageSequence(inputs, &Wizard().UserScopeOffered);
}

[[noreturn]] void RunEventLoop() {
  for (;;) {
    UiEvent event;
    UiEventKind kind = WaitForUiEvent(&event);
    if (kind == kUiEventQuit) CleanExit();
    HandleWizardEvent(&event, kind);
  }
}

}  // namespace

void HandleWizardEvent(UiEvent *event, UiEventKind kind) {
  // An open drop-down list takes Enter and Esc to close itself.
  bool listOpen = IsOpenDropDownList(FocusedWindow());
  switch (kind) {
    case kUiEventEnterDown:
      if (listOpen) break;
      OnEnterKeyDown();
      return;
    case kUiEventEnterUp:
      if (OnEnterKeyUp()) return;
      break;
    case kUiEventTabDown: MoveFocusToNextTabStop(Wizard().window); return;
    case kUiEventEscapeDown:
      if (listOpen) break;
      OnEscapeKey();
      return;
    case kUiEventArrowDown:
      if (MoveWithinOptionGroup(FocusedWindow(), IsBackwardArrow(event))) return;
      break;
    default: break;
  }
  if (event->message.message == WM_MOUSEMOVE) {
    UpdateDescription(-1);
    FollowLinkHover();
  }
  DispatchUiEvent(event);
}

void RunWizard() {
  const ScriptSettings &settings = InstallerScript().settings;
  WizardState &wizard = Wizard();
  wizard.settings = &settings;
  const std::string userName = ReadUserLogonName();

  PrepareHeaderImages(settings);
  wizard.background = OpenBackgroundWindow(settings);

  OpenWizardWindow(settings, wizard.background);
  BuildPages(settings, userName);

  wizard.navigation.PageSequence = BuildSequence(settings);
  wizard.navigation.CurrentPageIndex = 0;
  ShowPage(kPageWelcome);
  ShowWindowNow(wizard.window);
  SetKeyboardFocus(WizardControl(kNextButtonId));
  RunEventLoop();
}
