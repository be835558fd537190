// The builder's process-wide system calls on Windows (see os_system.h).
#include "builder/os_system.h"

#include <fcntl.h>
#include <io.h>
#include <stdlib.h>
#include <windows.h>

#include "builder/os_files.h"
#include "builder/os_windows_text.h"

namespace {

const UINT kUtf8CodePage = 65001;
const size_t kLongestModulePath = 32768;
const int kFallbackConsoleWidth = 80;
const DWORD kPipeBufferSize = 65536;

UINT g_previousOutputCodePage = 0;

SRWLOCK g_pendingLock = SRWLOCK_INIT;
std::wstring g_pendingPaths[kInterruptSlots];

void RestoreConsole() {
  if (g_previousOutputCodePage != 0) SetConsoleOutputCP(g_previousOutputCodePage);
  g_previousOutputCodePage = 0;
}

// Runs on a thread of its own when Ctrl-C, Ctrl-Break or closing the
// console ends the builder. The files were opened shared for deleting, so
// they go even while the main thread still writes them.
BOOL WINAPI RemovePendingOnInterrupt(DWORD) {
  AcquireSRWLockExclusive(&g_pendingLock);
  for (const std::wstring &path : g_pendingPaths)
    if (!path.empty()) DeleteFileW(path.c_str());
  for (const std::wstring &path : g_pendingPaths)
    if (!path.empty()) RemoveDirectoryW(path.c_str());
  ReleaseSRWLockExclusive(&g_pendingLock);
  RestoreConsole();
  return FALSE;  // the default handler ends the process
}

HANDLE StreamHandle(FILE *stream) { return (HANDLE)_get_osfhandle(_fileno(stream)); }

bool IsAbsoluteFolder(const std::wstring &folder) {
  return (folder.size() >= 3 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/')) ||
         folder.compare(0, 2, L"\\\\") == 0;
}

// One argument as the C runtime's parser reads it back: quoted when it
// holds a blank or a quote (or is empty), backslashes doubled before a quote.
std::wstring QuotedArgument(const std::wstring &argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      backslashes++;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

void CloseIfOpen(HANDLE *handle) {
  if (*handle != NULL && *handle != INVALID_HANDLE_VALUE) CloseHandle(*handle);
  *handle = NULL;
}

// Pipes for the child's standard input and output; only the child's ends
// are inherited.
bool MakeChildPipes(HANDLE *childInput, HANDLE *toChild, HANDLE *fromChild, HANDLE *childOutput) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  if (!CreatePipe(childInput, toChild, &inherit, kPipeBufferSize) ||
      !CreatePipe(fromChild, childOutput, &inherit, kPipeBufferSize))
    return false;
  return SetHandleInformation(*toChild, HANDLE_FLAG_INHERIT, 0) &&
         SetHandleInformation(*fromChild, HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char **argv) {
  int count = 0;
  wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == NULL) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; i++) arguments.push_back(Utf8FromWide(wide[i], wcslen(wide[i])));
  LocalFree(wide);
  return arguments;
}

void PrepareConsole() {
  UINT previous = GetConsoleOutputCP();
  if (previous != 0 && previous != kUtf8CodePage && SetConsoleOutputCP(kUtf8CodePage)) {
    g_previousOutputCodePage = previous;
    atexit(RestoreConsole);
  }
}

bool IsTerminal(FILE *stream) {
  DWORD mode = 0;
  return GetConsoleMode(StreamHandle(stream), &mode) != 0;
}

void ClearTerminalLine(FILE *stream) {
  // Blanks rather than an escape sequence, which consoles before Windows
  // 10 print as they are.
  CONSOLE_SCREEN_BUFFER_INFO info;
  int width = kFallbackConsoleWidth;
  if (GetConsoleScreenBufferInfo(StreamHandle(stream), &info)) width = info.dwSize.X;
  fprintf(stream, "\r%*s\r", width > 1 ? width - 1 : 0, "");
}

void KeepBytesUnchanged(FILE *stream) {
  fflush(stream);
  _setmode(_fileno(stream), _O_BINARY);
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    DWORD length = GetModuleFileNameW(NULL, &path[0], (DWORD)path.size());
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      return FolderOfPath(Utf8FromWide(path));
    }
    if (path.size() >= kLongestModulePath) return std::string();
    path.resize(path.size() * 2);
  }
}

bool EnvironmentValue(const char *name, std::string *value) {
  std::wstring wideName;
  if (!WideFromUtf8(name, &wideName)) return false;
  DWORD size = GetEnvironmentVariableW(wideName.c_str(), NULL, 0);
  if (size <= 1) return false;
  std::wstring text(size, L'\0');
  DWORD length = GetEnvironmentVariableW(wideName.c_str(), &text[0], size);
  if (length == 0 || length >= size) return false;
  *value = Utf8FromWide(text.data(), length);
  return true;
}

bool LocalClockFromUtc(int64_t utc, int64_t *local) {
  // FILETIME counts 100-nanosecond steps from 1601; SYSTEMTIME stops in 30827.
  const int64_t kSecondsBefore1970 = 11644473600ll;
  const int64_t kLastSecond = 910692730000ll;
  const int64_t kTicksPerSecond = 10000000;
  if (utc < -kSecondsBefore1970 || utc > kLastSecond) return false;
  uint64_t ticks = (uint64_t)(utc + kSecondsBefore1970) * kTicksPerSecond;
  FILETIME utcTime = {(DWORD)ticks, (DWORD)(ticks >> 32)};
  SYSTEMTIME universal, clock;
  FILETIME localTime;
  if (!FileTimeToSystemTime(&utcTime, &universal) ||
      !SystemTimeToTzSpecificLocalTime(NULL, &universal, &clock) ||
      !SystemTimeToFileTime(&clock, &localTime))
    return false;
  uint64_t localTicks = (uint64_t)localTime.dwHighDateTime << 32 | localTime.dwLowDateTime;
  *local = (int64_t)(localTicks / kTicksPerSecond) - kSecondsBefore1970;
  return true;
}

void RemoveOnInterrupt(InterruptSlot slot, const std::string &path) {
  if (slot < 0 || slot >= kInterruptSlots) return;
  static bool installed = false;
  if (!installed) {
    installed = SetConsoleCtrlHandler(RemovePendingOnInterrupt, TRUE) != 0;
  }
  std::wstring wide;
  if (!path.empty() && !SystemPath(path, &wide)) wide.clear();
  AcquireSRWLockExclusive(&g_pendingLock);
  g_pendingPaths[slot] = wide;
  ReleaseSRWLockExclusive(&g_pendingLock);
}

std::vector<std::string> SigningToolNames() { return {"signtool.exe", "osslsigncode.exe"}; }

std::string FindProgram(const std::string &name) {
  std::string folders;
  std::wstring wideFolders, wideName;
  if (!EnvironmentValue("PATH", &folders) || !WideFromUtf8(folders, &wideFolders) ||
      !WideFromUtf8(name, &wideName))
    return std::string();
  size_t start = 0;
  while (start <= wideFolders.size()) {
    size_t end = wideFolders.find(L';', start);
    if (end == std::wstring::npos) end = wideFolders.size();
    std::wstring folder = wideFolders.substr(start, end - start);
    start = end + 1;
    if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
      folder = folder.substr(1, folder.size() - 2);
    // A relative entry would find programs in the current folder.
    if (!IsAbsoluteFolder(folder)) continue;
    std::wstring candidate = folder;
    if (candidate.back() != L'\\' && candidate.back() != L'/') candidate += L'\\';
    candidate += wideName;
    DWORD attributes = GetFileAttributesW(candidate.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return Utf8FromWide(candidate);
  }
  return std::string();
}

bool RunProgram(const std::vector<std::string> &arguments, const std::string &input,
                std::string *output, int *exitCode) {
  if (arguments.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::wstring program, commandLine;
  for (const std::string &argument : arguments) {
    std::wstring wide;
    if (!WideFromUtf8(argument, &wide)) return false;
    if (program.empty()) program = wide;
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += QuotedArgument(wide);
  }
  HANDLE childInput = NULL, toChild = NULL, fromChild = NULL, childOutput = NULL;
  if (!MakeChildPipes(&childInput, &toChild, &fromChild, &childOutput)) {
    DWORD error = GetLastError();
    CloseIfOpen(&childInput);
    CloseIfOpen(&toChild);
    CloseIfOpen(&fromChild);
    CloseIfOpen(&childOutput);
    SetLastError(error);
    return false;
  }
  STARTUPINFOW startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput;
  startup.hStdOutput = childOutput;
  startup.hStdError = childOutput;
  PROCESS_INFORMATION process;
  memset(&process, 0, sizeof process);
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  BOOL started = CreateProcessW(program.c_str(), line.data(), NULL, NULL, TRUE, 0, NULL, NULL,
                                &startup, &process);
  DWORD error = GetLastError();
  CloseIfOpen(&childInput);
  CloseIfOpen(&childOutput);
  if (!started) {
    CloseIfOpen(&toChild);
    CloseIfOpen(&fromChild);
    SetLastError(error);
    return false;
  }
  // The input is a password: it fits the pipe's buffer, so writing it all
  // first cannot wait on the child's output.
  DWORD wrote = 0;
  if (!input.empty()) WriteFile(toChild, input.data(), (DWORD)input.size(), &wrote, NULL);
  CloseIfOpen(&toChild);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(fromChild, buffer, sizeof buffer, &got, NULL) && got > 0)
    output->append(buffer, got);
  CloseIfOpen(&fromChild);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  *exitCode = (int)code;
  return true;
}
