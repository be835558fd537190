// Commands about the programs under test and the driver itself.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/file_paths.h"
#include "tests/e2e/driver/screen_capture.h"
#include "tests/e2e/driver/window_search.h"

namespace {

const DWORD kPollMs = 20;

std::string QuoteArgument(const std::string &word) {
  if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
  std::string out = "\"";
  for (char c : word) {
    if (c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

bool CurrentProcess(DriverState *state, StartedProcess **out, std::string *message) {
  if (state->currentProcess == 0 || state->currentProcess > state->processes.size()) {
    *message = "no current process (use start or proc first)";
    return false;
  }
  *out = &state->processes[state->currentProcess - 1];
  return true;
}

}  // namespace

bool CmdStart(DriverState *state, const Words &args, std::string *message) {
  std::string path = ExpandPath(args[0]);
  std::string commandLine = QuoteArgument(path);
  for (size_t i = 1; i < args.size(); i++) commandLine += " " + QuoteArgument(args[i]);
  std::string folder = path;
  size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);

  STARTUPINFOA startup;
  PROCESS_INFORMATION info;
  memset(&startup, 0, sizeof startup);
  memset(&info, 0, sizeof info);
  startup.cb = sizeof startup;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  if (!CreateProcessA(path.c_str(), line.data(), NULL, NULL, FALSE, 0, NULL,
                      folder.empty() ? NULL : folder.c_str(), &startup, &info)) {
    char code[32];
    snprintf(code, sizeof code, "%lu", GetLastError());
    *message = "cannot start " + path + " (error " + code + ")";
    return false;
  }
  CloseHandle(info.hThread);
  StartedProcess started = {info.hProcess, info.dwProcessId, commandLine};
  state->processes.push_back(started);
  state->lastStartTick = GetTickCount();
  state->currentProcess = state->processes.size();
  state->window = NULL;
  state->seenTitles.clear();
  return true;
}

bool CmdOpenDocument(DriverState *state, const Words &args, std::string *message) {
  const std::string path = ExpandPath(args[0]);
  SHELLEXECUTEINFOA info;
  memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = NULL;  // the default verb, as Explorer uses it
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info) || info.hProcess == NULL) {
    char code[32];
    snprintf(code, sizeof code, "%lu", GetLastError());
    *message = "the shell cannot open " + path + " (error " + code + ")";
    return false;
  }
  StartedProcess started = {info.hProcess, GetProcessId(info.hProcess), path};
  state->processes.push_back(started);
  state->lastStartTick = GetTickCount();
  state->currentProcess = state->processes.size();
  state->window = NULL;
  state->seenTitles.clear();
  return true;
}

bool CmdProc(DriverState *state, const Words &args, std::string *message) {
  long index = 0;
  if (!ParseNumber(args[0], &index) || index < 0 || (size_t)index > state->processes.size()) {
    *message = "no started process " + args[0];
    return false;
  }
  state->currentProcess = (size_t)index;
  state->window = NULL;
  return true;
}

bool CmdWaitExit(DriverState *state, const Words &args, std::string *message) {
  StartedProcess *process = NULL;
  DWORD timeoutMs = 0;
  if (!CurrentProcess(state, &process, message) || !ReadTimeout(state, args, 0, &timeoutMs, message))
    return false;
  bool anyCode = args.size() > 1 && args[1] == "any";
  long expected = 0;
  if (args.size() > 1 && !anyCode && !ParseNumber(args[1], &expected)) {
    *message = "bad exit code '" + args[1] + "'";
    return false;
  }
  DWORD start = GetTickCount();
  while (WaitForSingleObject(process->process, kPollMs) == WAIT_TIMEOUT) {
    NoteWindows(state);
    if (GetTickCount() - start >= timeoutMs) {
      char text[64];
      snprintf(text, sizeof text, "process still running after %lu ms", timeoutMs);
      *message = text;
      return false;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process->process, &code);
  if (!anyCode && code != (DWORD)expected) {
    char text[96];
    snprintf(text, sizeof text, "exit code %lu (0x%lX), expected %ld", code, code, expected);
    *message = text;
    return false;
  }
  return true;
}

bool CmdExpectRunning(DriverState *state, const Words &args, std::string *message) {
  StartedProcess *process = NULL;
  bool wanted = false;
  if (!CurrentProcess(state, &process, message) || !ReadFlag(args[0], &wanted, message)) return false;
  bool running = WaitForSingleObject(process->process, 0) == WAIT_TIMEOUT;
  if (running == wanted) return true;
  *message = running ? "process is still running" : "process has ended";
  return false;
}

bool CmdKill(DriverState *state, const Words &, std::string *message) {
  StartedProcess *process = NULL;
  if (!CurrentProcess(state, &process, message)) return false;
  TerminateProcess(process->process, 1);
  WaitForSingleObject(process->process, 5000);
  return true;
}

bool CmdSleep(DriverState *state, const Words &args, std::string *message) {
  long ms = 0;
  if (!ParseNumber(args[0], &ms) || ms < 0) {
    *message = "bad duration '" + args[0] + "'";
    return false;
  }
  DWORD start = GetTickCount();
  while (GetTickCount() - start < (DWORD)ms) {
    NoteWindows(state);
    Sleep(kPollMs);
  }
  return true;
}

bool CmdTimeout(DriverState *state, const Words &args, std::string *message) {
  return ReadTimeout(state, args, 0, &state->timeoutMs, message);
}

bool CmdEcho(DriverState *, const Words &args, std::string *message) {
  for (size_t i = 0; i < args.size(); i++) *message += (i ? " " : "") + args[i];
  return true;
}

bool CmdSnap(DriverState *, const Words &args, std::string *message) {
  std::string path = ExpandPath(args[0]);
  if (SaveScreenBmp(path)) return true;
  *message = "cannot save the screen to " + path;
  return false;
}

bool CmdSetEnv(DriverState *, const Words &args, std::string *message) {
  std::string value = args.size() > 1 ? ExpandPath(args[1]) : std::string();
  if (SetEnvironmentVariableA(args[0].c_str(), args.size() > 1 ? value.c_str() : NULL)) return true;
  *message = "cannot set " + args[0];
  return false;
}

bool CmdElapsed(DriverState *state, const Words &args, std::string *message) {
  char text[64];
  snprintf(text, sizeof text, "elapsed %lu ms", GetTickCount() - state->lastStartTick);
  *message = (args.empty() ? "" : args[0] + " ") + text;
  return true;
}

bool CmdExpectPeakMemory(DriverState *state, const Words &args, std::string *message) {
  StartedProcess *process = NULL;
  long limitMiB = 0;
  if (!CurrentProcess(state, &process, message)) return false;
  if (!ParseNumber(args[0], &limitMiB) || limitMiB <= 0) {
    *message = "bad size '" + args[0] + "'";
    return false;
  }
  PROCESS_MEMORY_COUNTERS counters;
  memset(&counters, 0, sizeof counters);
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process->process, &counters, sizeof counters)) {
    *message = "cannot read the process's memory counters";
    return false;
  }
  // Resident or committed, whichever peaked higher.
  SIZE_T peak = counters.PeakWorkingSetSize > counters.PeakPagefileUsage
                    ? counters.PeakWorkingSetSize
                    : counters.PeakPagefileUsage;
  char text[96];
  snprintf(text, sizeof text, "peak memory %lu MiB, limit %ld MiB", (unsigned long)(peak >> 20),
           limitMiB);
  *message = text;
  return (peak >> 20) <= (SIZE_T)limitMiB;
}
