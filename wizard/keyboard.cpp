#include "wizard/keyboard.h"

#include "platform/controls.h"
#include "platform/ui_window.h"
#include "wizard/navigation.h"
#include "wizard/wizard_state.h"

void OnEnterKeyDown() {
  WizardState &wizard = Wizard();
  HWND button = WizardControl(DefaultButtonFor(wizard.navigation.CurrentPage));
  // A key press must not do what a click on a disabled Next could not (a
  // licence not accepted).
  if (button == NULL || !IsControlVisible(button) || !IsControlEnabled(button)) return;
  if (FocusedWindow() != button) SetKeyboardFocus(button);
  SendSpaceKey(button, true);
  wizard.enterTarget = button;
  wizard.EnterArmed = 1;
}

void OnEnterKeyUp() {
  WizardState &wizard = Wizard();
  if (wizard.EnterArmed != 1) return;
  wizard.EnterArmed = 0;
  HWND button = wizard.enterTarget;
  wizard.enterTarget = NULL;
  // The release of Space clicks a push button once; a further posted mouse
  // click would press it a second time and move two pages on.
  SendSpaceKey(button, false);
}
