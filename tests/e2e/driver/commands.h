// The driver's command language. Each command is a name and its words;
// a handler returns false with *message set when a check fails or the
// command cannot be carried out, and may set *message on success to print
// a result (get-text, windows).
#ifndef QVS_TESTS_E2E_COMMANDS_H
#define QVS_TESTS_E2E_COMMANDS_H

#include <string>
#include <vector>

#include "tests/e2e/driver/driver_state.h"

typedef std::vector<std::string> Words;
typedef bool (*CommandHandler)(DriverState *state, const Words &args, std::string *message);

struct CommandSpec {
  const char *name;
  int minArgs;
  int maxArgs;
  CommandHandler handler;
  const char *usage;
};

// The command named `name`, or NULL.
const CommandSpec *FindCommand(const std::string &name);
// Prints every command's usage line.
void PrintCommandUsage();

// Handlers, one file per group.
bool CmdStart(DriverState *state, const Words &args, std::string *message);
bool CmdOpenDocument(DriverState *state, const Words &args, std::string *message);
bool CmdProc(DriverState *state, const Words &args, std::string *message);
bool CmdWaitExit(DriverState *state, const Words &args, std::string *message);
bool CmdExpectRunning(DriverState *state, const Words &args, std::string *message);
bool CmdExpectPeakMemory(DriverState *state, const Words &args, std::string *message);
bool CmdKill(DriverState *state, const Words &args, std::string *message);
bool CmdSleep(DriverState *state, const Words &args, std::string *message);
bool CmdTimeout(DriverState *state, const Words &args, std::string *message);
bool CmdEcho(DriverState *state, const Words &args, std::string *message);
bool CmdSnap(DriverState *state, const Words &args, std::string *message);
bool CmdElapsed(DriverState *state, const Words &args, std::string *message);
bool CmdSetEnv(DriverState *state, const Words &args, std::string *message);

bool CmdWaitWindow(DriverState *state, const Words &args, std::string *message);
bool CmdExpectMsgbox(DriverState *state, const Words &args, std::string *message);
bool CmdAnswerMsgbox(DriverState *state, const Words &args, std::string *message);
bool CmdExpectNoWindow(DriverState *state, const Words &args, std::string *message);
bool CmdExpectNotSeen(DriverState *state, const Words &args, std::string *message);
bool CmdExpectNoneSeen(DriverState *state, const Words &args, std::string *message);
bool CmdExpectClientSize(DriverState *state, const Words &args, std::string *message);
bool CmdWindows(DriverState *state, const Words &args, std::string *message);
bool CmdCloseWindow(DriverState *state, const Words &args, std::string *message);

bool CmdClick(DriverState *state, const Words &args, std::string *message);
bool CmdCommand(DriverState *state, const Words &args, std::string *message);
bool CmdMouseClick(DriverState *state, const Words &args, std::string *message);
bool CmdPressKey(DriverState *state, const Words &args, std::string *message);
bool CmdTypeKey(DriverState *state, const Words &args, std::string *message);
bool CmdDoubleClick(DriverState *state, const Words &args, std::string *message);
bool CmdPressEnter(DriverState *state, const Words &args, std::string *message);
bool CmdKeyDown(DriverState *state, const Words &args, std::string *message);
bool CmdKeyUp(DriverState *state, const Words &args, std::string *message);
bool CmdSetCheck(DriverState *state, const Words &args, std::string *message);
bool CmdSelectList(DriverState *state, const Words &args, std::string *message);
bool CmdSetText(DriverState *state, const Words &args, std::string *message);

bool CmdGetText(DriverState *state, const Words &args, std::string *message);
bool CmdExpectText(DriverState *state, const Words &args, std::string *message);
bool CmdExpectTextContains(DriverState *state, const Words &args, std::string *message);
bool CmdExpectVisible(DriverState *state, const Words &args, std::string *message);
bool CmdExpectEnabled(DriverState *state, const Words &args, std::string *message);
bool CmdExpectChecked(DriverState *state, const Words &args, std::string *message);
bool CmdExpectFocus(DriverState *state, const Words &args, std::string *message);
bool CmdExpectItems(DriverState *state, const Words &args, std::string *message);
bool CmdExpectSelected(DriverState *state, const Words &args, std::string *message);
bool CmdExpectRect(DriverState *state, const Words &args, std::string *message);
bool CmdExpectControl(DriverState *state, const Words &args, std::string *message);
bool CmdExpectTextsFit(DriverState *state, const Words &args, std::string *message);
bool CmdExpectTooltip(DriverState *state, const Words &args, std::string *message);

bool CmdTreeClick(DriverState *state, const Words &args, std::string *message);
bool CmdTreeHover(DriverState *state, const Words &args, std::string *message);
bool CmdExpectTreeImages(DriverState *state, const Words &args, std::string *message);

bool CmdExpectLink(DriverState *state, const Words &args, std::string *message);
bool CmdWaitFile(DriverState *state, const Words &args, std::string *message);
bool CmdFileExists(DriverState *state, const Words &args, std::string *message);
bool CmdGlobCount(DriverState *state, const Words &args, std::string *message);
bool CmdGlobSave(DriverState *state, const Words &args, std::string *message);
bool CmdGlobSame(DriverState *state, const Words &args, std::string *message);

// Shared by the handlers.
DWORD CurrentPid(const DriverState *state);
// Timeout word (milliseconds) or the state's default when the word is absent.
bool ReadTimeout(const DriverState *state, const Words &args, size_t index, DWORD *timeoutMs,
                 std::string *message);
// Records the titles of the current process's visible windows.
void NoteWindows(DriverState *state);
// Saves the screen to the snapshot file, when one is configured.
void SnapshotBeforeAction(DriverState *state);
// After a command that pressed a button: waits until the window's thread
// has taken the press (or is busy in what it started), and counts the
// double-click time of the next press from then.
void NotePressHandled(DriverState *state);
// Reads a "0" or "1" word.
bool ReadFlag(const std::string &word, bool *flag, std::string *message);

#endif
