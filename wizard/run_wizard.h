// The wizard part of the main flow: header artwork, the background window,
// the wizard window with all its pages, the page sequence and the event
// loop.
#ifndef QVS_WIZARD_RUN_WIZARD_H
#define QVS_WIZARD_RUN_WIZARD_H

// Call once the installer script is read (InstallerScript()) and the system
// checks have passed. Never returns: the run ends through CleanExit, from
// Finish, a confirmed cancel or close, or a fatal error.
[[noreturn]] void RunWizard();

#endif
