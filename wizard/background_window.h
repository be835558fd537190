// The full-screen installer style: a window over the primary monitor with a
// gradient or the stretched background picture, the script's BKText and
// the copyright line.
//
// Call order: after PrepareHeaderImages and before the wizard window, which
// is then created owned by the window returned here (when not NULL).
#ifndef QVS_WIZARD_BACKGROUND_WINDOW_H
#define QVS_WIZARD_BACKGROUND_WINDOW_H

#include <windows.h>

#include "script/script_settings.h"

// For LookAndFeel InstallerType 1: builds the background image, opens the
// background window (maximised, Close greyed, no maximise box) and shows
// it; returns it, or NULL when the style is not 1 or the window could not
// be opened. When the script asks for the picture (BKUsePicture 1,
// BKUseGradient 0) and the payload has none, shows language string 105
// under caption string 1 and ends the installer through CleanExit.
HWND OpenBackgroundWindow(const ScriptSettings &settings);

#endif
