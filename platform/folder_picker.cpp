#include "platform/folder_picker.h"

#include <shlobj.h>

namespace {

// Opens the picker at the start folder once it has made its tree.
int CALLBACK PickerEvent(HWND picker, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0)
    SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

bool PickFolder(HWND owner, const std::string &title, const std::string &startFolder,
                std::string *chosen) {
  if (chosen == NULL) return false;
  char display[MAX_PATH + 1] = {0};
  BROWSEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = PickerEvent;
  // The picker finds "C:\App" but not "C:\App\"; a drive root keeps its "\".
  std::string start = startFolder;
  if (start.size() > 3 && start[start.size() - 1] == '\\') start.resize(start.size() - 1);
  info.lParam = start.empty() ? 0 : (LPARAM)start.c_str();
  bool ok = false;
  // S_FALSE (already initialised on this thread) is balanced by
  // CoUninitialize too; a failure, such as another threading model, is not.
  bool comStarted = SUCCEEDED(CoInitialize(NULL));
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (item != NULL) {
    // MAX_PATH is what SHGetPathFromIDListA may write, plus its terminator.
    char path[MAX_PATH + 1] = {0};
    if (SHGetPathFromIDListA(item, path)) {
      path[MAX_PATH] = '\0';
      *chosen = path;
      ok = true;
    }
    CoTaskMemFree(item);
  }
  if (comStarted) CoUninitialize();
  return ok;
}
