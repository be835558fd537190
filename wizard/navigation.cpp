#include "wizard/navigation.h"

#include "wizard/control_ids.h"
#include "wizard/page_sequence.h"

namespace {

bool SkipsTaskPage(const WizardNavigation &navigation, int page) {
  return page == kPageAdditionalTasks && navigation.DesktopShortcutCount == 0 &&
         navigation.QuickLaunchShortcutCount == 0;
}

void EnterPage(WizardNavigation *navigation, const NavigationHooks &hooks, int page) {
  if (hooks.preparePage != nullptr) hooks.preparePage(hooks.context, navigation, page);
  navigation->CurrentPage = page;
  if (hooks.showPage != nullptr) hooks.showPage(hooks.context, page);
}

}  // namespace

void GoToNextPage(WizardNavigation *navigation, const NavigationHooks &hooks) {
  // A loop rather than a repeated call: the skipped page 7 and the
  // installation's page 9 both move on at once.
  for (;;) {
    int next = PageSequenceField(navigation->PageSequence, navigation->CurrentPageIndex + 2);
    if (next < 0) return;
    if (hooks.mayLeavePage != nullptr &&
        hooks.mayLeavePage(hooks.context, navigation->CurrentPage) == 0)
      return;
    EnterPage(navigation, hooks, next);
    navigation->CurrentPageIndex += 1;
    if (SkipsTaskPage(*navigation, next)) continue;
    if (next == kPageInstalling) {
      if (hooks.runInstallation != nullptr) hooks.runInstallation(hooks.context);
      continue;
    }
    return;
  }
}

void GoToPreviousPage(WizardNavigation *navigation, const NavigationHooks &hooks) {
  for (;;) {
    if (navigation->CurrentPageIndex < 1) return;
    int previous = PageSequenceField(navigation->PageSequence, navigation->CurrentPageIndex);
    if (previous < 0) return;
    EnterPage(navigation, hooks, previous);
    navigation->CurrentPageIndex -= 1;
    if (!SkipsTaskPage(*navigation, previous)) return;
  }
}

bool IsRepeatedPress(const RepeatGuard &guard, uint32_t now, uint32_t doubleClickTime) {
  // Unsigned difference: right across the wrap of the millisecond count.
  return guard.armed && now - guard.shownAt < doubleClickTime;
}

int DefaultButtonFor(int page) {
  if (page == kPageInstalling) return kCancelButtonId;
  if (page == kPageFinish) return kFinishButtonId;
  return kNextButtonId;
}

FolderVerdict JudgeInstallFolder(bool driveExists, bool pathValid, int64_t freeSpace,
                                 uint64_t requiredSpace) {
  if (!driveExists || !pathValid) return kFolderInvalid;
  // Compared without a signed cast of the required size: a failed query
  // (-1) always refuses, and so does a required size beyond 2^63 bytes.
  if (freeSpace < 0 || (uint64_t)freeSpace < requiredSpace) return kFolderNoSpace;
  return kFolderAccepted;
}
