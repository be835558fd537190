// The silent installation (/S): the answers come from the command line
// instead of the wizard's pages, nothing is shown, and the run ends with an
// exit code a deployment tool can read.
#ifndef QVS_WIZARD_RUN_UNATTENDED_H
#define QVS_WIZARD_RUN_UNATTENDED_H

// Call where the wizard would start (the script read, the checks passed).
// Refuses answers the wizard would refuse (exit code 1639, or the code of
// too little space) before anything is written, installs, and ends the
// process: 0, or 3010 when the product asks for a restart (made at once
// with /FORCERESTART); 1603 after a failure, 1602 after a quit request,
// each rolled back.
[[noreturn]] void RunUnattendedInstallation();

#endif
