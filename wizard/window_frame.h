// Switches on a window's frame, used on the wizard window while files are
// installed and on the background window.
#ifndef QVS_WIZARD_WINDOW_FRAME_H
#define QVS_WIZARD_WINDOW_FRAME_H

#include <windows.h>

// Flag 0 greys and 1 enables the Close item of the window's system menu;
// any other flag or a null window does nothing.
void SetCloseButtonEnabled(HWND window, int flag);
// Flag 1 sets and 0 clears the window's maximise box; any other flag or a
// null window does nothing.
void SetMaximizeBoxEnabled(HWND window, int flag);

#endif
