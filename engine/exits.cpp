#include "engine/exits.h"

#include "platform/files.h"
#include "platform/processes.h"
#include "engine/startup_state.h"

void CleanExit() {
  StartupState &state = Startup();
  FreeLibraryHandle(&state.moduleHandle);
  uint64_t size = 0;
  if (!state.tempModulePath.empty() && ReadFileSizeAt(state.tempModulePath, &size) && size > 0)
    DeleteFileAt(state.tempModulePath);
  NormalExit();
}

void NormalExit() { EndProcess(0); }
