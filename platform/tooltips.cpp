#include "platform/tooltips.h"

#include <commctrl.h>

#include "platform/screen_scale.h"

namespace {

// Where a long tooltip wraps, in layout pixels.
const int kTooltipWidth = 400;

// A tool for `control`. An enabled control hears the mouse itself (a
// static text once it reports clicks); a disabled one does not, so its
// tool is its rectangle on the parent, which hears the mouse instead.
TTTOOLINFOA ToolFor(HWND control) {
  TTTOOLINFOA tool;
  ZeroMemory(&tool, sizeof tool);
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(control);
  tool.uId = (UINT_PTR)control;
  tool.uFlags = TTF_SUBCLASS;
  if (IsWindowEnabled(control)) {
    tool.uFlags |= TTF_IDISHWND;
  } else if (GetWindowRect(control, &tool.rect)) {
    MapWindowPoints(NULL, tool.hwnd, (POINT *)&tool.rect, 2);
  }
  return tool;
}

}  // namespace

HWND CreateTooltipWindow(HWND owner) {
  INITCOMMONCONTROLSEX classes;
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&classes);
  HWND tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, NULL,
                                  GetModuleHandleA(NULL), NULL);
  if (tooltips != NULL)
    SendMessageA(tooltips, TTM_SETMAXTIPWIDTH, 0, (LPARAM)ToScreenPixels(kTooltipWidth));
  return tooltips;
}

void SetControlTooltip(HWND tooltips, HWND control, const std::string &text) {
  if (tooltips == NULL || control == NULL) return;
  TTTOOLINFOA tool = ToolFor(control);
  SendMessageA(tooltips, TTM_DELTOOLA, 0, (LPARAM)&tool);
  if (text.empty()) return;
  char className[16] = {0};
  // A static text hands the mouse on to its parent unless it reports clicks.
  if (GetClassNameA(control, className, sizeof className) != 0 &&
      lstrcmpiA(className, "Static") == 0)
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) | SS_NOTIFY);
  tool.lpszText = (LPSTR)text.c_str();
  SendMessageA(tooltips, TTM_ADDTOOLA, 0, (LPARAM)&tool);
}
