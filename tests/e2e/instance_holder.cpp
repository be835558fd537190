// A stand-in for a running program, for the running-instances scenarios:
// holds the named mutex given as its first argument and shows a window
// with the title and class of the second and third, until it is ended.
// With a fourth argument it also holds that file open, sharing nothing, as
// a program does with a file it has locked.
//
// usage: e2eholder MUTEX TITLE CLASS [FILE]
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
  HANDLE locked = INVALID_HANDLE_VALUE;
  if (__argc >= 5) {
    locked = CreateFileA(__argv[4], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
    if (locked == INVALID_HANDLE_VALUE) return 1;
  }
  HWND window = CreateWindowA(__argv[3], __argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                              120, NULL, NULL, instance, NULL);
  if (window == NULL) return 1;
  MSG message;
  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
  CloseHandle(mutex);
  return 0;
}
