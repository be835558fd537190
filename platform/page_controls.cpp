#include "platform/page_controls.h"

#include <vector>

#include "platform/drawing.h"
#include "platform/screen_scale.h"
#include "platform/ui_window.h"

namespace {

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
  ChildSearch *search = (ChildSearch *)data;
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  ((std::vector<HWND> *)data)->push_back(child);
  return TRUE;
}

}  // namespace

HWND CreateFrameControl(HWND parent, const char *text, int x, int y, int width, int height,
                        int id, HFONT font) {
  return CreateChildControl(0, "BUTTON", text, BS_GROUPBOX, x, y, width, height, parent, id, font);
}

HWND CreateEditFieldControl(HWND parent, const char *text, int x, int y, int width, int height,
                            int id, HFONT font) {
  return CreateChildControl(WS_EX_CLIENTEDGE, "EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL, x, y, width,
                   height, parent, id, font);
}

HWND CreateBitmapControl(HWND parent, BitmapHandle bitmap, int x, int y, int width, int height,
                         int id) {
  int boxWidth = ToScreenPixels(width), boxHeight = ToScreenPixels(height);
  int bitmapWidth = 0, bitmapHeight = 0;
  BitmapHandle shown = bitmap;
  // A picture of another size than its box (a high resolution, or a
  // vendor's bitmap made to other measures) is stretched smoothly into the
  // box; the stretched copy lives as long as the control, which is the
  // rest of the run.
  if (BitmapSize(bitmap, &bitmapWidth, &bitmapHeight) &&
      (bitmapWidth != boxWidth || bitmapHeight != boxHeight)) {
    BitmapHandle stretched = StretchBitmap(bitmap, boxWidth, boxHeight);
    if (stretched != NULL) shown = stretched;
  }
  HWND control = CreateChildControlInPixels(0, "STATIC", "", SS_BITMAP, ToScreenPixels(x),
                                            ToScreenPixels(y), boxWidth, boxHeight, parent, id,
                                            NULL);
  if (control != NULL && shown != NULL)
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)shown);
  return control;
}

HWND FillWithBitmap(HWND window, BitmapHandle bitmap, int id) {
  RECT client = {0, 0, 0, 0};
  if (window == NULL || !GetClientRect(window, &client)) return NULL;
  HWND control = CreateChildControlInPixels(0, "STATIC", "", SS_BITMAP, 0, 0, client.right,
                                            client.bottom, window, id, NULL);
  if (control != NULL && bitmap != NULL)
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
  return control;
}

std::string ReadControlText(HWND control) {
  if (control == NULL) return std::string();
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> buffer((size_t)length + 1, '\0');
  int copied = GetWindowTextA(control, buffer.data(), length + 1);
  if (copied < 0 || copied > length) copied = 0;
  return std::string(buffer.data(), (size_t)copied);
}

void SetControlText(HWND control, const std::string &text) {
  if (control != NULL) SetWindowTextA(control, text.c_str());
}

void SetControlTextIfChanged(HWND control, const std::string &text) {
  if (control != NULL && ReadControlText(control) != text) SetWindowTextA(control, text.c_str());
}

HWND FindControlById(HWND parent, int id) {
  if (parent == NULL) return NULL;
  // The buttons below the pages are direct children: found without a walk.
  // The control numbers are unique throughout the window.
  HWND direct = GetDlgItem(parent, id);
  if (direct != NULL) return direct;
  ChildSearch search = {id, NULL};
  // EnumChildWindows walks grandchildren too, so a control inside a page
  // container is found from the wizard window.
  EnumChildWindows(parent, MatchChild, (LPARAM)&search);
  return search.found;
}

std::vector<HWND> ListChildControls(HWND parent) {
  std::vector<HWND> children;
  if (parent != NULL) EnumChildWindows(parent, CollectChild, (LPARAM)&children);
  return children;
}

HWND TopLevelWindowOf(HWND control) {
  return control != NULL ? GetAncestor(control, GA_ROOT) : NULL;
}
