// The full-screen installer style's window over the primary monitor.
#ifndef QVS_PLATFORM_FULL_SCREEN_WINDOW_H
#define QVS_PLATFORM_FULL_SCREEN_WINDOW_H

#include <windows.h>

// Width and height of the primary monitor's desktop; false when unknown.
bool PrimaryMonitorSize(int *width, int *height);

// A hidden top-level window at (0, 0) of `width` x `height`, maximised,
// with caption, system menu, minimise and maximise boxes, of a class with
// the default window procedure. NULL on failure.
HWND CreateFullScreenWindow(const char *title, int width, int height);

// Shows the window maximised.
void ShowMaximized(HWND window);

#endif
