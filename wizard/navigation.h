// Moving along the page sequence with Next and Back.
//
// The decisions live here; what a page does when it is entered, shown or
// left is handed in as hooks, so that the same walk drives the wizard
// window and the host tests. Everything runs on the interface thread.
#ifndef QVS_WIZARD_NAVIGATION_H
#define QVS_WIZARD_NAVIGATION_H

#include <stdint.h>

#include <string>

struct WizardNavigation {
  std::string PageSequence;
  int CurrentPageIndex = 0;  // 0-based position of the shown page
  int CurrentPage = 0;       // its page code
  // Set by the preparation of page 7; both 0 means page 7 is skipped.
  int DesktopShortcutCount = 0;
  int QuickLaunchShortcutCount = 0;
};

struct NavigationHooks {
  void *context = nullptr;
  // 1 when the page being left lets the user go on; a refusing check shows
  // its own message.
  int (*mayLeavePage)(void *context, int page) = nullptr;
  // The page's entry actions; page 7's sets the two shortcut counts.
  void (*preparePage)(void *context, WizardNavigation *navigation, int page) = nullptr;
  void (*showPage)(void *context, int page) = nullptr;
  // The file installation, run on entering page 9; the walk goes on to the
  // next page when it returns.
  void (*runInstallation)(void *context) = nullptr;
};

// Next: checks the page being left, then prepares and shows the next page
// of the sequence; page 7 without any shortcut is passed over, and page 9
// runs the installation and moves on. Does nothing when the shown page is
// the last of the sequence.
void GoToNextPage(WizardNavigation *navigation, const NavigationHooks &hooks);
// Back: prepares and shows the previous page of the sequence, passing over
// page 7 when it has no shortcut. Does nothing on the first page.
void GoToPreviousPage(WizardNavigation *navigation, const NavigationHooks &hooks);

// The button Enter presses on `page`: Cancel on page 9, Finish on page 10,
// Next otherwise (a control number).
int DefaultButtonFor(int page);

// The second click of a double-click on Next or Back arrives after the
// first has already moved the wizard on; it must not move it again (from
// page 8 it would start the installation unseen). A press is ignored while
// the page that the previous press brought has been shown for less than the
// system's double-click time.
struct RepeatGuard {
  bool armed = false;     // set when a press of Next or Back changed the page
  uint32_t shownAt = 0;   // when that page was shown (milliseconds, wrapping)
};
// True when a press arriving at `now` is to be ignored.
bool IsRepeatedPress(const RepeatGuard &guard, uint32_t now, uint32_t doubleClickTime);

// What Next decides on the install-folder page.
enum FolderVerdict {
  kFolderAccepted,
  kFolderInvalid,  // the drive does not exist or the path is not valid
  kFolderNoSpace,  // the drive's free space is below the required space
};
// `freeSpace` is the drive's free space, -1 when the query failed.
FolderVerdict JudgeInstallFolder(bool driveExists, bool pathValid, int64_t freeSpace,
                                 uint64_t requiredSpace);

#endif
