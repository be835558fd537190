// The wizard's keyboard: Enter, Esc and the arrows on options, and where
// the keyboard focus goes when a page changes or the window comes back
// from a message box.
//
// Keys reach these handlers from the event loop whatever has the focus;
// everything runs on the interface thread.
#ifndef QVS_WIZARD_KEYBOARD_H
#define QVS_WIZARD_KEYBOARD_H

// Enter down: a focused push button is pressed, as Windows presses it;
// with the focus anywhere else, the page's default button (Cancel on page
// 9, Finish on page 10, Next otherwise) takes the focus and is pressed. A
// hidden or disabled button is left alone. The button goes down now (the
// Space key's press) and the wizard waits for Enter's release.
void OnEnterKeyDown();
// Enter up after its own press: the button is released, which clicks it
// once. False when Enter's press was not the wizard's (it is then the
// focused control's).
bool OnEnterKeyUp();

// Esc: on the finish page, the end without the ticked actions; elsewhere
// Cancel, with its question, while the Cancel button can be pressed.
void OnEscapeKey();

// The focus is left where it is when the user can act there; otherwise it
// goes to the page's default button, or, when that cannot take it, to the
// first control of the shown page that can. Called after every page change
// and when the window becomes active again.
void SettleFocus();

// WM_ACTIVATE: the control that has the focus is remembered when the window
// is left, and given back (or the focus settled) when it is active again.
void OnWizardActivation(bool active);

#endif
