#include "platform/window_frame.h"

void SetSystemMenuCloseEnabled(HWND window, bool enabled) {
  if (window == NULL) return;
  HMENU menu = GetSystemMenu(window, FALSE);
  if (menu == NULL) return;
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(window);
}

void SetWindowMaximizeBox(HWND window, bool present) {
  if (window == NULL) return;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  if (present)
    style |= WS_MAXIMIZEBOX;
  else
    style &= ~WS_MAXIMIZEBOX;
  SetWindowLongA(window, GWL_STYLE, style);
  SetWindowPos(window, NULL, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}
