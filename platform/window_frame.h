// The frame of a top-level window: its system menu's Close command and its
// maximise box.
#ifndef QVS_PLATFORM_WINDOW_FRAME_H
#define QVS_PLATFORM_WINDOW_FRAME_H

#include <windows.h>

// Greys (false) or enables (true) the Close item of the window's system
// menu and redraws the menu bar. Does nothing for a null window.
void SetSystemMenuCloseEnabled(HWND window, bool enabled);
// Adds or removes WS_MAXIMIZEBOX and has the frame redrawn without moving,
// sizing or reordering the window. Does nothing for a null window.
void SetWindowMaximizeBox(HWND window, bool present);

#endif
