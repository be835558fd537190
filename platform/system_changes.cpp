#include "platform/system_changes.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// How long one window may take to answer a broadcast.
const UINT kBroadcastTimeoutMs = 5000;

void Broadcast(UINT message, LPARAM parameter) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, message, 0, parameter, SMTO_ABORTIFHUNG,
                      kBroadcastTimeoutMs, &answer);
}

}  // namespace

void BroadcastEnvironmentChange() { Broadcast(WM_SETTINGCHANGE, (LPARAM) "Environment"); }

void BroadcastFontChange() { Broadcast(WM_FONTCHANGE, 0); }

int AddFontResourceFile(const std::string &path) { return AddFontResourceA(path.c_str()); }

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL); }

int RequestComputerRestart(bool force) {
  const UINT flags = EWX_REBOOT | (force ? EWX_FORCE : 0);
  OSVERSIONINFOA version;
  ZeroMemory(&version, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    HANDLE token = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
      return 1;
    TOKEN_PRIVILEGES privileges;
    ZeroMemory(&privileges, sizeof privileges);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
      CloseHandle(token);
      return 2;
    }
    const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
    CloseHandle(token);
    if (!adjusted) return 3;
  }
  return ExitWindowsEx(flags, 0) ? 0 : 4;
}
