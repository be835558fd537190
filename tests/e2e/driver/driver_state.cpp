#include "tests/e2e/driver/driver_state.h"

void InitDriverState(DriverState *state) {
  state->processes.clear();
  state->currentProcess = 0;
  state->window = NULL;
  state->timeoutMs = 10000;
  state->startTick = 0;
  state->lastStartTick = 0;
  state->snapshotPath.clear();
  state->seenTitles.clear();
  state->savedFiles.clear();
  state->pressedBefore = false;
  state->pressPending = false;
  state->lastPressTick = 0;
  state->lastPressWindow = NULL;
}

void ReleaseDriverState(DriverState *state) {
  for (StartedProcess &started : state->processes) {
    if (started.process != NULL) CloseHandle(started.process);
    started.process = NULL;
  }
}
