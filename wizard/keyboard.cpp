#include "wizard/keyboard.h"

#include "platform/controls.h"
#include "platform/ui_window.h"
#include "wizard/installation_steps.h"
#include "wizard/navigation.h"
#include "wizard/wizard_state.h"
#include "wizard/wizard_window.h"

namespace {

// A control of the wizard window that the user can act on now.
bool IsUsable(HWND control) {
  WizardState &wizard = Wizard();
  return control != NULL && control != wizard.window && IsChild(wizard.window, control) &&
         CanTakeFocus(control);
}

HWND DefaultButton() { return WizardControl(DefaultButtonFor(Wizard().navigation.CurrentPage)); }

// The button Enter presses: the focused push button, else the default one.
HWND EnterTarget() {
  HWND focus = FocusedWindow();
  if (IsPushButtonControl(focus) && IsUsable(focus)) return focus;
  return DefaultButton();
}

}  // namespace

void OnEnterKeyDown() {
  WizardState &wizard = Wizard();
  HWND button = EnterTarget();
  // A key press must not do what a click on a disabled Next could not (a
  // licence not accepted).
  if (!IsUsable(button)) return;
  if (FocusedWindow() != button) SetKeyboardFocus(button);
  SendSpaceKey(button, true);
  wizard.enterTarget = button;
  wizard.EnterArmed = 1;
}

bool OnEnterKeyUp() {
  WizardState &wizard = Wizard();
  if (wizard.EnterArmed != 1) return false;
  wizard.EnterArmed = 0;
  HWND button = wizard.enterTarget;
  wizard.enterTarget = NULL;
  // The release of Space clicks a push button once; a further posted mouse
  // click would press it a second time and move two pages on.
  SendSpaceKey(button, false);
  return true;
}

void OnEscapeKey() {
  if (Wizard().navigation.CurrentPage == kPageFinish) {
    EndWithoutFinishActions();
    return;
  }
  if (IsUsable(WizardControl(kCancelButtonId))) ConfirmCancel();
}

void SettleFocus() {
  if (IsUsable(FocusedWindow())) return;
  WizardState &wizard = Wizard();
  HWND target = DefaultButton();
  if (!IsUsable(target)) {
    int page = wizard.navigation.CurrentPage;
    target = page >= 0 && page < kPageCount ? FirstTabStopIn(wizard.pages[page]) : NULL;
  }
  if (!IsUsable(target)) target = FirstTabStopIn(wizard.window);
  if (IsUsable(target)) SetKeyboardFocus(target);
}

void OnWizardActivation(bool active) {
  WizardState &wizard = Wizard();
  if (!active) {
    HWND focus = FocusedWindow();
    if (IsUsable(focus)) wizard.lastFocus = focus;
    return;
  }
  if (IsUsable(wizard.lastFocus)) SetKeyboardFocus(wizard.lastFocus);
  SettleFocus();
}
