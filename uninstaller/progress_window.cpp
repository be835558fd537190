#include "uninstaller/progress_window.h"

#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/window_frame.h"

namespace {

const char kClassName[] = "QvsUninstallProgress";
const char kFontFace[] = "MS Sans Serif";
const int kFontPoints = 8;
const int kFontWeight = 400;
// Layout, in pixels of the client area.
const int kClientWidth = 400;
const int kClientHeight = 120;
const int kMargin = 12;
const int kTextHeight = 32;
const int kBarTop = 50;
const int kBarHeight = 18;
const int kButtonWidth = 80;
const int kButtonHeight = 24;

FontHandle gFont = NULL;
HWND gBar = NULL;

LRESULT CALLBACK ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window goes when the work is done, not when the user asks.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND OpenProgressWindow(const std::string &title, const std::string &text,
                        const std::string &cancel) {
  RegisterCommonControlClasses();
  if (!RegisterPlainWindowClass(kClassName, ProgressProcedure)) return NULL;
  if (gFont == NULL) gFont = CreateInterfaceFont(kFontFace, kFontPoints, kFontWeight);
  HWND window = CreateFixedWindow(kClassName, title.c_str(), kClientWidth, kClientHeight);
  if (window == NULL) return NULL;
  const HFONT font = (HFONT)gFont;
  const int width = kClientWidth - 2 * kMargin;
  HWND label = CreateControl(window, kControlLabel, text.c_str(), kMargin, kMargin, width,
                             kTextHeight, kProgressTextId, font);
  HWND bar = CreateProgressControl(window, kMargin, kBarTop, width, kBarHeight, kProgressBarId);
  HWND button = CreateControl(window, kControlButton, cancel.c_str(),
                              kClientWidth - kMargin - kButtonWidth,
                              kClientHeight - kMargin - kButtonHeight, kButtonWidth,
                              kButtonHeight, kProgressCancelId, font);
  if (label == NULL || bar == NULL || button == NULL) {
    DestroyWindowHandle(&window);
    return NULL;
  }
  SetControlEnabled(button, false);
  SetSystemMenuCloseEnabled(window, false);
  gBar = bar;
  ShowWindowNow(window);
  return window;
}

void SetProgressPercent(HWND window, int percent) {
  if (window != NULL && gBar != NULL) SetProgressPosition(gBar, percent);
}

void CloseProgressWindow(HWND *window) {
  gBar = NULL;
  DestroyWindowHandle(window);
}
