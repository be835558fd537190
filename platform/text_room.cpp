#include "platform/text_room.h"

#include "platform/screen_scale.h"

namespace {

// What a button draws beside its text, in layout pixels: a check box's or
// option's mark with its gap, a push button's edges and the margins of a
// frame's caption. A little more than the system draws, so that a text
// that fits never touches an edge.
const int kMarkRoom = 20;
const int kPushButtonEdges = 10;
const int kFrameCaptionMargins = 20;
// Taller than any room, so that the measured height is the text's own.
const int kUnboundedHeight = 0x4000;

bool IsClass(HWND control, const char *name) {
  char className[32] = {0};
  if (GetClassNameA(control, className, sizeof className) == 0) return false;
  return lstrcmpiA(className, name) == 0;
}

TextRoom StaticRoom(LONG style, const RECT &client) {
  TextRoom room;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT: room.layout = kTextWrapped; break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: room.layout = kTextOneLine; break;
    default: return room;
  }
  room.width = client.right - client.left;
  room.height = client.bottom - client.top;
  return room;
}

TextRoom ButtonRoom(LONG style, const RECT &client) {
  TextRoom room;
  int edges = 0;
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: edges = kMarkRoom; break;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: edges = kPushButtonEdges; break;
    case BS_GROUPBOX: edges = kFrameCaptionMargins; break;
    default: return room;
  }
  room.layout = (style & BS_MULTILINE) != 0 ? kTextWrapped : kTextOneLine;
  room.width = client.right - client.left - ToScreenPixels(edges);
  room.height = client.bottom - client.top;
  if (room.width < 0) room.width = 0;
  return room;
}

}  // namespace

TextRoom TextRoomOf(HWND control) {
  RECT client = {0, 0, 0, 0};
  if (control == NULL || !GetClientRect(control, &client)) return TextRoom();
  LONG style = GetWindowLongA(control, GWL_STYLE);
  if (IsClass(control, "Static")) return StaticRoom(style, client);
  if (IsClass(control, "Button")) return ButtonRoom(style, client);
  return TextRoom();
}

bool TextFitsRoom(HWND control, const std::string &text, const TextRoom &room) {
  if (room.layout == kTextNotShown) return true;
  HDC dc = GetDC(control);
  if (dc == NULL) return true;
  HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
  // A control that was given no font draws in the system font.
  HGDIOBJ previous = SelectObject(dc, font != NULL ? (HGDIOBJ)font : GetStockObject(SYSTEM_FONT));
  UINT format = DT_CALCRECT | DT_EXPANDTABS;
  format |= room.layout == kTextWrapped ? DT_WORDBREAK : DT_SINGLELINE;
  LONG style = GetWindowLongA(control, GWL_STYLE);
  if (IsClass(control, "Static") && (style & SS_NOPREFIX) != 0) format |= DT_NOPREFIX;
  RECT needed = {0, 0, room.width, kUnboundedHeight};
  // DrawTextA takes an int count; a text that long fits no control.
  int count = text.size() > 0x7FFFFFF ? 0x7FFFFFF : (int)text.size();
  bool measured = DrawTextA(dc, text.c_str(), count, &needed, format) != 0 || text.empty();
  if (previous != NULL) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  if (!measured) return true;
  return needed.right - needed.left <= room.width && needed.bottom - needed.top <= room.height;
}
