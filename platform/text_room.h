// The room a control has for its text, and whether a text fits it in the
// control's own font: for shortening texts that would be clipped.
#ifndef QVS_PLATFORM_TEXT_ROOM_H
#define QVS_PLATFORM_TEXT_ROOM_H

#include <windows.h>

#include <string>

enum TextLayout {
  kTextNotShown,  // no text the control draws as a label (fields, lists, pictures)
  kTextWrapped,   // wrapped at word breaks within the room
  kTextOneLine,
};

// In screen pixels.
struct TextRoom {
  TextLayout layout = kTextNotShown;
  int width = 0;
  int height = 0;
};

// A static text's client area (wrapped unless it is a one-line kind); a
// check box's or option's room beside its mark; a push button's inside its
// edges; a frame's caption line.
TextRoom TextRoomOf(HWND control);

// True when `text`, laid out as the control lays it out, stays within
// `room` in the control's font.
bool TextFitsRoom(HWND control, const std::string &text, const TextRoom &room);

#endif
