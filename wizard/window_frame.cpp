#include "wizard/window_frame.h"

#include "platform/window_frame.h"

void SetCloseButtonEnabled(HWND window, int flag) {
  if (flag != 0 && flag != 1) return;
  SetSystemMenuCloseEnabled(window, flag == 1);
}

void SetMaximizeBoxEnabled(HWND window, int flag) {
  if (flag != 0 && flag != 1) return;
  SetWindowMaximizeBox(window, flag == 1);
}
