// Commands that act on the current window's controls as a user would.
#include <stdio.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/control_input.h"
#include "tests/e2e/driver/window_search.h"

namespace {

// Long enough for a machine busy with other builds; a check that holds returns at once.
const DWORD kSettleMs = 10000;
// Beyond the double-click time, so that the program has shown the page the
// previous press brought before the next press arrives.
const DWORD kPressMargin = 300;

// The wizard takes a press of Next or Back that comes within the double-click
// time of the page the previous press brought for a double-click's second
// click and ignores it. The commands of a scenario are single clicks one
// after the other: a press waits until that time has passed since the last
// one in the same window was handled (a press in another window, such as a
// question, cannot be the second click of a double-click, and a run may not
// wait there). The time counts from the handling, not the sending: on a busy
// machine the program may take the posted press long after it was sent.
void SpacePresses(DriverState *state) {
  DWORD guard = GetDoubleClickTime() + kPressMargin;
  DWORD since = GetTickCount() - state->lastPressTick;
  if (state->pressedBefore && state->lastPressWindow == state->window && since < guard)
    Sleep(guard - since);
  state->pressedBefore = true;
  state->pressPending = true;
  state->lastPressTick = GetTickCount();
  state->lastPressWindow = state->window;
}

bool PressesButton(UINT key) { return key == VK_RETURN || key == VK_SPACE; }

bool KeyAction(DriverState *state, const std::string &name, bool down, bool up,
               std::string *message) {
  UINT key = KeyCode(name);
  if (key == 0) {
    *message = "unknown key '" + name + "'";
    return false;
  }
  if (state->window == NULL || !IsWindow(state->window)) {
    *message = "no current window";
    return false;
  }
  if (down && PressesButton(key)) SpacePresses(state);
  if (down) SnapshotBeforeAction(state);
  PostKey(state->window, key, down, up);
  return true;
}

}  // namespace

bool CmdClick(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  if (!IsWindowEnabled(control)) {
    *message = "control " + args[0] + " is disabled";
    return false;
  }
  SpacePresses(state);
  SnapshotBeforeAction(state);
  ClickButton(state->window, control);
  return true;
}

bool CmdCommand(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  SpacePresses(state);
  SnapshotBeforeAction(state);
  PostCommand(control);
  return true;
}

bool CmdDoubleClick(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  SpacePresses(state);
  SnapshotBeforeAction(state);
  if (MouseDoubleClick(state->window, control)) return true;
  *message = "mouse input failed";
  return false;
}

bool CmdTypeKey(DriverState *state, const Words &args, std::string *message) {
  UINT key = KeyCode(args[0]);
  if (key == 0) {
    *message = "unknown key '" + args[0] + "'";
    return false;
  }
  KeyModifiers modifiers;
  for (size_t i = 1; i < args.size(); i++) {
    if (!ReadModifier(args[i], &modifiers)) {
      *message = "expected shift, ctrl or alt, not '" + args[i] + "'";
      return false;
    }
  }
  if (state->window == NULL || !IsWindow(state->window)) {
    *message = "no current window";
    return false;
  }
  if (PressesButton(key)) SpacePresses(state);
  SnapshotBeforeAction(state);
  if (TypeKey(state->window, key, modifiers)) return true;
  *message = "keyboard input failed";
  return false;
}

bool CmdMouseClick(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  long x = -1, y = -1;
  if (args.size() == 3 && (!ParseNumber(args[1], &x) || !ParseNumber(args[2], &y))) {
    *message = "bad point";
    return false;
  }
  SpacePresses(state);
  SnapshotBeforeAction(state);
  if (MouseClick(state->window, control, (int)x, (int)y)) return true;
  *message = "mouse input failed";
  return false;
}

bool CmdPressKey(DriverState *state, const Words &args, std::string *message) {
  return KeyAction(state, args[0], true, true, message);
}

bool CmdPressEnter(DriverState *state, const Words &, std::string *message) {
  return KeyAction(state, "enter", true, true, message);
}

bool CmdKeyDown(DriverState *state, const Words &args, std::string *message) {
  return KeyAction(state, args[0], true, false, message);
}

bool CmdKeyUp(DriverState *state, const Words &args, std::string *message) {
  return KeyAction(state, args[0], false, true, message);
}

bool CmdSetCheck(DriverState *state, const Words &args, std::string *message) {
  bool wanted = false;
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL || !ReadFlag(args[1], &wanted, message)) return false;
  DWORD_PTR checked = 0;
  SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &checked);
  if ((checked == BST_CHECKED) == wanted) return true;
  SnapshotBeforeAction(state);
  ClickButton(state->window, control);
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kSettleMs) {
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &checked);
    if ((checked == BST_CHECKED) == wanted) return true;
    Sleep(20);
  }
  *message = "control " + args[0] + " did not change its check state";
  return false;
}

bool CmdSelectList(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  std::vector<std::string> items;
  if (!ReadListItems(control, &items)) {
    *message = "control " + args[0] + " is not a combo box or list box";
    return false;
  }
  long index = -1;
  if (args[1].compare(0, 5, "text=") == 0) {
    for (size_t i = 0; i < items.size() && index < 0; i++)
      if (items[i] == args[1].substr(5)) index = (long)i;
  } else if (!ParseNumber(args[1], &index)) {
    index = -1;
  }
  if (index < 0 || (size_t)index >= items.size()) {
    *message = "no item " + args[1] + " in control " + args[0];
    return false;
  }
  SnapshotBeforeAction(state);
  SelectListIndex(control, (int)index);
  return true;
}

bool CmdSetText(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  SnapshotBeforeAction(state);
  if (SetControlText(control, args[1])) return true;
  *message = "cannot set the text of control " + args[0];
  return false;
}
