// The keyboard focus, the Tab and arrow keys among controls, and keys sent
// to controls: the focus part of ui_window.h.
#include "platform/ui_window.h"

void SetKeyboardFocus(HWND window) { SetFocus(window); }

HWND FocusedWindow() { return GetFocus(); }

namespace {

// Enough for every control of a window: a walk that has not found a new
// stop after this many steps has gone round.
const int kMostTabSteps = 256;

LONG ButtonType(HWND window) {
  return IsButtonControl(window) ? (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) : -1;
}

bool IsChecked(HWND option) { return SendMessageA(option, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The checked option of the group `option` belongs to; `option` itself when
// none is checked.
HWND CheckedOptionOf(HWND option) {
  HWND parent = GetParent(option);
  HWND member = option;
  for (int step = 0; step < kMostTabSteps && member != NULL; step++) {
    if (IsOptionControl(member) && IsChecked(member)) return member;
    member = GetNextDlgGroupItem(parent, member, FALSE);
    if (member == option) break;
  }
  return option;
}

}  // namespace

void MoveFocusToNextTabStop(HWND root) {
  if (root == NULL) return;
  HWND focus = GetFocus();
  // A focus outside `root` (or none) starts the walk from its beginning.
  if (focus != NULL && focus != root && !IsChild(root, focus)) focus = NULL;
  if (focus == root) focus = NULL;
  bool backwards = GetKeyState(VK_SHIFT) < 0;
  HWND group = IsOptionControl(focus) ? CheckedOptionOf(focus) : NULL;
  HWND next = focus;
  for (int step = 0; step < kMostTabSteps; step++) {
    next = GetNextDlgTabItem(root, next, backwards ? TRUE : FALSE);
    if (next == NULL || next == focus) break;
    if (!IsOptionControl(next)) break;
    // Options of the group being left are passed over; another group is
    // entered at its checked option.
    HWND checked = CheckedOptionOf(next);
    if (checked == group) continue;
    next = checked;
    break;
  }
  if (next != NULL) SetFocus(next);
}

HWND FirstTabStopIn(HWND container) {
  if (container == NULL) return NULL;
  HWND first = GetNextDlgTabItem(container, NULL, FALSE);
  if (first == NULL || !IsChild(container, first) || !CanTakeFocus(first)) return NULL;
  return IsOptionControl(first) ? CheckedOptionOf(first) : first;
}

bool CanTakeFocus(HWND control) {
  return control != NULL && IsWindowVisible(control) && IsWindowEnabled(control);
}

bool IsButtonControl(HWND window) {
  char className[16] = {0};
  if (window == NULL || GetClassNameA(window, className, sizeof className) == 0) return false;
  return lstrcmpiA(className, "Button") == 0;
}

bool IsPushButtonControl(HWND window) {
  LONG type = ButtonType(window);
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool IsOptionControl(HWND window) {
  LONG type = ButtonType(window);
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool MoveWithinOptionGroup(HWND option, bool backwards) {
  if (!IsOptionControl(option)) return false;
  HWND parent = GetParent(option);
  HWND next = GetNextDlgGroupItem(parent, option, backwards ? TRUE : FALSE);
  if (next == NULL || next == option || !IsOptionControl(next)) return true;
  SetFocus(next);
  // Exactly the option moved to is checked, as a click on it leaves the
  // group; the parent hears of it as of a click.
  HWND member = next;
  for (int step = 0; step < kMostTabSteps; step++) {
    member = GetNextDlgGroupItem(parent, member, FALSE);
    if (member == NULL || member == next) break;
    if (IsOptionControl(member)) SendMessageA(member, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(next, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(next), BN_CLICKED), (LPARAM)next);
  return true;
}

bool IsOpenDropDownList(HWND window) {
  char className[16] = {0};
  if (window == NULL || GetClassNameA(window, className, sizeof className) == 0 ||
      lstrcmpiA(className, "ComboBox") != 0)
    return false;
  return SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void SendSpaceKey(HWND window, bool down) {
  if (window != NULL) SendMessageA(window, down ? WM_KEYDOWN : WM_KEYUP, VK_SPACE, 0);
}

void PostLeftClick(HWND window) {
  if (window == NULL) return;
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Sleep(50);
  PostMessageA(window, WM_LBUTTONUP, MK_LBUTTON, 0);
}
