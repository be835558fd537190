// A stand-in program for the installer's run-program tasks and finish
// actions: appends one line to C:\e2e\recorded.txt with the moment its
// process was created (so that lines sort by start even when two programs
// write at once), its command line and whether the file named by the
// environment variable E2E_PROBE exists (so a scenario can tell whether it
// ran before or after the product's files), then waits E2E_LINGER
// milliseconds (0 when unset) and ends.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char probe[MAX_PATH] = {0};
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  char stamp[32];
  snprintf(stamp, sizeof stamp, "%010lu%010lu ", created.dwHighDateTime, created.dwLowDateTime);
  std::string line = std::string(stamp) + "command: " + GetCommandLineA();
  if (GetEnvironmentVariableA("E2E_PROBE", probe, sizeof probe) > 0)
    line += GetFileAttributesA(probe) != INVALID_FILE_ATTRIBUTES ? " | probe: present"
                                                                 : " | probe: absent";
  line += "\r\n";
  HANDLE file = CreateFileA("C:\\e2e\\recorded.txt", FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), (DWORD)line.size(), &written, NULL);
  CloseHandle(file);
  char linger[32] = {0};
  if (GetEnvironmentVariableA("E2E_LINGER", linger, sizeof linger) > 0) Sleep((DWORD)atol(linger));
  return 0;
}
