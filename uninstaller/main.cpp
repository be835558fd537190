// The uninstaller's entry point: hardens DLL loading before anything else
// can load a library, then either works as the installed uninstaller
// (asking for rights, handing over to a copy of itself) or as that copy.
#include <windows.h>

#include "engine/state/startup_state.h"
#include "platform/libraries.h"
#include "platform/processes.h"
#include "uninstaller/arguments.h"
#include "uninstaller/launcher.h"
#include "uninstaller/uninstall_session.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HardenDllSearch();
  DetectRunningSystem(&Startup());
  const UninstallerArguments arguments = ParseUninstallerArguments(GetProcessCommandLine());
  const uint32_t code = arguments.originalPath.empty()
                            ? RunInstalledUninstaller(arguments)
                            : RunUninstallSession(arguments, true);
  EndProcess(code);
}
