#include "platform/controls.h"

#include <commctrl.h>

#include <vector>

#include "platform/screen_scale.h"
#include "platform/ui_window.h"

namespace {

const char kPageClass[] = "QuorvantisWizardPage";
const char kWhitePageClass[] = "QuorvantisWizardWhitePage";

// The container's notifications belong to the wizard window.
LRESULT CALLBACK PageContainerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HWND parent = GetParent(window);
      if (parent != NULL) return SendMessageA(parent, message, wParam, lParam);
      break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterContainerClass(const char *name, HBRUSH background) {
  WNDCLASSA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = PageContainerProcedure;
  windowClass.hInstance = GetModuleHandleA(NULL);
  windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool RegisterPageContainerClasses() {
  bool grey = RegisterContainerClass(kPageClass, (HBRUSH)(COLOR_BTNFACE + 1));
  bool white = RegisterContainerClass(kWhitePageClass, (HBRUSH)GetStockObject(WHITE_BRUSH));
  return grey && white;
}

HWND CreatePageContainer(HWND parent, int x, int y, int width, int height, int id, bool white) {
  // The container paints its background under its controls too: a frame
  // control draws only its border and caption.
  return CreateChildControl(WS_EX_CONTROLPARENT, white ? kWhitePageClass : kPageClass, "",
                   WS_CLIPSIBLINGS, x, y, width, height, parent, id, NULL);
}

HWND CreateOwnedFixedWindow(const char *className, const char *title, int clientWidth,
                            int clientHeight, HWND owner) {
  return CreateCentredWindow(WS_EX_CONTROLPARENT, className, title,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                 WS_CLIPCHILDREN,
                             clientWidth, clientHeight, owner);
}

HWND CreateCheckBoxControl(HWND parent, const char *text, int x, int y, int width, int height,
                           int id, HFONT font) {
  return CreateChildControl(0, "BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, width, height, parent,
                   id, font);
}

HWND CreateOptionControl(HWND parent, const char *text, int x, int y, int width, int height,
                         int id, HFONT font, bool firstOfGroup) {
  DWORD style = WS_TABSTOP | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP : 0);
  return CreateChildControl(0, "BUTTON", text, style, x, y, width, height, parent, id, font);
}

HWND CreateListBoxControl(HWND parent, int x, int y, int width, int height, int id, HFONT font) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  return CreateChildControl(WS_EX_CLIENTEDGE, "LISTBOX", "", style, x, y, width, height, parent, id, font);
}

void RegisterCommonControlClasses() {
  INITCOMMONCONTROLSEX classes;
  ZeroMemory(&classes, sizeof classes);
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);
}

HWND CreateProgressControl(HWND parent, int x, int y, int width, int height, int id) {
  HWND bar = CreateChildControl(0, PROGRESS_CLASSA, "", PBS_SMOOTH, x, y, width, height, parent, id, NULL);
  if (bar != NULL) SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  return bar;
}

void SetProgressPosition(HWND bar, int percent) {
  if (bar != NULL) SendMessageA(bar, PBM_SETPOS, (WPARAM)percent, 0);
}

HWND CreateLineControl(HWND parent, int x, int y, int width, int height, int id) {
  // The system trims the control to the height of its groove.
  return CreateChildControl(0, "STATIC", "", SS_ETCHEDHORZ, x, y, width, height, parent, id, NULL);
}

HWND CreateLinkControl(HWND parent, const char *text, int x, int y, int width, int height, int id,
                       HFONT font) {
  return CreateChildControl(0, "STATIC", text, SS_NOTIFY | SS_NOPREFIX, x, y, width, height, parent, id,
                   font);
}

HFONT CreateUnderlinedFont(HFONT font) {
  LOGFONTA description;
  ZeroMemory(&description, sizeof description);
  if (font == NULL || GetObjectA(font, sizeof description, &description) == 0) return NULL;
  description.lfUnderline = TRUE;
  return CreateFontIndirectA(&description);
}

void SetControlVisible(HWND control, bool visible) {
  if (control != NULL) ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

void SetControlEnabled(HWND control, bool enabled) {
  if (control != NULL) EnableWindow(control, enabled ? TRUE : FALSE);
}

bool IsControlVisible(HWND control) {
  return control != NULL && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsControlEnabled(HWND control) { return control != NULL && IsWindowEnabled(control); }

void MoveControl(HWND control, int x, int y, int width, int height) {
  PlaceControlInPixels(control, ToScreenPixels(x), ToScreenPixels(y), ToScreenPixels(width),
                       ToScreenPixels(height));
}

void PlaceControlInPixels(HWND control, int x, int y, int width, int height) {
  if (control != NULL) MoveWindow(control, x, y, width, height, TRUE);
}

bool IsBoxChecked(HWND box) {
  return box != NULL && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetBoxChecked(HWND box, bool checked) {
  if (box != NULL) SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void AddListBoxRow(HWND list, const std::string &text) {
  if (list != NULL) SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)text.c_str());
}

std::string SelectedListBoxText(HWND list) {
  if (list == NULL) return std::string();
  LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return std::string();
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)row, 0);
  if (length == LB_ERR || length < 0) return std::string();
  std::vector<char> buffer((size_t)length + 1, '\0');
  LRESULT copied = SendMessageA(list, LB_GETTEXT, (WPARAM)row, (LPARAM)buffer.data());
  if (copied == LB_ERR || copied < 0 || copied > length) return std::string();
  return std::string(buffer.data(), (size_t)copied);
}

int ControlIdOf(HWND control) { return control != NULL ? GetDlgCtrlID(control) : 0; }

void RedrawControl(HWND control) {
  if (control != NULL) InvalidateRect(control, NULL, TRUE);
}

HWND WindowUnderCursor() {
  POINT point = {0, 0};
  if (!GetCursorPos(&point)) return NULL;
  return WindowFromPoint(point);
}

void ShowHandCursor() { SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_HAND)); }

HBRUSH PaintStaticColours(HDC dc, COLORREF textColour, HBRUSH background) {
  SetTextColor(dc, textColour);
  if (background == NULL) {
    SetBkMode(dc, TRANSPARENT);
    return (HBRUSH)GetStockObject(NULL_BRUSH);
  }
  SetBkMode(dc, OPAQUE);
  LOGBRUSH fill;
  if (GetObjectA(background, sizeof fill, &fill) != 0) SetBkColor(dc, fill.lbColor);
  return background;
}

HBRUSH WhiteStockBrush() { return (HBRUSH)GetStockObject(WHITE_BRUSH); }

HBRUSH ButtonFaceBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

COLORREF ButtonTextColour() { return GetSysColor(COLOR_BTNTEXT); }
