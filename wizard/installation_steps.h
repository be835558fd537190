// Where the wizard hands over to the installation: the file installation
// run on entering page 9, and the Finish button's actions.
#ifndef QVS_WIZARD_INSTALLATION_STEPS_H
#define QVS_WIZARD_INSTALLATION_STEPS_H

// Installs the product while page 9 is shown; the wizard moves on to the
// finish page when it returns. Installs nothing yet: the installation
// engine takes this place.
void RunInstallation();

// Finish: the ticked finish actions, then the end of the installer through
// CleanExit. Only the end is done yet: the finish actions take this place.
[[noreturn]] void RunFinishActions();

#endif
