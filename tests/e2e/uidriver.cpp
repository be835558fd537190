// uidriver: drives a Windows program through its windows the way a user
// does, for the end-to-end scenarios. Commands come from a script file
// (-f) and then from the remaining arguments, one command per argument;
// the first failing command ends the run with exit code 1.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/command_tokens.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/driver_state.h"
#include "tests/e2e/driver/screen_capture.h"

namespace {

struct PendingCommand {
  std::string text;
  std::string where;  // "script.txt:12" or "argument 3"
};

void PrintUsage() {
  printf("usage: uidriver [-v] [-f SCRIPT] [-s SNAPSHOT.bmp] [COMMAND ...]\n"
         "Each COMMAND is one argument (\"click 1\"); -f reads one per line, # comments.\n"
         "The screen is saved to SNAPSHOT.bmp (or %%QVS_E2E_SNAPSHOT%%) before every action\n"
         "and at a failure. CONTROL is an ID, text=CAPTION, class=NAME[#N] or window.\n"
         "Commands:\n");
  PrintCommandUsage();
}

bool RunOne(DriverState *state, const PendingCommand &pending, bool verbose) {
  std::vector<std::string> words;
  std::string message;
  if (!SplitCommand(pending.text, &words, &message)) {
    printf("uidriver: FAIL %s: %s: %s\n", pending.where.c_str(), pending.text.c_str(), message.c_str());
    return false;
  }
  if (words.empty()) return true;
  const CommandSpec *spec = FindCommand(words[0]);
  Words args(words.begin() + 1, words.end());
  if (spec == NULL || (int)args.size() < spec->minArgs || (int)args.size() > spec->maxArgs) {
    printf("uidriver: FAIL %s: %s: %s\n", pending.where.c_str(), pending.text.c_str(),
           spec == NULL ? "unknown command" : spec->usage);
    return false;
  }
  if (verbose) printf("> %6lu ms  %s\n", GetTickCount() - state->startTick, pending.text.c_str());
  bool ok = spec->handler(state, args, &message);
  NotePressHandled(state);
  if (!ok) {
    printf("uidriver: FAIL %s: %s\n  %s\n", pending.where.c_str(), pending.text.c_str(), message.c_str());
  } else if (!message.empty() && (verbose || spec->handler == CmdGetText || spec->handler == CmdEcho ||
                                  spec->handler == CmdElapsed ||
                                  spec->handler == CmdWindows)) {
    printf("%s\n", message.c_str());
  }
  fflush(stdout);
  return ok;
}

// Positions and fonts are compared with the program's, which is DPI-aware:
// the driver must see the screen's real resolution too.
void BecomeDpiAware() {
  typedef BOOL(WINAPI * SetAware)(void);
  SetAware setAware =
      (SetAware)(void *)GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware");
  if (setAware != NULL) setAware();
}

}  // namespace

int main(int argc, char **argv) {
  BecomeDpiAware();
  DriverState state;
  InitDriverState(&state);
  state.startTick = GetTickCount();
  const char *snapshot = getenv("QVS_E2E_SNAPSHOT");
  if (snapshot != NULL) state.snapshotPath = snapshot;

  std::vector<PendingCommand> commands;
  bool verbose = false;
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      PrintUsage();
      return 0;
    }
    if (arg == "-v") {
      verbose = true;
    } else if ((arg == "-f" || arg == "-s") && i + 1 < argc) {
      std::string value = argv[++i];
      if (arg == "-s") {
        state.snapshotPath = value;
        continue;
      }
      std::vector<std::string> lines;
      std::vector<int> numbers;
      if (!ReadScriptLines(value, &lines, &numbers)) {
        printf("uidriver: cannot read script %s\n", value.c_str());
        return 2;
      }
      for (size_t k = 0; k < lines.size(); k++) {
        PendingCommand pending = {lines[k], value + ":" + std::to_string(numbers[k])};
        commands.push_back(pending);
      }
    } else {
      PendingCommand pending = {arg, "argument " + std::to_string(i)};
      commands.push_back(pending);
    }
  }
  if (commands.empty()) {
    PrintUsage();
    return 2;
  }

  // Under Wine the first window of a fresh prefix starts its desktop; make
  // that happen here, so that the program under test never races it.
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  if (probe != NULL) DestroyWindow(probe);

  int result = 0;
  for (const PendingCommand &pending : commands) {
    if (RunOne(&state, pending, verbose)) continue;
    if (!state.snapshotPath.empty()) SaveScreenBmp(state.snapshotPath);
    result = 1;
    break;
  }
  ReleaseDriverState(&state);
  return result;
}
