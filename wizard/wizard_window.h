// The wizard window: one fixed 490 x 355 window holding the eleven page
// containers and the controls below them, and its window procedure, which
// hands every control's event to its handler.
#ifndef QVS_WIZARD_WIZARD_WINDOW_H
#define QVS_WIZARD_WIZARD_WINDOW_H

#include <windows.h>

#include <string>

// Creates the window hidden, centred on the screen and owned by `owner`
// (the background window, or NULL), with `title` in its caption, and its
// eleven page containers; the window is kept in the wizard state. False
// when the window cannot be created.
bool CreateWizardWindow(HWND owner, const std::string &title);

// The window procedure: control events, the close request, the white
// painting of the finish page's boxes and the links in the documents.
LRESULT CALLBACK WizardWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Cancel and the close request: asks whether to stop the installation and,
// on Yes, ends the installer through CleanExit.
void ConfirmCancel();

#endif
