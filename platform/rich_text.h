// Read-only rich-edit controls (RichEdit 2.0) for the licence, the
// information text and the review summary.
//
// Call order: LoadRichEditLibrary once before the first control is made;
// the library stays loaded until the process ends.
#ifndef QVS_PLATFORM_RICH_TEXT_H
#define QVS_PLATFORM_RICH_TEXT_H

#include <windows.h>

#include <string>

// Loads riched20.dll from the system folder. False when it cannot be loaded
// (the controls then cannot be made).
bool LoadRichEditLibrary();

// A read-only, multi-line rich-edit control with a sunken edge and a
// vertical scroll bar, switched to rich text, word-wrapped to its width,
// detecting web addresses and reporting clicks on them (EN_LINK). NULL on
// failure.
HWND CreateRichTextControl(HWND parent, int x, int y, int width, int height, int id, HFONT font);
// Fills the control: a text that starts with "{\rtf" is read as rich text,
// any other as plain text.
void SetRichTextContent(HWND control, const std::string &text);
// The background colour (0x00BBGGRR) of the control.
void SetRichTextBackground(HWND control, COLORREF colour);
// The button-face colour of the system's scheme.
COLORREF ButtonFaceColour();

// For WM_NOTIFY: true when `header` is an EN_LINK notification of a mouse
// button pressed on a link (not a mere move over it); `address` gets the
// link's text, read after selecting its characters. Links longer than
// 2047 characters are not read.
bool ReadClickedLink(const NMHDR *header, std::string *address);

#endif
