// Measuring text in the font a control shows it in.
#ifndef QVS_PLATFORM_TEXT_WIDTH_H
#define QVS_PLATFORM_TEXT_WIDTH_H

#include <windows.h>

#include <string>

// Width in pixels of `text` in `control`'s font, or in the default GUI font
// when the control has none. 0 when it cannot be measured.
int MeasureTextWidth(HWND control, const std::string &text);

#endif
