// The title bar's Close command and maximise box of a top-level window.
#ifndef QVS_PLATFORM_WINDOW_FRAME_H
#define QVS_PLATFORM_WINDOW_FRAME_H

#include <windows.h>

// Greys or enables the Close item of the window's system menu and redraws
// the menu bar. A NULL window does nothing.
void SetSystemMenuCloseEnabled(HWND window, bool enabled);
// Sets or clears the maximise box and applies the frame change without
// moving, sizing or reordering the window. A NULL window does nothing.
void SetWindowMaximizeBox(HWND window, bool present);

#endif
