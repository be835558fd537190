#include "wizard/wizard_state.h"

#include "platform/page_controls.h"

WizardState &Wizard() {
  static WizardState state;
  return state;
}

HWND WizardControl(int id) {
  WizardState &wizard = Wizard();
  if (id == kWizardWindowId) return wizard.window;
  return FindControlById(wizard.window, id);
}
