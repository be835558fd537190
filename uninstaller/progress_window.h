// The window shown while the uninstallation runs: its title, the
// please-wait text, a progress bar and a Cancel button that stays
// disabled (removing half a product and stopping there would help no one).
// Interface thread only.
#ifndef QVS_UNINSTALLER_PROGRESS_WINDOW_H
#define QVS_UNINSTALLER_PROGRESS_WINDOW_H

#include <string>

#include "platform/ui_window.h"

// Control numbers, for the end-to-end tests.
enum ProgressControlId {
  kProgressTextId = 100,
  kProgressBarId = 101,
  kProgressCancelId = 102,
};

// Creates and shows the window; NULL when it could not be made.
HWND OpenProgressWindow(const std::string &title, const std::string &text,
                        const std::string &cancel);
void SetProgressPercent(HWND window, int percent);
void CloseProgressWindow(HWND *window);

#endif
