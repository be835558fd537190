// Acting on another process's controls the way a user would: button clicks,
// keys sent to the focused control, list selections and typed text. Every
// action is posted, never sent, so that a modal box opened by the program
// under test cannot block the driver.
#ifndef QVS_TESTS_E2E_CONTROL_INPUT_H
#define QVS_TESTS_E2E_CONTROL_INPUT_H

#include <windows.h>

#include <string>

// BM_CLICK posted to the button after its window is brought to the front.
void ClickButton(HWND top, HWND button);

// WM_COMMAND with BN_CLICKED posted to the control's parent, for controls
// that are not buttons or a program that reads commands only.
void PostCommand(HWND control);

// Real mouse input (SendInput) at a point of the control's client area;
// x or y below 0 means the centre.
bool MouseClick(HWND top, HWND control, int x, int y);

// A real double-click (SendInput: press, release, press, release, well
// within the system's double-click time) at the control's centre.
bool MouseDoubleClick(HWND top, HWND control);

// Virtual-key code of a key name: enter, escape, space, tab, up, down, left,
// right, home, end, pageup, pagedown, delete, backspace, f1..f12, a single
// letter or digit, or a number. 0 when unknown.
UINT KeyCode(const std::string &name);

// Posts WM_KEYDOWN and/or WM_KEYUP for `key` to the control that has the
// focus in the window's thread (the window itself when none has).
void PostKey(HWND top, UINT key, bool down, bool up);

// Modifier keys held while a key is typed.
struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};
// Reads "shift", "ctrl" or "alt" into *modifiers; false for another word.
bool ReadModifier(const std::string &word, KeyModifiers *modifiers);

// Types `key` as a user does: real keyboard input (SendInput) with the
// modifiers held around it, to whatever has the focus once `top` is the
// foreground window. False when the input was not taken.
bool TypeKey(HWND top, UINT key, const KeyModifiers &modifiers);

// Sets the selection of a combo box or list box and posts the selection
// change notification to its parent. False when the control is neither.
bool SelectListIndex(HWND control, int index);

// Replaces a control's text (WM_SETTEXT).
bool SetControlText(HWND control, const std::string &text);

#endif
