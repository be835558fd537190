// Next and Back along the page sequence: the page checks, the page-7 skip
// both ways, page 9 moving on once the installation returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wizard/control_ids.h"
#include "wizard/navigation.h"

namespace {

// A fake wizard: records what the walk did and answers as told.
struct FakeWizard {
  std::vector<std::string> log;
  int refusePage = -1;          // mayLeavePage says no for this page
  int shortcutsOnEntering7 = 0; // desktop count set by preparing page 7
  int installations = 0;
};

int MayLeave(void *context, int page) {
  FakeWizard *fake = static_cast<FakeWizard *>(context);
  fake->log.push_back("leave " + std::to_string(page));
  return page == fake->refusePage ? 0 : 1;
}

void Prepare(void *context, WizardNavigation *navigation, int page) {
  FakeWizard *fake = static_cast<FakeWizard *>(context);
  if (page == kPageAdditionalTasks) {
    navigation->DesktopShortcutCount = fake->shortcutsOnEntering7;
    navigation->QuickLaunchShortcutCount = 0;
  }
}

void Show(void *context, int page) {
  static_cast<FakeWizard *>(context)->log.push_back("show " + std::to_string(page));
}

void Install(void *context) {
  FakeWizard *fake = static_cast<FakeWizard *>(context);
  fake->installations += 1;
  fake->log.push_back("install");
}

NavigationHooks HooksFor(FakeWizard *fake) {
  NavigationHooks hooks;
  hooks.context = fake;
  hooks.mayLeavePage = MayLeave;
  hooks.preparePage = Prepare;
  hooks.showPage = Show;
  hooks.runInstallation = Install;
  return hooks;
}

WizardNavigation StartOf(const std::string &sequence) {
  WizardNavigation navigation;
  navigation.PageSequence = sequence;
  return navigation;
}

TEST(Navigation, NextWalksTheSequenceAndChecksThePageLeft) {
  FakeWizard fake;
  fake.shortcutsOnEntering7 = 1;
  WizardNavigation nav = StartOf("0,1,4,7,8,9,10");
  GoToNextPage(&nav, HooksFor(&fake));
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(4, nav.CurrentPage);
  EXPECT_EQ(2, nav.CurrentPageIndex);
  EXPECT_EQ((std::vector<std::string>{"leave 0", "show 1", "leave 1", "show 4"}), fake.log);
}

TEST(Navigation, RefusedCheckStaysOnThePage) {
  FakeWizard fake;
  fake.refusePage = 4;
  WizardNavigation nav = StartOf("0,4,7,8,9,10");
  nav.CurrentPageIndex = 1;
  nav.CurrentPage = 4;
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(4, nav.CurrentPage);
  EXPECT_EQ(1, nav.CurrentPageIndex);
  EXPECT_EQ((std::vector<std::string>{"leave 4"}), fake.log);
}

TEST(Navigation, PageSevenWithoutShortcutsIsSkippedBothWays) {
  FakeWizard fake;
  WizardNavigation nav = StartOf("0,4,7,8,9,10");
  nav.CurrentPageIndex = 1;
  nav.CurrentPage = 4;
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(8, nav.CurrentPage);
  EXPECT_EQ(3, nav.CurrentPageIndex);
  fake.log.clear();
  GoToPreviousPage(&nav, HooksFor(&fake));
  EXPECT_EQ(4, nav.CurrentPage);
  EXPECT_EQ(1, nav.CurrentPageIndex);
  EXPECT_EQ((std::vector<std::string>{"show 7", "show 4"}), fake.log);
}

TEST(Navigation, PageSevenWithAShortcutIsShownBothWays) {
  FakeWizard fake;
  fake.shortcutsOnEntering7 = 2;
  WizardNavigation nav = StartOf("0,4,7,8,9,10");
  nav.CurrentPageIndex = 1;
  nav.CurrentPage = 4;
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(7, nav.CurrentPage);
  GoToNextPage(&nav, HooksFor(&fake));
  GoToPreviousPage(&nav, HooksFor(&fake));
  EXPECT_EQ(7, nav.CurrentPage);
  EXPECT_EQ(2, nav.CurrentPageIndex);
}

TEST(Navigation, LeavingTheReviewInstallsAndLandsOnFinish) {
  FakeWizard fake;
  WizardNavigation nav = StartOf("0,4,7,8,9,10");
  nav.CurrentPageIndex = 3;
  nav.CurrentPage = 8;
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(10, nav.CurrentPage);
  EXPECT_EQ(5, nav.CurrentPageIndex);
  EXPECT_EQ(1, fake.installations);
  EXPECT_EQ((std::vector<std::string>{"leave 8", "show 9", "install", "leave 9", "show 10"}),
            fake.log);
}

TEST(Navigation, NoMoveBeyondEitherEnd) {
  FakeWizard fake;
  WizardNavigation nav = StartOf("0,4,7,8,9,10");
  GoToPreviousPage(&nav, HooksFor(&fake));
  EXPECT_EQ(0, nav.CurrentPageIndex);
  nav.CurrentPageIndex = 5;
  nav.CurrentPage = 10;
  GoToNextPage(&nav, HooksFor(&fake));
  EXPECT_EQ(5, nav.CurrentPageIndex);
  EXPECT_TRUE(fake.log.empty());
}

TEST(Navigation, EnterPressesTheDefaultButtonOfThePage) {
  EXPECT_EQ(kNextButtonId, DefaultButtonFor(kPageWelcome));
  EXPECT_EQ(kNextButtonId, DefaultButtonFor(kPageReview));
  EXPECT_EQ(kCancelButtonId, DefaultButtonFor(kPageInstalling));
  EXPECT_EQ(kFinishButtonId, DefaultButtonFor(kPageFinish));
}

// A double-click on Next: its second click arrives while the page the first
// one brought is younger than the double-click time, and is ignored.
TEST(Navigation, SecondClickOfADoubleClickIsIgnored) {
  RepeatGuard guard;
  EXPECT_FALSE(IsRepeatedPress(guard, 100, 500));  // no page brought by a press yet
  guard.armed = true;
  guard.shownAt = 1000;
  EXPECT_TRUE(IsRepeatedPress(guard, 1000, 500));
  EXPECT_TRUE(IsRepeatedPress(guard, 1499, 500));
  EXPECT_FALSE(IsRepeatedPress(guard, 1500, 500));
  // Across the wrap of the millisecond count.
  guard.shownAt = 0xFFFFFF00u;
  EXPECT_TRUE(IsRepeatedPress(guard, 0x00000010u, 500));
  EXPECT_FALSE(IsRepeatedPress(guard, 0x00000200u, 500));
}

TEST(Navigation, InstallFolderVerdicts) {
  EXPECT_EQ(kFolderInvalid, JudgeInstallFolder(false, true, 1000, 10));
  EXPECT_EQ(kFolderInvalid, JudgeInstallFolder(true, false, 1000, 10));
  EXPECT_EQ(kFolderAccepted, JudgeInstallFolder(true, true, 1000, 1000));
  EXPECT_EQ(kFolderNoSpace, JudgeInstallFolder(true, true, 999, 1000));
  // A failed query refuses even when nothing is needed.
  EXPECT_EQ(kFolderNoSpace, JudgeInstallFolder(true, true, -1, 0));
  // A required size beyond the signed range is never taken as negative.
  EXPECT_EQ(kFolderNoSpace, JudgeInstallFolder(true, true, INT64_MAX, UINT64_MAX));
}

}  // namespace
