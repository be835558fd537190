#include "platform/text_width.h"

int MeasureTextWidth(HWND control, const std::string &text) {
  int width = 0;
  HDC dc = GetDC(control);
  if (dc == NULL) return 0;
  HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
  if (font == NULL) font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size = {0, 0};
  // GetTextExtentPoint32A takes an int count; longer texts are wider than
  // any control anyway.
  const int count = text.size() > 0x7FFFFFF ? 0x7FFFFFF : static_cast<int>(text.size());
  if (GetTextExtentPoint32A(dc, text.c_str(), count, &size)) width = size.cx;
  if (previous != NULL) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return width;
}
