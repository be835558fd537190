#include "platform/system_changes.h"

#include <windows.h>

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
