#include "wizard/tasks_review_pages.h"

#include "platform/controls.h"
#include "platform/page_controls.h"
#include "platform/rich_text.h"
#include "script/language_strings.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/install_folder_page.h"
#include "wizard/install_mode_page.h"
#include "wizard/page_parts.h"
#include "wizard/shortcut_counts.h"
#include "wizard/start_menu_page.h"
#include "wizard/summary_text.h"
#include "wizard/wizard_state.h"

namespace {

// One shortcut box: titled for one or several shortcuts, checked and shown
// when there are any, else hidden.
void ShowShortcutBox(int id, int count, int oneText, int severalText) {
  HWND box = WizardControl(id);
  if (count > 0) {
    ShowPageText(box, LangString(count == 1 ? oneText : severalText));
    SetBoxChecked(box, true);
  }
  SetControlVisible(box, count > 0);
}

}  // namespace

void BuildTasksPage(HWND container) {
  AddPageHeader(container, kPageAdditionalTasks);
  AddPageText(container, LangString(kStrTasksIntro), 60, 75, 410, 40, kTasksIntroId, kFontNormal);
  AddPageIcon(container, 2, 15, 75, kTasksIconId);
  HFONT font = PageFontHandle(kFontNormal);
  CreateCheckBoxControl(container, LangString(kStrDesktopBox).c_str(), 20, 125, 450, 15,
                        kDesktopShortcutCheckId, font);
  CreateCheckBoxControl(container, LangString(kStrQuickLaunchBox).c_str(), 20, 150, 450, 15, kQuickLaunchCheckId,
                        font);
}

void BuildReviewPage(HWND container) {
  AddPageHeader(container, kPageReview);
  AddPageText(container, LangString(kStrReviewIntro), 20, 75, 450, 40, kReviewIntroId, kFontNormal);
  HWND summary = CreateRichTextControl(container, 20, 125, 450, 170, kSummaryTextId,
                                       PageFontHandle(kFontNormal));
  SetRichTextBackground(summary, ButtonFaceColour());
}

void BuildInstallingPage(HWND container) {
  AddPageHeader(container, kPageInstalling);
  AddPageText(container, LangString(kStrInstallingStatus), 20, 85, 450, 15, kInstallingStatusId, kFontNormal);
  CreateProgressControl(container, 20, 105, 450, 20, kProgressBarId);
  AddPageText(container, std::string(), 20, 135, 450, 15, kCurrentFileId, kFontNormal);
}

void PrepareTasksPage(const ScriptSettings &settings, WizardNavigation *navigation) {
  ShortcutCounts counts =
      CountShortcutTasks(settings.installerTasks, ActingOsCode(), IsComponentSelected);
  navigation->DesktopShortcutCount = counts.desktop;
  navigation->QuickLaunchShortcutCount = counts.quickLaunch;
  ShowShortcutBox(kDesktopShortcutCheckId, counts.desktop, kStrDesktopShortcut, kStrDesktopShortcuts);
  ShowShortcutBox(kQuickLaunchCheckId, counts.quickLaunch, kStrQuickLaunchShortcut,
                  kStrQuickLaunchShortcuts);
}

void PrepareReviewPage(const ScriptSettings &settings, const WizardNavigation &navigation) {
  SummaryInputs in;
  in.installType = CurrentInstallType();
  in.componentCount = (int)settings.components.size();
  in.rows = ComponentTreeRows();
  in.installFolder = InstallFolderText();
  in.allUsers = IsAllUsersChosen();
  in.CreateGroup = settings.CreateGroup;
  in.noGroupChecked = IsNoGroupChecked();
  in.groupName = GroupFieldText();
  in.DesktopShortcutCount = navigation.DesktopShortcutCount;
  in.QuickLaunchShortcutCount = navigation.QuickLaunchShortcutCount;
  in.desktopChecked = IsBoxChecked(WizardControl(kDesktopShortcutCheckId));
  in.quickLaunchChecked = IsBoxChecked(WizardControl(kQuickLaunchCheckId));
  SetRichTextContent(WizardControl(kSummaryTextId), BuildSummaryText(in));
}
