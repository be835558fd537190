// The wizard window's state for the whole run: the window, its page
// containers, the navigation along the page sequence and the few flags
// other parts read.
//
// One instance, on the interface thread. The installation engine reads
// UserScopeOffered and addresses controls through WizardControl.
#ifndef QVS_WIZARD_WIZARD_STATE_H
#define QVS_WIZARD_WIZARD_STATE_H

#include <windows.h>

#include <vector>

#include "platform/fitted_texts.h"
#include "script/script_settings.h"
#include "wizard/control_ids.h"
#include "wizard/finish_boxes.h"
#include "wizard/navigation.h"

struct WizardState {
  HWND window = NULL;
  // The full-screen background window, when the script asks for one.
  HWND background = NULL;
  HWND pages[kPageCount] = {};
  WizardNavigation navigation;
  // 1 when the installation-mode page takes part in this run.
  int UserScopeOffered = 0;
  // Set by Enter going down, so that only its own release presses the
  // default button.
  int EnterArmed = 0;
  HWND enterTarget = NULL;
  // The control that had the keyboard when the window was last left for
  // another (a message box, the replace question), given back on return.
  HWND lastFocus = NULL;
  // Keeps a double-click on Next or Back from moving two pages.
  RepeatGuard pressGuard;
  HFONT linkFont = NULL;
  // The whole texts of the controls that show them shortened.
  FittedTexts texts;
  bool linkHovered = false;
  // The finish boxes as the finish page was built with them.
  std::vector<FinishBox> finishBoxes;
  // The script the wizard was built from; set before any page is built.
  const ScriptSettings *settings = nullptr;
};

WizardState &Wizard();

// The wizard's control numbered `id` (see control_ids.h); NULL when it was
// not created.
HWND WizardControl(int id);

#endif
