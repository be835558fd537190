// Checks of the current window's controls. A check is retried for a short
// while, since the program under test handles posted input asynchronously.
#include <stdio.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/window_search.h"

namespace {

// Long enough for a machine busy with other builds; a check that holds returns at once.
const DWORD kSettleMs = 10000;
const DWORD kPollMs = 20;

typedef bool (*ControlCheck)(HWND control, const std::string &expected, std::string *message);

bool PollCheck(DriverState *state, const Words &args, ControlCheck check, std::string *message) {
  DWORD start = GetTickCount();
  for (;;) {
    message->clear();
    HWND control = FindControl(state->window, args[0], message);
    if (control != NULL && check(control, args[1], message)) return true;
    if (GetTickCount() - start >= kSettleMs) {
      *message = "control " + args[0] + ": " + *message;
      return false;
    }
    Sleep(kPollMs);
  }
}

bool CompareFlag(bool actual, const std::string &expected, const char *what, std::string *message) {
  bool wanted = false;
  if (!ReadFlag(expected, &wanted, message)) return false;
  if (actual == wanted) return true;
  *message = std::string(actual ? "is " : "is not ") + what;
  return false;
}

bool CheckText(HWND control, const std::string &expected, std::string *message) {
  std::string text = ReadWindowText(control);
  if (text == ExpandLineBreaks(expected)) return true;
  *message = "text \"" + text + "\", expected \"" + expected + "\"";
  return false;
}

bool CheckTextContains(HWND control, const std::string &expected, std::string *message) {
  std::string text = ReadWindowText(control);
  if (text.find(ExpandLineBreaks(expected)) != std::string::npos) return true;
  *message = "text \"" + text + "\" does not contain \"" + expected + "\"";
  return false;
}

bool CheckVisible(HWND control, const std::string &expected, std::string *message) {
  return CompareFlag(IsWindowVisible(control) != 0, expected, "visible", message);
}

bool CheckEnabled(HWND control, const std::string &expected, std::string *message) {
  return CompareFlag(IsWindowEnabled(control) != 0, expected, "enabled", message);
}

bool CheckChecked(HWND control, const std::string &expected, std::string *message) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state);
  long wanted = 0;
  if (!ParseNumber(expected, &wanted)) {
    *message = "bad check state '" + expected + "'";
    return false;
  }
  if ((long)state == wanted) return true;
  char text[64];
  snprintf(text, sizeof text, "check state %ld, expected %ld", (long)state, wanted);
  *message = text;
  return false;
}

bool CheckItems(HWND control, const std::string &expected, std::string *message) {
  std::vector<std::string> items;
  if (!ReadListItems(control, &items)) {
    *message = "not a combo box or list box";
    return false;
  }
  std::string joined;
  for (size_t i = 0; i < items.size(); i++) joined += (i ? "|" : "") + items[i];
  if (joined == expected) return true;
  *message = "items \"" + joined + "\", expected \"" + expected + "\"";
  return false;
}

bool CheckSelected(HWND control, const std::string &expected, std::string *message) {
  std::vector<std::string> items;
  if (!ReadListItems(control, &items)) {
    *message = "not a combo box or list box";
    return false;
  }
  int selected = ReadListSelection(control);
  std::string selectedText =
      selected >= 0 && (size_t)selected < items.size() ? items[(size_t)selected] : "";
  bool ok = false;
  if (expected.compare(0, 5, "text=") == 0) {
    ok = selected >= 0 && selectedText == expected.substr(5);
  } else {
    long index = 0;
    ok = ParseNumber(expected, &index) && index == selected;
  }
  if (ok) return true;
  char text[64];
  snprintf(text, sizeof text, "selected index %d", selected);
  *message = text + std::string(" (\"") + selectedText + "\"), expected " + expected;
  return false;
}

}  // namespace

bool CmdGetText(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  *message = ReadWindowText(control);
  return true;
}

bool CmdExpectText(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckText, message);
}

bool CmdExpectTextContains(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckTextContains, message);
}

bool CmdExpectVisible(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckVisible, message);
}

bool CmdExpectEnabled(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckEnabled, message);
}

bool CmdExpectChecked(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckChecked, message);
}

bool CmdExpectItems(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckItems, message);
}

bool CmdExpectSelected(DriverState *state, const Words &args, std::string *message) {
  return PollCheck(state, args, CheckSelected, message);
}

bool CmdExpectFocus(DriverState *state, const Words &args, std::string *message) {
  DWORD start = GetTickCount();
  for (;;) {
    message->clear();
    HWND control = FindControl(state->window, args[0], message);
    HWND focus = state->window != NULL ? FocusedControl(state->window) : NULL;
    if (control != NULL && focus == control) return true;
    if (GetTickCount() - start >= kSettleMs) {
      if (control != NULL)
        *message = "focus is on " + (focus != NULL ? DescribeControl(focus) : std::string("nothing"));
      return false;
    }
    Sleep(kPollMs);
  }
}

bool CmdExpectRect(DriverState *state, const Words &args, std::string *message) {
  // "*" accepts any value: a static icon control, for one, takes the size
  // of its icon.
  long want[4] = {0, 0, 0, 0};
  bool any[4] = {false, false, false, false};
  for (int i = 0; i < 4; i++) {
    any[i] = args[(size_t)i + 1] == "*";
    if (!any[i] && !ParseNumber(args[(size_t)i + 1], &want[i])) {
      *message = "bad rectangle";
      return false;
    }
  }
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(control, &rect);
  POINT origin = {rect.left, rect.top};
  ScreenToClient(state->window, &origin);
  long got[4] = {origin.x, origin.y, rect.right - rect.left, rect.bottom - rect.top};
  bool same = true;
  for (int i = 0; i < 4; i++) same = same && (any[i] || got[i] == want[i]);
  if (same) return true;
  char text[160];
  snprintf(text, sizeof text, "control %s at %ld,%ld %ldx%ld, expected %s,%s %sx%s", args[0].c_str(),
           got[0], got[1], got[2], got[3], args[1].c_str(), args[2].c_str(), args[3].c_str(),
           args[4].c_str());
  *message = text;
  return false;
}

bool CmdExpectControl(DriverState *state, const Words &args, std::string *message) {
  bool wanted = false;
  if (!ReadFlag(args[1], &wanted, message)) return false;
  std::string ignored;
  bool exists = FindControl(state->window, args[0], &ignored) != NULL;
  if (exists == wanted) return true;
  *message = "control " + args[0] + (exists ? " exists" : " does not exist");
  return false;
}
