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
