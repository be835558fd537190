// What the Finish button does: the actions the user left ticked on the
// finish page (launch the program, open the documentation, readme or
// licence, visit the web site), or the restart of the computer.
#ifndef QVS_ENGINE_INSTALL_FINISH_ACTIONS_H
#define QVS_ENGINE_INSTALL_FINISH_ACTIONS_H

#include "script/script_settings.h"

// The finish page's boxes as the user left them: each true when its box
// exists, is shown and is checked.
struct FinishChoices {
  bool restart = false;
  bool launchProgram = false;
  bool viewDocumentation = false;
  bool viewReadme = false;
  bool viewLicense = false;
  bool visitWebsite = false;
};

// When the script offers the restart, only the restart (if ticked) and
// nothing else; otherwise, in this order and without waiting, each ticked
// action whose key is 1 and whose path (or address), expanded now, is not
// empty. Failures pass silently.
void PerformFinishActions(const ScriptSettings &settings, const FinishChoices &choices);

// Restarts the computer (see RequestComputerRestart); 0 on success, else
// the step that failed (1 to 4).
int RestartComputer(int force);

#endif
