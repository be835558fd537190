#include "startup/payload_state.h"
#include "startup/startup_state.h"

StartupState &Startup() {
  static StartupState state;
  return state;
}

PayloadState &Payload() {
  static PayloadState state;
  return state;
}
