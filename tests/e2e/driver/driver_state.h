// State of one uidriver run: the programs it started, the window that the
// control commands act on, and what the checks remember between commands.
#ifndef QVS_TESTS_E2E_DRIVER_STATE_H
#define QVS_TESTS_E2E_DRIVER_STATE_H

#include <windows.h>

#include <string>
#include <vector>

struct StartedProcess {
  HANDLE process;
  DWORD pid;
  std::string commandLine;
};

struct FileMark {
  std::string name;
  ULONGLONG size;
  FILETIME written;
};

struct DriverState {
  std::vector<StartedProcess> processes;
  // 1-based index into `processes` that window searches are limited to;
  // 0 accepts windows of every process.
  size_t currentProcess;
  // Top-level window that control commands address; set by wait-window and
  // expect-msgbox.
  HWND window;
  DWORD timeoutMs;
  DWORD startTick;  // when the driver started, for the verbose log
  DWORD lastStartTick;  // when the last program was started, for elapsed
  // BMP written with the screen before every action that changes the
  // interface, so that the file holds the last screen a scenario looked at.
  std::string snapshotPath;
  // Titles of every visible top-level window of the current process seen
  // while the driver was polling, for expect-not-seen.
  std::vector<std::string> seenTitles;
  std::vector<FileMark> savedFiles;
  // When and in which window a command last pressed a button (click,
  // Enter, Space), so that the next press there is not taken for the
  // second click of a double-click.
  bool pressedBefore;
  bool pressPending;  // a press was sent and its handling not yet seen
  DWORD lastPressTick;
  HWND lastPressWindow;
};

void InitDriverState(DriverState *state);
// Closes the process handles; safe to call twice.
void ReleaseDriverState(DriverState *state);

#endif
