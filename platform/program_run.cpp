#include "platform/program_run.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

namespace {

// How long a wait with a callback sleeps at most before calling it again.
const DWORD kWaitSliceMs = 250;

// CreateProcessA may write into the command line, so it gets a copy.
std::vector<char> WritableCopy(const std::string &text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return copy;
}

const char *FolderOrNull(const std::string &folder) {
  return folder.empty() ? NULL : folder.c_str();
}

bool Started(BOOL created, PROCESS_INFORMATION *info, ProcessHandle *process) {
  if (!created) return false;
  CloseHandle(info->hThread);
  *process = (ProcessHandle)info->hProcess;
  return true;
}

}  // namespace

bool StartProgramDirectly(const std::string &applicationPath, const std::string &commandLine,
                          const std::string &currentFolder, bool hidden, ProcessHandle *process) {
  if (process == NULL) return false;
  *process = NULL;
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  GetStartupInfoA(&startup);
  startup.cb = sizeof startup;
  // The show value counts only with this flag, which the installer's own
  // start-up information may lack; without it a hidden program would show.
  startup.dwFlags |= STARTF_USESHOWWINDOW;
  startup.wShowWindow = (WORD)(hidden ? SW_HIDE : SW_SHOW);
  std::vector<char> line = WritableCopy(commandLine);
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  return Started(CreateProcessA(applicationPath.c_str(), line.data(), NULL, NULL, TRUE, 0, NULL,
                                FolderOrNull(currentFolder), &startup, &info),
                 &info, process);
}

bool StartThroughShell(const std::string &file, const std::string &parameters,
                       const std::string &directory, bool hidden, ProcessHandle *process) {
  if (process == NULL) return false;
  *process = NULL;
  // Shell extensions that a default action reaches may need COM on this
  // thread.
  const HRESULT initialised = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  // The installer's tasks and finish actions fail silently: no box of the
  // shell's own about a file type without a program.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = FolderOrNull(directory);
  info.nShow = hidden ? SW_HIDE : SW_SHOW;
  const bool ok = ShellExecuteExA(&info) != 0;
  if (ok) *process = (ProcessHandle)info.hProcess;
  if (SUCCEEDED(initialised)) CoUninitialize();
  return ok;
}

bool StartCommandLine(const std::string &commandLine, ProcessHandle *process) {
  if (process == NULL) return false;
  *process = NULL;
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  std::vector<char> line = WritableCopy(commandLine);
  PROCESS_INFORMATION info;
  ZeroMemory(&info, sizeof info);
  return Started(CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                &info),
                 &info, process);
}

void WaitForProcessEnd(ProcessHandle process, ProcessWaitCallback callback, void *context) {
  if (process == NULL) return;
  HANDLE handle = (HANDLE)process;
  if (callback == NULL) {
    WaitForSingleObject(handle, INFINITE);
    return;
  }
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &handle, FALSE, kWaitSliceMs, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
    callback(context);
  }
}

bool ReadProcessExitCode(ProcessHandle process, uint32_t *exitCode) {
  DWORD code = 0;
  if (process == NULL || exitCode == NULL || !GetExitCodeProcess((HANDLE)process, &code) ||
      code == STILL_ACTIVE) {
    return false;
  }
  *exitCode = code;
  return true;
}

void CloseProcessHandle(ProcessHandle *process) {
  if (process == NULL || *process == NULL) return;
  CloseHandle((HANDLE)*process);
  *process = NULL;
}

void ProcessPendingWindowEvents() {
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    // The quit request belongs to the thread's own loop: put it back.
    if (message.message == WM_QUIT) {
      PostQuitMessage((int)message.wParam);
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
