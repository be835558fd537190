#include "platform/top_windows.h"

#include <windows.h>

namespace {
const int kTextBufferSize = 1024;
}

WindowHandle WalkTopWindows(TopWindowVisitor visitor, void *context) {
  if (visitor == NULL) return NULL;
  for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != NULL;
       window = GetWindow(window, GW_HWNDNEXT)) {
    char title[kTextBufferSize] = {0};
    char className[kTextBufferSize] = {0};
    int titleLength = GetWindowTextA(window, title, kTextBufferSize);
    int classLength = GetClassNameA(window, className, kTextBufferSize);
    std::string titleText(title, titleLength > 0 ? (size_t)titleLength : 0);
    std::string classText(className, classLength > 0 ? (size_t)classLength : 0);
    if (visitor((WindowHandle)window, titleText, classText, context)) return (WindowHandle)window;
  }
  return NULL;
}
