#include "engine/payload_state.h"
#include "engine/startup_state.h"

StartupState &Startup() {
  static StartupState state;
  return state;
}

PayloadState &Payload() {
  static PayloadState state;
  return state;
}
