#include "platform/process_handoff.h"

#include <windows.h>
#include <shellapi.h>

// The 32-bit record the shell expects has 60 bytes; the 64-bit one is larger.
static_assert(sizeof(void *) != 4 || sizeof(SHELLEXECUTEINFOA) == 60,
              "unexpected SHELLEXECUTEINFOA layout");

namespace {

HANDLE ToWin32(HandoffHandle handle) { return (HANDLE)handle; }

SECURITY_ATTRIBUTES Inheritable() {
  SECURITY_ATTRIBUTES attributes;
  ZeroMemory(&attributes, sizeof attributes);
  attributes.nLength = sizeof attributes;
  attributes.bInheritHandle = TRUE;
  return attributes;
}

}  // namespace

uint64_t HandoffNumber(HandoffHandle handle) { return (uint64_t)(uintptr_t)handle; }

HandoffHandle HandoffFromNumber(uint64_t number) {
  // A number too large for this process's handles names none.
  if ((uint64_t)(uintptr_t)number != number) return NULL;
  return (HandoffHandle)(uintptr_t)number;
}

HandoffHandle InheritableOwnProcess() {
  HANDLE copy = NULL;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &copy,
                       SYNCHRONIZE, TRUE, 0)) {
    return NULL;
  }
  return (HandoffHandle)copy;
}

bool CreateResultPipe(HandoffHandle *readEnd, HandoffHandle *writeEnd) {
  if (readEnd == NULL || writeEnd == NULL) return false;
  *readEnd = *writeEnd = NULL;
  SECURITY_ATTRIBUTES attributes = Inheritable();
  HANDLE reading = NULL;
  HANDLE writing = NULL;
  if (!CreatePipe(&reading, &writing, &attributes, 0)) return false;
  SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
  *readEnd = (HandoffHandle)reading;
  *writeEnd = (HandoffHandle)writing;
  return true;
}

bool WriteResultNumber(HandoffHandle writeEnd, uint32_t value) {
  const uint8_t bytes[4] = {(uint8_t)value, (uint8_t)(value >> 8), (uint8_t)(value >> 16),
                            (uint8_t)(value >> 24)};
  DWORD written = 0;
  return writeEnd != NULL &&
         WriteFile(ToWin32(writeEnd), bytes, sizeof bytes, &written, NULL) &&
         written == sizeof bytes;
}

bool ReadResultNumber(HandoffHandle readEnd, uint32_t *value) {
  if (readEnd == NULL || value == NULL) return false;
  uint8_t bytes[4] = {0, 0, 0, 0};
  DWORD total = 0;
  while (total < sizeof bytes) {
    DWORD got = 0;
    if (!ReadFile(ToWin32(readEnd), bytes + total, (DWORD)sizeof bytes - total, &got, NULL) ||
        got == 0) {
      return false;
    }
    total += got;
  }
  *value = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
  return true;
}

HandoffHandle OpenDeletedWithLastHandle(const std::string &path) {
  SECURITY_ATTRIBUTES attributes = Inheritable();
  // No write access of its own, so the loader may still open the file to
  // run it (it shares deletion); no one else may change or rename it.
  HANDLE file = CreateFileA(path.c_str(), DELETE | GENERIC_READ, FILE_SHARE_READ, &attributes,
                            OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, NULL);
  return file == INVALID_HANDLE_VALUE ? NULL : (HandoffHandle)file;
}

uint32_t OwnProcessId() { return (uint32_t)GetCurrentProcessId(); }

HandoffHandle CopyHandleFromProcess(uint32_t processId, uint64_t number) {
  HandoffHandle source = HandoffFromNumber(number);
  if (source == NULL) return NULL;
  HANDLE owner = OpenProcess(PROCESS_DUP_HANDLE, FALSE, (DWORD)processId);
  if (owner == NULL) return NULL;
  HANDLE copy = NULL;
  const BOOL copied = DuplicateHandle(owner, ToWin32(source), GetCurrentProcess(), &copy, 0,
                                      FALSE, DUPLICATE_SAME_ACCESS);
  CloseHandle(owner);
  return copied ? (HandoffHandle)copy : NULL;
}

void StopInheriting(HandoffHandle handle) {
  if (handle != NULL) SetHandleInformation(ToWin32(handle), HANDLE_FLAG_INHERIT, 0);
}

bool WaitForHandoffProcess(HandoffHandle handle, uint32_t milliseconds) {
  return handle != NULL && WaitForSingleObject(ToWin32(handle), milliseconds) == WAIT_OBJECT_0;
}

void CloseHandoffHandle(HandoffHandle *handle) {
  if (handle == NULL || *handle == NULL) return;
  CloseHandle(ToWin32(*handle));
  *handle = NULL;
}

bool CreateUniqueFileIn(const std::string &folder, const char *prefix, std::string *path) {
  char buffer[MAX_PATH + 1];
  if (path == NULL || folder.size() >= MAX_PATH - 14 ||
      GetTempFileNameA(folder.c_str(), prefix, 0, buffer) == 0) {
    return false;
  }
  buffer[MAX_PATH] = '\0';
  *path = buffer;
  return true;
}

bool LaunchElevatedProcess(const std::string &file, const std::string &parameters,
                           ProcessHandle *process) {
  if (process == NULL) return false;
  *process = NULL;
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = GetDesktopWindow();
  info.lpVerb = "runas";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) return false;
  *process = (ProcessHandle)info.hProcess;
  return true;
}
