// Tooltips: the whole text of a control that shows a shortened one, while
// the mouse rests on it.
#ifndef QVS_PLATFORM_TOOLTIPS_H
#define QVS_PLATFORM_TOOLTIPS_H

#include <windows.h>

#include <string>

// One tooltip window for the controls of the top-level window `owner`; it
// lives as long as its owner. NULL on failure.
HWND CreateTooltipWindow(HWND owner);

// Shows `text` while the mouse rests on `control`; an empty text removes
// the control's tooltip. Texts are wrapped at a readable width.
void SetControlTooltip(HWND tooltips, HWND control, const std::string &text);

#endif
