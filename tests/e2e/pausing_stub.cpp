// The installer stub as the end-to-end tests build it: the product's own
// start-up with a handler for the engine's pause points
// (engine/state/pause_points.h), so that a scenario can cut a run off at a
// chosen point as a crash would. The product's stub has no handler.
//
// QVS_E2E_PAUSE=POINT:N holds the run the N-th time POINT is reached: the
// file named by QVS_E2E_PAUSED is created, and the run sleeps until the
// scenario ends the Wine session.
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "engine/state/pause_points.h"
#include "platform/libraries.h"
#include "startup/startup_sequence.h"

namespace {

char gPoint[64];
long gLeft = 0;

void HoldAtPoint(const char *point) {
  if (gLeft <= 0 || strcmp(point, gPoint) != 0 || --gLeft != 0) return;
  char marker[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("QVS_E2E_PAUSED", marker, sizeof marker);
  if (length > 0 && length < sizeof marker) {
    HANDLE file = CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  for (;;) Sleep(INFINITE);
}

void ReadPausePoint() {
  char setting[64];
  DWORD length = GetEnvironmentVariableA("QVS_E2E_PAUSE", setting, sizeof setting);
  if (length == 0 || length >= sizeof setting) return;
  char *colon = strchr(setting, ':');
  if (colon == NULL) return;
  *colon = 0;
  strcpy(gPoint, setting);
  gLeft = atol(colon + 1);
  SetPausePointHandler(HoldAtPoint);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HardenDllSearch();
  ReadPausePoint();
  RunInstaller();
}
