#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/screen_capture.h"
#include "tests/e2e/driver/window_search.h"

namespace {

const CommandSpec kCommands[] = {
    {"start", 1, 64, CmdStart, "start PATH [ARGS...]   start a program; it becomes the current process"},
    {"open-document", 1, 1, CmdOpenDocument, "open-document PATH   open a file as a double click does (the shell, its type's default verb); the program started becomes the current process"},
    {"setenv", 1, 2, CmdSetEnv, "setenv NAME [VALUE]   set (or remove) an environment variable for programs started later"},
    {"proc", 1, 1, CmdProc, "proc N   make the N-th started program current (0: windows of any process)"},
    {"wait-exit", 0, 2, CmdWaitExit, "wait-exit [TIMEOUT_MS] [CODE|any]   wait for the current process to end (exit code 0 unless given)"},
    {"expect-running", 1, 1, CmdExpectRunning, "expect-running 0|1"},
    {"expect-peak-memory", 1, 1, CmdExpectPeakMemory, "expect-peak-memory MIB   the current process's peak memory so far is at most MIB"},
    {"kill", 0, 0, CmdKill, "kill   terminate the current process"},
    {"sleep", 1, 1, CmdSleep, "sleep MS"},
    {"timeout", 1, 1, CmdTimeout, "timeout MS   default timeout of the waiting commands"},
    {"echo", 0, 64, CmdEcho, "echo TEXT..."},
    {"elapsed", 0, 1, CmdElapsed, "elapsed [LABEL]   print the milliseconds since the last start"},
    {"snap", 1, 1, CmdSnap, "snap FILE.bmp   save the screen"},
    {"wait-window", 1, 2, CmdWaitWindow, "wait-window TITLE|class=CLASS|title=TITLE [TIMEOUT_MS]   wait for a top-level window; it becomes current"},
    {"expect-msgbox", 3, 5, CmdExpectMsgbox, "expect-msgbox CAPTION TEXT ICON [BUTTONS|-] [TIMEOUT_MS]   ICON: error|warning|information|question|none|any; BUTTONS e.g. yes,no"},
    {"answer", 1, 1, CmdAnswerMsgbox, "answer ok|cancel|yes|no|abort|retry|ignore   press a button of the current message box"},
    {"expect-no-window", 1, 2, CmdExpectNoWindow, "expect-no-window TITLE|class=CLASS [WATCH_MS]   no such window (any process) during WATCH_MS"},
    {"expect-none-seen", 0, 0, CmdExpectNoneSeen, "expect-none-seen   the current process never showed a window while polled"},
    {"expect-not-seen", 1, 1, CmdExpectNotSeen, "expect-not-seen TITLE   the current process never showed a window with this title while polled"},
    {"expect-client-size", 2, 2, CmdExpectClientSize, "expect-client-size W H   client area of the current window"},
    {"close-window", 0, 0, CmdCloseWindow, "close-window   the title bar's close box (WM_SYSCOMMAND SC_CLOSE) on the current window"},
    {"windows", 0, 0, CmdWindows, "windows   list the top-level windows and the current window's controls"},
    {"click", 1, 1, CmdClick, "click CONTROL   press a button (BM_CLICK)"},
    {"command", 1, 1, CmdCommand, "command CONTROL   post WM_COMMAND BN_CLICKED for the control to its parent"},
    {"mouse-click", 1, 3, CmdMouseClick, "mouse-click CONTROL [X Y]   real mouse click in the control (default: centre)"},
    {"press-key", 1, 1, CmdPressKey, "press-key KEY   key down and up to the focused control (enter, escape, space, tab, up, ...)"},
    {"press-enter", 0, 0, CmdPressEnter, "press-enter   press-key enter"},
    {"type-key", 1, 4, CmdTypeKey, "type-key KEY [shift] [ctrl] [alt]   real keyboard input, as a user types (to whatever has the focus)"},
    {"double-click", 1, 1, CmdDoubleClick, "double-click CONTROL   real mouse double-click at the control's centre"},
    {"key-down", 1, 1, CmdKeyDown, "key-down KEY"},
    {"key-up", 1, 1, CmdKeyUp, "key-up KEY"},
    {"set-check", 2, 2, CmdSetCheck, "set-check CONTROL 0|1   click the box until it has this state"},
    {"select-list", 2, 2, CmdSelectList, "select-list CONTROL INDEX|text=ITEM   select in a combo or list box and notify"},
    {"set-text", 2, 2, CmdSetText, "set-text CONTROL TEXT"},
    {"get-text", 1, 1, CmdGetText, "get-text CONTROL   print the control's text"},
    {"expect-text", 2, 2, CmdExpectText, "expect-text CONTROL TEXT   (<br> stands for a line break)"},
    {"expect-text-contains", 2, 2, CmdExpectTextContains, "expect-text-contains CONTROL TEXT"},
    {"expect-visible", 2, 2, CmdExpectVisible, "expect-visible CONTROL 0|1"},
    {"expect-enabled", 2, 2, CmdExpectEnabled, "expect-enabled CONTROL 0|1"},
    {"expect-checked", 2, 2, CmdExpectChecked, "expect-checked CONTROL 0|1|2"},
    {"expect-focus", 1, 1, CmdExpectFocus, "expect-focus CONTROL"},
    {"expect-items", 2, 2, CmdExpectItems, "expect-items CONTROL \"A|B|C\"   items of a combo or list box"},
    {"expect-selected", 2, 2, CmdExpectSelected, "expect-selected CONTROL INDEX|text=ITEM"},
    {"expect-rect", 5, 5, CmdExpectRect, "expect-rect CONTROL X Y W H   position in the current window's client area (* for any)"},
    {"expect-control", 2, 2, CmdExpectControl, "expect-control CONTROL 0|1   the control exists"},
    {"expect-texts-fit", 0, 16, CmdExpectTextsFit, "expect-texts-fit [CONTROL=normal|title|small|link ...]   every shown control's text fits it, measured in its font (normal unless named)"},
    {"expect-tooltip", 2, 2, CmdExpectTooltip, "expect-tooltip CONTROL TEXT   the control's tooltip shows TEXT"},
    {"tree-click", 3, 3, CmdTreeClick, "tree-click CONTROL ROW icon|text   real mouse click on a shown row's icon or text (rows from 0)"},
    {"tree-hover", 2, 2, CmdTreeHover, "tree-hover CONTROL ROW   move the mouse pointer over a shown row's text"},
    {"expect-tree-images", 2, 2, CmdExpectTreeImages, "expect-tree-images CONTROL I,J,...   image indexes of all shown rows"},
    {"expect-link", 6, 6, CmdExpectLink, "expect-link PATH TARGET ARGUMENTS FOLDER ICON INDEX   a shell link read back through the link object (* for any)"},
    {"file-exists", 2, 2, CmdFileExists, "file-exists PATH 0|1   (%VAR% expanded)"},
    {"wait-file", 1, 2, CmdWaitFile, "wait-file PATH [TIMEOUT_MS]   wait until a file exists (%VAR% expanded)"},
    {"glob-count", 2, 2, CmdGlobCount, "glob-count PATTERN N   files matching a wildcard pattern"},
    {"glob-save", 1, 1, CmdGlobSave, "glob-save PATTERN   remember the matching files' names, sizes and times"},
    {"glob-same", 1, 1, CmdGlobSame, "glob-same PATTERN   the matching files are those remembered, unchanged"},
};

}  // namespace

const CommandSpec *FindCommand(const std::string &name) {
  for (const CommandSpec &spec : kCommands)
    if (name == spec.name) return &spec;
  return NULL;
}

void PrintCommandUsage() {
  for (const CommandSpec &spec : kCommands) printf("  %s\n", spec.usage);
}

DWORD CurrentPid(const DriverState *state) {
  if (state->currentProcess == 0 || state->currentProcess > state->processes.size()) return 0;
  return state->processes[state->currentProcess - 1].pid;
}

bool ReadTimeout(const DriverState *state, const Words &args, size_t index, DWORD *timeoutMs,
                 std::string *message) {
  *timeoutMs = state->timeoutMs;
  if (index >= args.size()) return true;
  long value = 0;
  if (!ParseNumber(args[index], &value) || value < 0) {
    *message = "bad timeout '" + args[index] + "'";
    return false;
  }
  *timeoutMs = (DWORD)value;
  return true;
}

void NoteWindows(DriverState *state) {
  for (HWND window : ListTopWindows(CurrentPid(state))) {
    std::string title = ReadWindowText(window);
    bool known = false;
    for (const std::string &seen : state->seenTitles) known = known || seen == title;
    if (!known) state->seenTitles.push_back(title);
  }
}

void NotePressHandled(DriverState *state) {
  if (!state->pressPending) return;
  state->pressPending = false;
  HWND window = state->lastPressWindow;
  if (window == NULL || !IsWindow(window)) return;
  // A thread takes sent messages before posted ones: the first round trip
  // returns when the posted press is next in line, the second once its
  // handler has returned or opened a loop of its own (a question, the
  // installation's progress).
  for (int i = 0; i < 2; i++) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, NULL);
  state->lastPressTick = GetTickCount();
}

void SnapshotBeforeAction(DriverState *state) {
  if (!state->snapshotPath.empty()) SaveScreenBmp(state->snapshotPath);
}

bool ReadFlag(const std::string &word, bool *flag, std::string *message) {
  if (word != "0" && word != "1") {
    *message = "expected 0 or 1, not '" + word + "'";
    return false;
  }
  *flag = word == "1";
  return true;
}
