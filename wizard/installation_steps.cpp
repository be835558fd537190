#include "wizard/installation_steps.h"

#include "startup/exits.h"

void RunInstallation() {}

void RunFinishActions() { CleanExit(); }
