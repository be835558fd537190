// Commands for tree controls in another process: rows are counted in the
// order they are shown (expanded rows only), 0 for the first.
//
// The tree's item rectangle and image live in structures the tree fills in
// its own process, so they are exchanged through memory allocated there.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/control_input.h"
#include "tests/e2e/driver/window_search.h"

namespace {

HTREEITEM VisibleRow(HWND tree, long index) {
  // Counted from the root, so that a scrolled tree counts the same.
  DWORD_PTR item = 0;
  SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_ABORTIFHUNG, 3000, &item);
  for (long i = 0; i < index && item != 0; i++)
    SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, (LPARAM)item, SMTO_ABORTIFHUNG,
                        3000, &item);
  return (HTREEITEM)item;
}

// Memory of `size` bytes in the tree's process, filled from and read back
// into `local` around one message.
bool ExchangeWithTree(HWND tree, UINT message, WPARAM wParam, void *local, SIZE_T size,
                      LRESULT *result) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tree, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == NULL) return false;
  bool ok = false;
  void *remote = VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote != NULL) {
    SIZE_T moved = 0;
    DWORD_PTR answer = 0;
    if (WriteProcessMemory(process, remote, local, size, &moved) && moved == size &&
        SendMessageTimeoutA(tree, message, wParam, (LPARAM)remote, SMTO_ABORTIFHUNG, 3000,
                            &answer) != 0 &&
        ReadProcessMemory(process, remote, local, size, &moved) && moved == size) {
      ok = true;
      if (result != NULL) *result = (LRESULT)answer;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return ok;
}

// The tree and row named by args[0] and args[1].
bool FindRow(DriverState *state, const Words &args, HWND *tree, HTREEITEM *row,
             std::string *message) {
  long index = -1;
  *tree = FindControl(state->window, args[0], message);
  if (*tree == NULL) return false;
  if (!ParseNumber(args[1], &index) || index < 0) {
    *message = "bad row '" + args[1] + "'";
    return false;
  }
  *row = VisibleRow(*tree, index);
  if (*row == NULL) {
    *message = "no row " + args[1];
    return false;
  }
  // A row scrolled out of the tree has no place to click: scroll it in.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(*tree, TVM_ENSUREVISIBLE, 0, (LPARAM)*row, SMTO_ABORTIFHUNG, 3000, &ignored);
  return true;
}

// The rectangle of the row's text in the tree's client area.
bool RowTextRect(HWND tree, HTREEITEM row, RECT *rect) {
  // The message takes the row's handle in the rectangle's first bytes.
  RECT exchange;
  memset(&exchange, 0, sizeof exchange);
  memcpy(&exchange, &row, sizeof row);
  LRESULT result = 0;
  if (!ExchangeWithTree(tree, TVM_GETITEMRECT, TRUE, &exchange, sizeof exchange, &result) ||
      result == 0)
    return false;
  *rect = exchange;
  return true;
}

// Moves the pointer to the screen point with real input and waits until it
// stays there (under Wine the host pointer follows a little later).
bool MouseMove(HWND top, int x, int y) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 1 || height <= 1) return false;
  DWORD front = GetTickCount();
  while (GetForegroundWindow() != top && GetTickCount() - front < 1000) {
    SetForegroundWindow(top);
    Sleep(20);
  }
  Sleep(50);
  INPUT input;
  memset(&input, 0, sizeof input);
  input.type = INPUT_MOUSE;
  input.mi.dx = (LONG)(((LONGLONG)x * 65535 + width / 2) / (width - 1));
  input.mi.dy = (LONG)(((LONGLONG)y * 65535 + height / 2) / (height - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  DWORD start = GetTickCount();
  int steady = 0;
  while (steady < 3 && GetTickCount() - start < 2000) {
    POINT now = {0, 0};
    GetCursorPos(&now);
    if (now.x == x && now.y == y) {
      steady++;
    } else {
      steady = 0;
      SendInput(1, &input, sizeof(INPUT));
    }
    Sleep(40);
  }
  return steady >= 3;
}

// The image indexes of every shown row, joined by ",". False when one
// cannot be read.
bool ShownImages(HWND tree, std::string *seen) {
  seen->clear();
  for (long index = 0;; index++) {
    HTREEITEM row = VisibleRow(tree, index);
    if (row == NULL) return true;
    TVITEMA item;
    ZeroMemory(&item, sizeof item);
    item.mask = TVIF_HANDLE | TVIF_IMAGE;
    item.hItem = row;
    if (!ExchangeWithTree(tree, TVM_GETITEMA, 0, &item, sizeof item, NULL)) return false;
    char digits[16];
    snprintf(digits, sizeof digits, "%d", item.iImage);
    *seen += seen->empty() ? digits : std::string(",") + digits;
  }
}

}  // namespace

bool CmdTreeClick(DriverState *state, const Words &args, std::string *message) {
  HWND tree = NULL;
  HTREEITEM row = NULL;
  if (!FindRow(state, args, &tree, &row, message)) return false;
  bool icon = args[2] == "icon";
  if (!icon && args[2] != "text") {
    *message = "expected icon or text, not '" + args[2] + "'";
    return false;
  }
  RECT text;
  if (!RowTextRect(tree, row, &text)) {
    *message = "the row's rectangle cannot be read";
    return false;
  }
  // The 16-pixel icon ends just left of the text.
  int x = icon ? text.left - 10 : text.left + 6;
  int y = (text.top + text.bottom) / 2;
  SnapshotBeforeAction(state);
  if (MouseClick(state->window, tree, x, y)) return true;
  *message = "mouse input failed";
  return false;
}

bool CmdTreeHover(DriverState *state, const Words &args, std::string *message) {
  HWND tree = NULL;
  HTREEITEM row = NULL;
  if (!FindRow(state, args, &tree, &row, message)) return false;
  RECT text;
  if (!RowTextRect(tree, row, &text)) {
    *message = "the row's rectangle cannot be read";
    return false;
  }
  POINT point = {text.left + 6, (text.top + text.bottom) / 2};
  ClientToScreen(tree, &point);
  SnapshotBeforeAction(state);
  if (MouseMove(state->window, point.x, point.y)) return true;
  POINT now = {0, 0};
  GetCursorPos(&now);
  char report[96];
  snprintf(report, sizeof report, "the pointer stays at %ld,%ld, not at %ld,%ld", now.x, now.y,
           point.x, point.y);
  *message = report;
  return false;
}

// The program redraws after the click has been handled: the images are
// read again until they match or the timeout passes.
bool CmdExpectTreeImages(DriverState *state, const Words &args, std::string *message) {
  HWND tree = FindControl(state->window, args[0], message);
  if (tree == NULL) return false;
  std::string seen;
  DWORD start = GetTickCount();
  do {
    if (!ShownImages(tree, &seen)) {
      *message = "a row's image cannot be read";
      return false;
    }
    if (seen == args[1]) return true;
    Sleep(50);
  } while (GetTickCount() - start < state->timeoutMs);
  *message = "images " + seen + ", expected " + args[1];
  return false;
}
