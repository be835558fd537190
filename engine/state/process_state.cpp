#include "checks/os_detection.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"

StartupState &Startup() {
  static StartupState state;
  return state;
}

PayloadState &Payload() {
  static PayloadState state;
  return state;
}

void DetectRunningSystem(StartupState *state) {
  state->os = DetectOsDetails();
  state->osCode = ClassifyOsVersion(state->os);
}

int ActingOsCode() { return OsCodeActingAs(Startup().osCode, Startup().os); }
