// A stand-in for a running program, for the running-instances scenarios:
// holds the named mutex given as its first argument and shows a window
// with the title and class of the second and third, until it is ended.
//
// usage: e2eholder MUTEX TITLE CLASS
#include <windows.h>

#include <stdlib.h>

namespace {

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 4) return 2;
  HANDLE mutex = CreateMutexA(NULL, TRUE, __argv[1]);
  WNDCLASSA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = HolderProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = __argv[3];
  windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  if (mutex == NULL || !RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowA(__argv[3], __argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                              120, NULL, NULL, instance, NULL);
  if (window == NULL) return 1;
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  CloseHandle(mutex);
  return 0;
}
