#include "platform/full_screen_window.h"

#include "platform/ui_window.h"

namespace {

const char kBackgroundClass[] = "QuorvantisBackground";

}  // namespace

bool PrimaryMonitorSize(int *width, int *height) {
  // The primary monitor's desktop is what SM_CXSCREEN and SM_CYSCREEN measure.
  int x = GetSystemMetrics(SM_CXSCREEN), y = GetSystemMetrics(SM_CYSCREEN);
  if (x <= 0 || y <= 0) return false;
  if (width != NULL) *width = x;
  if (height != NULL) *height = y;
  return true;
}

HWND CreateFullScreenWindow(const char *title, int width, int height) {
  if (!RegisterPlainWindowClass(kBackgroundClass, DefWindowProcA)) return NULL;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                      WS_MAXIMIZE | WS_CLIPCHILDREN;
  return CreateWindowExA(0, kBackgroundClass, title, style, 0, 0, width, height, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

void ShowMaximized(HWND window) {
  if (window == NULL) return;
  ShowWindow(window, SW_SHOWMAXIMIZED);
  UpdateWindow(window);
}
