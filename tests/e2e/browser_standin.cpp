// A stand-in web browser for the scenarios that open a web page: shows the
// command line it was started with and its working folder in a message box
// titled "Stand-in browser", so that the UI driver can read both.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH + 1] = {0};
  DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) folder[0] = '\0';
  std::string text = std::string("command: ") + GetCommandLineA() + "\r\nfolder: " + folder;
  MessageBoxA(NULL, text.c_str(), "Stand-in browser", MB_OK | MB_ICONINFORMATION);
  return 0;
}
