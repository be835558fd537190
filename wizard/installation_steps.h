// Where the wizard hands over to the installation: the choices frozen when
// the review page is left, the progress page that shows the installation
// engine's work, and the Finish button's actions.
#ifndef QVS_WIZARD_INSTALLATION_STEPS_H
#define QVS_WIZARD_INSTALLATION_STEPS_H

// Entering page 9: freezes the user's choices and installs the product
// while the page shows; the wizard moves on to the finish page when it
// returns. After a cancelled or failed installation the finish page says
// so and offers no action.
void InstallOnProgressPage();

// True once an installation was cancelled or failed and rolled back.
bool InstallationWasCancelled();

// Finish: the actions the user left ticked (or the restart), then the
// wizard and background windows close, the shell hears that associations
// may have changed, and the installer ends through CleanExit.
[[noreturn]] void RunFinishActions();
// The same end without the actions: the finish page closed another way.
[[noreturn]] void EndWithoutFinishActions();

#endif
