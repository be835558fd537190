#include "wizard/installation_steps.h"

#include "engine/exits.h"

void RunInstallation() {}

void RunFinishActions() { CleanExit(); }
