// The title bar's Close command and maximise box of a top-level window.
// The wizard greys Close while installing, the background window for good.
#ifndef QVS_PLATFORM_WINDOW_FRAME_H
#define QVS_PLATFORM_WINDOW_FRAME_H

#include <windows.h>

// Flag 0 greys and 1 enables the Close item of the window's system menu,
// then redraws the menu bar. Any other flag, or a NULL window, does nothing.
void SetCloseButtonEnabled(HWND window, int flag);
// Flag 1 sets and 0 clears the maximise box, and applies the frame change
// without moving, sizing or reordering the window. Other flags do nothing.
void SetMaximizeBoxEnabled(HWND window, int flag);

#endif
