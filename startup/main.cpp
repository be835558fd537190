// The installer's entry point: hardens DLL loading before anything else can
// load a library, then hands over to the start-up sequence.
#include <windows.h>

#include "platform/libraries.h"
#include "startup/startup_sequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HardenDllSearch();
  RunInstaller();
}
