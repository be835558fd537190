#include "tests/e2e/driver/message_box.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "tests/e2e/driver/screen_capture.h"
#include "tests/e2e/driver/window_search.h"

namespace {

// The static control that holds the text: ID 0xFFFF (-1 as a WORD).
const char kTextControl[] = "0xFFFF";
// Below this share of matching pixels the icon counts as unknown.
const double kIconMatchThreshold = 0.9;
const int kChannelTolerance = 24;

struct ButtonName {
  int id;
  const char *name;
};

const ButtonName kButtons[] = {{IDOK, "ok"},       {IDCANCEL, "cancel"},   {IDABORT, "abort"},
                               {IDRETRY, "retry"}, {IDIGNORE, "ignore"},   {IDYES, "yes"},
                               {IDNO, "no"},       {IDHELP, "help"},       {10, "tryagain"},
                               {11, "continue"}};

struct SystemIcon {
  LPCSTR resource;
  const char *name;
};

const SystemIcon kSystemIcons[] = {{IDI_HAND, "error"},
                                   {IDI_EXCLAMATION, "warning"},
                                   {IDI_ASTERISK, "information"},
                                   {IDI_QUESTION, "question"}};

struct ChildList {
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  ((ChildList *)param)->windows.push_back(window);
  return TRUE;
}

HWND FindIconControl(HWND box) {
  ChildList children;
  EnumChildWindows(box, CollectChild, (LPARAM)&children);
  for (HWND child : children.windows) {
    if (_stricmp(ReadClassName(child).c_str(), "Static") != 0) continue;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) return child;
  }
  return NULL;
}

bool Close(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    int ca = (int)((a >> shift) & 0xFF), cb = (int)((b >> shift) & 0xFF);
    if (abs(ca - cb) > kChannelTolerance) return false;
  }
  return true;
}

// Share of the icon's opaque pixels (equal when drawn over black and over
// white) that the screen shows in the same colour.
double MatchShare(const Pixels &screen, HICON icon) {
  Pixels overBlack, overWhite;
  if (!RenderIcon(icon, screen.width, screen.height, RGB(0, 0, 0), &overBlack) ||
      !RenderIcon(icon, screen.width, screen.height, RGB(255, 255, 255), &overWhite))
    return 0.0;
  size_t opaque = 0, matching = 0;
  for (size_t i = 0; i < screen.data.size(); i++) {
    if (overBlack.data[i] != overWhite.data[i]) continue;
    opaque++;
    if (Close(screen.data[i], overBlack.data[i])) matching++;
  }
  return opaque == 0 ? 0.0 : (double)matching / (double)opaque;
}

std::string IconByPixels(HWND control, double *score) {
  RECT area = {0, 0, 0, 0};
  GetWindowRect(control, &area);
  Pixels screen;
  *score = 0.0;
  if (!CaptureScreen(area, &screen)) return "unknown";
  std::string best = "unknown";
  for (const SystemIcon &candidate : kSystemIcons) {
    double share = MatchShare(screen, LoadIconA(NULL, candidate.resource));
    if (share > *score) {
      *score = share;
      best = candidate.name;
    }
  }
  return *score >= kIconMatchThreshold ? best : "unknown";
}

std::string ReadIcon(HWND box, DWORD settleMs, double *score) {
  *score = 0.0;
  HWND control = FindIconControl(box);
  if (control == NULL) return "none";
  DWORD_PTR handle = 0;
  SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 3000, &handle);
  if (handle == 0) return "none";
  for (const SystemIcon &candidate : kSystemIcons) {
    if ((HICON)handle == LoadIconA(NULL, candidate.resource)) {
      *score = 1.0;
      return candidate.name;
    }
  }
  SetForegroundWindow(box);
  BringWindowToTop(box);
  DWORD start = GetTickCount();
  std::string name;
  for (;;) {
    name = IconByPixels(control, score);
    if (name != "unknown" || GetTickCount() - start >= settleMs) break;
    Sleep(50);
  }
  return name;
}

const char *ButtonNameOf(int id) {
  for (const ButtonName &button : kButtons)
    if (button.id == id) return button.name;
  return NULL;
}

}  // namespace

bool IsMessageBox(HWND window) {
  if (ReadClassName(window) != "#32770") return false;
  std::string error;
  return FindControl(window, kTextControl, &error) != NULL;
}

void ReadMessageBox(HWND window, DWORD settleMs, MessageBoxView *view) {
  view->caption = ReadWindowText(window);
  std::string error;
  HWND text = FindControl(window, kTextControl, &error);
  view->text = text != NULL ? ReadWindowText(text) : "";
  view->icon = ReadIcon(window, settleMs, &view->iconScore);
  view->buttons.clear();
  for (const ButtonName &button : kButtons) {
    HWND control = GetDlgItem(window, button.id);
    if (control == NULL || !IsWindowVisible(control)) continue;
    if (!view->buttons.empty()) view->buttons += ",";
    view->buttons += button.name;
  }
}

int MessageBoxButtonId(const std::string &name) {
  for (const ButtonName &button : kButtons)
    if (_stricmp(button.name, name.c_str()) == 0) return button.id;
  return 0;
}

bool NormaliseButtonList(const std::string &list, std::string *out) {
  std::vector<int> ids;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    std::string name = list.substr(start, comma - start);
    int id = MessageBoxButtonId(name);
    if (id == 0) return false;
    ids.push_back(id);
    start = comma + 1;
  }
  out->clear();
  for (const ButtonName &button : kButtons) {
    for (int id : ids) {
      if (id != button.id) continue;
      if (!out->empty()) *out += ",";
      *out += ButtonNameOf(id);
      break;
    }
  }
  return true;
}
