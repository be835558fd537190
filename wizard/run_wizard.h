// The wizard part of the main flow: header artwork, the background window,
// the wizard window with all its pages, the page sequence and the event
// loop.
#ifndef QVS_WIZARD_RUN_WIZARD_H
#define QVS_WIZARD_RUN_WIZARD_H

#include "platform/ui_window.h"

// Call once the installer script is read (InstallerScript()) and the system
// checks have passed. Never returns: the run ends through CleanExit, from
// Finish, a confirmed cancel or close, or a fatal error.
[[noreturn]] void RunWizard();

// One event of the interface thread's queue, handled as the wizard's event
// loop handles it: Enter, Tab, Esc and the arrows on options (keyboard.h),
// the description that follows the mouse,
// then the window that the event is for. Also used while the installation
// runs its own loop.
void HandleWizardEvent(UiEvent *event, UiEventKind kind);

#endif
