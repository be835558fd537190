#include "tests/e2e/driver/control_input.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "tests/e2e/driver/window_search.h"

namespace {

struct NamedKey {
  const char *name;
  UINT code;
};

const NamedKey kKeys[] = {{"enter", VK_RETURN},  {"return", VK_RETURN}, {"escape", VK_ESCAPE},
                          {"esc", VK_ESCAPE},    {"space", VK_SPACE},   {"tab", VK_TAB},
                          {"up", VK_UP},         {"down", VK_DOWN},     {"left", VK_LEFT},
                          {"right", VK_RIGHT},   {"home", VK_HOME},     {"end", VK_END},
                          {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"delete", VK_DELETE},
                          {"backspace", VK_BACK}};

void BringToFront(HWND top) {
  if (GetForegroundWindow() != top) SetForegroundWindow(top);
}

// Mouse input goes to whatever lies under the pointer once it is processed,
// and a window that is still being activated may drop it: wait until the
// window is in front.
void WaitForFront(HWND top) {
  DWORD start = GetTickCount();
  while (GetForegroundWindow() != top && GetTickCount() - start < 1000) {
    SetForegroundWindow(top);
    Sleep(20);
  }
  Sleep(50);
}

}  // namespace

void ClickButton(HWND top, HWND button) {
  BringToFront(top);
  PostMessageA(button, BM_CLICK, 0, 0);
}

void PostCommand(HWND control) {
  HWND parent = GetParent(control);
  int id = GetDlgCtrlID(control);
  PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
}

namespace {

// Puts the pointer on a point of the control's client area (x or y below
// 0: the centre) with the window in front. Under Wine the host pointer
// follows a move a little later, and its motion events can carry the cursor
// back: true only once the cursor has stayed on the point.
bool PointAt(HWND top, HWND control, int x, int y) {
  RECT client = {0, 0, 0, 0};
  if (!GetClientRect(control, &client)) return false;
  POINT point = {x >= 0 ? x : (client.right - client.left) / 2,
                 y >= 0 ? y : (client.bottom - client.top) / 2};
  ClientToScreen(control, &point);
  WaitForFront(top);
  DWORD start = GetTickCount();
  int steady = 0;
  while (steady < 3 && GetTickCount() - start < 2000) {
    POINT now = {0, 0};
    GetCursorPos(&now);
    if (now.x == point.x && now.y == point.y) {
      steady++;
    } else {
      steady = 0;
      SetCursorPos(point.x, point.y);
    }
    Sleep(40);
  }
  return steady >= 3;
}

bool SendMouseButton(bool down) {
  INPUT input;
  memset(&input, 0, sizeof input);
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

bool SendKey(UINT key, bool down) {
  INPUT input;
  memset(&input, 0, sizeof input);
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = (WORD)key;
  input.ki.wScan = (WORD)(MapVirtualKeyA(key, MAPVK_VK_TO_VSC) & 0xFF);
  switch (key) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_DELETE: case VK_INSERT:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default: break;
  }
  if (!down) input.ki.dwFlags |= KEYEVENTF_KEYUP;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace

bool MouseClick(HWND top, HWND control, int x, int y) {
  if (!PointAt(top, control, x, y)) return false;
  bool ok = SendMouseButton(true);
  Sleep(60);
  return ok && SendMouseButton(false);
}

bool MouseDoubleClick(HWND top, HWND control) {
  if (!PointAt(top, control, -1, -1)) return false;
  // 40 ms between the steps: a quick user's double-click.
  bool ok = true;
  for (int click = 0; click < 2 && ok; click++) {
    ok = SendMouseButton(true);
    Sleep(40);
    ok = ok && SendMouseButton(false);
    Sleep(40);
  }
  return ok;
}

bool ReadModifier(const std::string &word, KeyModifiers *modifiers) {
  if (_stricmp(word.c_str(), "shift") == 0) modifiers->shift = true;
  else if (_stricmp(word.c_str(), "ctrl") == 0) modifiers->control = true;
  else if (_stricmp(word.c_str(), "alt") == 0) modifiers->alt = true;
  else return false;
  return true;
}

bool TypeKey(HWND top, UINT key, const KeyModifiers &modifiers) {
  WaitForFront(top);
  const UINT held[3] = {modifiers.shift ? (UINT)VK_SHIFT : 0u,
                        modifiers.control ? (UINT)VK_CONTROL : 0u,
                        modifiers.alt ? (UINT)VK_MENU : 0u};
  bool ok = true;
  for (UINT modifier : held)
    if (modifier != 0) ok = SendKey(modifier, true) && ok;
  ok = SendKey(key, true) && ok;
  Sleep(60);
  ok = SendKey(key, false) && ok;
  for (int i = 2; i >= 0; i--)
    if (held[i] != 0) ok = SendKey(held[i], false) && ok;
  return ok;
}

UINT KeyCode(const std::string &name) {
  for (const NamedKey &key : kKeys)
    if (_stricmp(key.name, name.c_str()) == 0) return key.code;
  if ((name[0] == 'f' || name[0] == 'F') && name.size() >= 2 && name.size() <= 3) {
    int n = atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return VK_F1 + (UINT)(n - 1);
  }
  if (name.size() == 1 && isalnum((unsigned char)name[0])) return (UINT)toupper((unsigned char)name[0]);
  long code = 0;
  if (ParseNumber(name, &code) && code > 0 && code < 256) return (UINT)code;
  return 0;
}

void PostKey(HWND top, UINT key, bool down, bool up) {
  HWND target = FocusedControl(top);
  if (target == NULL) target = top;
  UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC) & 0xFF;
  if (down) PostMessageA(target, WM_KEYDOWN, key, (LPARAM)(1 | (scan << 16)));
  if (down && up) Sleep(60);
  if (up) PostMessageA(target, WM_KEYUP, key, (LPARAM)(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

bool SelectListIndex(HWND control, int index) {
  std::string kind = ReadClassName(control);
  bool combo = _stricmp(kind.c_str(), "ComboBox") == 0;
  if (!combo && _stricmp(kind.c_str(), "ListBox") != 0) return false;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)index, 0,
                      SMTO_ABORTIFHUNG, 3000, &result);
  int id = GetDlgCtrlID(control);
  PostMessageA(GetParent(control), WM_COMMAND,
               MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE), (LPARAM)control);
  return true;
}

bool SetControlText(HWND control, const std::string &text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(control, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG,
                             3000, &result) != 0;
}
