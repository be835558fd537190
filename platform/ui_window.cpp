#include "platform/ui_window.h"

#include "platform/screen_scale.h"

namespace {

// Resource number of the program's icon.
const int kProgramIconResource = 1;

// The system sizes a drop-down list's selection field from its font; this
// shrinks or grows the field until the closed control is `height` tall
// (a few tries: the system adds its own borders to the field).
void FitClosedListHeight(HWND list, int height) {
  // Kept here rather than read back: some systems report the field's height
  // with a margin added.
  LRESULT field = SendMessageA(list, CB_GETITEMHEIGHT, (WPARAM)-1, 0);
  for (int attempt = 0; attempt < 4 && field != CB_ERR; attempt++) {
    COMBOBOXINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    RECT frame;
    if (!GetWindowRect(list, &frame)) return;
    int closedHeight = frame.bottom - frame.top;
    if (GetComboBoxInfo(list, &info) && info.hwndList != NULL) {
      RECT dropped;
      // Some systems count the opened list in the window's height.
      if (IsWindowVisible(info.hwndList) && GetWindowRect(info.hwndList, &dropped))
        closedHeight -= dropped.bottom - dropped.top;
    }
    int difference = closedHeight - height;
    if (difference == 0 || field - difference <= 0) return;
    field -= difference;
    SendMessageA(list, CB_SETITEMHEIGHT, (WPARAM)-1, (LPARAM)field);
  }
}

}  // namespace

bool RegisterPlainWindowClass(const char *className, WNDPROC procedure) {
  WNDCLASSA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(kProgramIconResource));
  windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  // A class left from an earlier window of this run is as good as a new one.
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateCentredWindow(DWORD exStyle, const char *className, const char *title, DWORD style,
                         int clientWidth, int clientHeight, HWND owner) {
  RECT frame = {0, 0, ToScreenPixels(clientWidth), ToScreenPixels(clientHeight)};
  AdjustWindowRect(&frame, style, FALSE);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateWindowExA(exStyle, className, title, style, x, y, width, height, owner, NULL,
                         GetModuleHandleA(NULL), NULL);
}

HWND CreateChildControl(DWORD exStyle, const char *className, const char *text, DWORD style,
                        int x, int y, int width, int height, HWND parent, int id, HFONT font) {
  return CreateChildControlInPixels(exStyle, className, text, style, ToScreenPixels(x),
                                    ToScreenPixels(y), ToScreenPixels(width),
                                    ToScreenPixels(height), parent, id, font);
}

HWND CreateChildControlInPixels(DWORD exStyle, const char *className, const char *text,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                int id, HFONT font) {
  HWND control = CreateWindowExA(exStyle, className, text != NULL ? text : "",
                                 WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
  if (control != NULL && font != NULL) SendMessageA(control, WM_SETFONT, (WPARAM)font, TRUE);
  return control;
}

HWND CreateFixedWindow(const char *className, const char *title, int clientWidth,
                       int clientHeight) {
  return CreateCentredWindow(0, className, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                             clientWidth, clientHeight, NULL);
}

HWND CreateControl(HWND parent, ControlKind kind, const char *text, int x, int y, int width,
                   int height, int id, HFONT font) {
  const char *className = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case kControlIconImage: style |= SS_ICON | SS_REALSIZECONTROL | SS_CENTERIMAGE; break;
    case kControlLabel: style |= SS_LEFT; break;
    case kControlDropDownList:
      className = "COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case kControlButton:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case kControlDefaultButton:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
      break;
  }
  // A drop-down list's height is the height of its opened list as well.
  int createdHeight = kind == kControlDropDownList ? height + 160 : height;
  HWND control =
      CreateChildControl(0, className, text, style, x, y, width, createdHeight, parent, id, font);
  if (control != NULL && kind == kControlDropDownList)
    FitClosedListHeight(control, ToScreenPixels(height));
  return control;
}

void ShowWindowNow(HWND window) {
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
}

void DestroyWindowHandle(HWND *window) {
  if (window == NULL || *window == NULL) return;
  DestroyWindow(*window);
  *window = NULL;
}

void SetIconImage(HWND control, HICON icon) {
  if (control != NULL && icon != NULL) SendMessageA(control, STM_SETICON, (WPARAM)icon, 0);
}

void AddListEntry(HWND list, const std::string &text) {
  SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)text.c_str());
}

void SelectListEntry(HWND list, int index) { SendMessageA(list, CB_SETCURSEL, (WPARAM)index, 0); }

int SelectedListEntry(HWND list) {
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : (int)index;
}

int ListEntryCount(HWND list) {
  LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : (int)count;
}

std::string ListEntryText(HWND list, int index) {
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, (WPARAM)index, 0);
  if (index < 0 || length == CB_ERR || length < 0) return std::string();
  std::string text((size_t)length + 1, '\0');
  LRESULT copied = SendMessageA(list, CB_GETLBTEXT, (WPARAM)index, (LPARAM)&text[0]);
  if (copied == CB_ERR || copied < 0 || copied > length) return std::string();
  text.resize((size_t)copied);
  return text;
}

uint32_t MillisecondTicks() { return (uint32_t)GetTickCount(); }

uint32_t DoubleClickMilliseconds() { return (uint32_t)GetDoubleClickTime(); }

namespace {

// The context bit of a key message: set while Alt is held.
const LPARAM kAltHeldBit = (LPARAM)1 << 29;
// The previous-state bit: set for the repeats of a key held down.
const LPARAM kRepeatBit = (LPARAM)1 << 30;

UiEventKind KindOf(const MSG &message) {
  if (message.message == WM_QUIT) return kUiEventQuit;
  bool down = message.message == WM_KEYDOWN;
  bool up = message.message == WM_KEYUP;
  // With no control focused, keys come as system keys; only Alt's own
  // combinations (Alt+F4, the menu) are left to the system.
  if ((message.lParam & kAltHeldBit) == 0) {
    down = down || message.message == WM_SYSKEYDOWN;
    up = up || message.message == WM_SYSKEYUP;
  }
  if (!down && !up) return kUiEventOther;
  switch (message.wParam) {
    case VK_RETURN: return down ? kUiEventEnterDown : kUiEventEnterUp;
    case VK_TAB: return down ? kUiEventTabDown : kUiEventOther;
    case VK_ESCAPE:
      return down && (message.lParam & kRepeatBit) == 0 ? kUiEventEscapeDown : kUiEventOther;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: return down ? kUiEventArrowDown : kUiEventOther;
    default: return kUiEventOther;
  }
}

}  // namespace

bool IsBackwardArrow(const UiEvent *event) {
  return event != NULL && (event->message.wParam == VK_UP || event->message.wParam == VK_LEFT);
}

UiEventKind WaitForUiEvent(UiEvent *event) {
  if (event == NULL) return kUiEventQuit;
  BOOL result = GetMessageA(&event->message, NULL, 0, 0);
  if (result == 0 || result == -1) return kUiEventQuit;
  return KindOf(event->message);
}

bool TakeUiEvent(UiEvent *event, UiEventKind *kind) {
  if (event == NULL || !PeekMessageA(&event->message, NULL, 0, 0, PM_REMOVE)) return false;
  *kind = KindOf(event->message);
  return true;
}

void DispatchUiEvent(const UiEvent *event) {
  if (event == NULL) return;
  TranslateMessage(&event->message);
  DispatchMessageA(&event->message);
}
