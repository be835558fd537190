// Commands about top-level windows: waiting for them, reading message
// boxes, and checking that a window never appeared.
#include <stdio.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/control_input.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/window_search.h"

namespace {

const DWORD kPollMs = 20;
// How long an unexpected message box may stand before expect-msgbox gives
// up waiting for the expected one.
const DWORD kWrongBoxGraceMs = 1500;
const DWORD kIconSettleMs = 5000;

bool ProcessEnded(const DriverState *state) {
  if (state->currentProcess == 0 || state->currentProcess > state->processes.size()) return false;
  return WaitForSingleObject(state->processes[state->currentProcess - 1].process, 0) == WAIT_OBJECT_0;
}

std::string DescribeBox(const MessageBoxView &view) {
  char score[32];
  snprintf(score, sizeof score, "%.2f", view.iconScore);
  return "caption \"" + view.caption + "\", text \"" + view.text + "\", icon " + view.icon +
         " (match " + score + "), buttons " + view.buttons;
}

std::string DescribeTopWindows(DWORD pid) {
  std::string out;
  for (HWND window : ListTopWindows(pid))
    out += " [" + ReadClassName(window) + " \"" + ReadWindowText(window) + "\"]";
  return out.empty() ? " none" : out;
}

HWND FindMessageBox(DWORD pid, const std::string &caption, HWND *other) {
  *other = NULL;
  for (HWND window : ListTopWindows(pid)) {
    if (!IsMessageBox(window)) continue;
    if (ReadWindowText(window) == caption) return window;
    *other = window;
  }
  return NULL;
}

}  // namespace

bool CmdWaitWindow(DriverState *state, const Words &args, std::string *message) {
  DWORD timeoutMs = 0;
  if (!ReadTimeout(state, args, 1, &timeoutMs, message)) return false;
  DWORD start = GetTickCount();
  for (;;) {
    NoteWindows(state);
    for (HWND window : ListTopWindows(CurrentPid(state))) {
      if (!WindowMatches(window, args[0])) continue;
      state->window = window;
      return true;
    }
    if (ProcessEnded(state)) {
      *message = "process ended without showing '" + args[0] + "'";
      return false;
    }
    if (GetTickCount() - start >= timeoutMs) {
      *message = "no window '" + args[0] + "'; windows:" + DescribeTopWindows(CurrentPid(state));
      return false;
    }
    Sleep(kPollMs);
  }
}

bool CmdExpectMsgbox(DriverState *state, const Words &args, std::string *message) {
  const std::string &caption = args[0];
  std::string text = ExpandLineBreaks(args[1]);
  const std::string &icon = args[2];
  std::string buttons;
  if (args.size() > 3 && args[3] != "-" && !NormaliseButtonList(args[3], &buttons)) {
    *message = "bad button list '" + args[3] + "'";
    return false;
  }
  DWORD timeoutMs = 0;
  if (!ReadTimeout(state, args, 4, &timeoutMs, message)) return false;

  DWORD start = GetTickCount(), wrongSince = 0;
  HWND box = NULL, other = NULL;
  for (;;) {
    NoteWindows(state);
    box = FindMessageBox(CurrentPid(state), caption, &other);
    if (box != NULL) break;
    if (other == NULL) wrongSince = 0;
    else if (wrongSince == 0) wrongSince = GetTickCount();
    bool wrongTooLong = wrongSince != 0 && GetTickCount() - wrongSince >= kWrongBoxGraceMs;
    if (wrongTooLong || ProcessEnded(state) || GetTickCount() - start >= timeoutMs) {
      if (other != NULL) {
        MessageBoxView seen;
        ReadMessageBox(other, kIconSettleMs, &seen);
        state->window = other;
        *message = "expected a message box \"" + caption + "\", got " + DescribeBox(seen);
      } else {
        *message = std::string(ProcessEnded(state) ? "process ended" : "timed out") +
                   " without a message box \"" + caption + "\"; windows:" +
                   DescribeTopWindows(CurrentPid(state));
      }
      return false;
    }
    Sleep(kPollMs);
  }
  state->window = box;
  MessageBoxView view;
  ReadMessageBox(box, kIconSettleMs, &view);
  bool ok = view.text == text && (icon == "any" || view.icon == icon) &&
            (buttons.empty() || view.buttons == buttons);
  if (!ok) *message = "message box differs: " + DescribeBox(view) + "; expected text \"" + text +
                      "\", icon " + icon + (buttons.empty() ? "" : ", buttons " + buttons);
  return ok;
}

bool CmdAnswerMsgbox(DriverState *state, const Words &args, std::string *message) {
  int id = MessageBoxButtonId(args[0]);
  if (id == 0) {
    *message = "unknown button '" + args[0] + "'";
    return false;
  }
  HWND button = state->window != NULL ? GetDlgItem(state->window, id) : NULL;
  if (button == NULL || !IsWindowVisible(button)) {
    *message = "the current window has no button '" + args[0] + "'";
    return false;
  }
  SnapshotBeforeAction(state);
  ClickButton(state->window, button);
  return true;
}

bool CmdExpectNoWindow(DriverState *state, const Words &args, std::string *message) {
  DWORD watchMs = 0;
  if (!ReadTimeout(state, args, 1, &watchMs, message)) return false;
  if (args.size() < 2) watchMs = 0;
  DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : ListTopWindows(0)) {
      if (!WindowMatches(window, args[0])) continue;
      *message = "window '" + args[0] + "' is shown";
      return false;
    }
    if (GetTickCount() - start >= watchMs) return true;
    Sleep(kPollMs);
    NoteWindows(state);
  }
}

bool CmdExpectNotSeen(DriverState *state, const Words &args, std::string *message) {
  NoteWindows(state);
  for (const std::string &title : state->seenTitles) {
    if (title != args[0]) continue;
    *message = "window '" + args[0] + "' was shown";
    return false;
  }
  return true;
}

bool CmdExpectNoneSeen(DriverState *state, const Words &, std::string *message) {
  NoteWindows(state);
  if (state->seenTitles.empty()) return true;
  *message = "the process showed a window: '" + state->seenTitles[0] + "'";
  return false;
}

bool CmdExpectClientSize(DriverState *state, const Words &args, std::string *message) {
  long width = 0, height = 0;
  if (!ParseNumber(args[0], &width) || !ParseNumber(args[1], &height)) {
    *message = "bad size";
    return false;
  }
  RECT client = {0, 0, 0, 0};
  if (state->window == NULL || !GetClientRect(state->window, &client)) {
    *message = "no current window";
    return false;
  }
  if (client.right == width && client.bottom == height) return true;
  char text[96];
  snprintf(text, sizeof text, "client area %ldx%ld, expected %ldx%ld", client.right, client.bottom,
           width, height);
  *message = text;
  return false;
}

bool CmdCloseWindow(DriverState *state, const Words &, std::string *message) {
  if (state->window == NULL || !IsWindow(state->window)) {
    *message = "no current window";
    return false;
  }
  SnapshotBeforeAction(state);
  PostMessageA(state->window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

namespace {

BOOL CALLBACK CollectDescendant(HWND window, LPARAM param) {
  ((std::vector<HWND> *)param)->push_back(window);
  return TRUE;
}

}  // namespace

bool CmdWindows(DriverState *state, const Words &, std::string *message) {
  for (HWND window : ListTopWindows(0)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char line[64];
    snprintf(line, sizeof line, "top pid=%lu%s ", pid, window == state->window ? " (current)" : "");
    *message += line + DescribeControl(window) + "\n";
  }
  if (state->window == NULL) return true;
  std::vector<HWND> children;
  EnumChildWindows(state->window, CollectDescendant, (LPARAM)&children);
  for (HWND child : children) *message += "  " + DescribeControl(child) + "\n";
  return true;
}
