// The installer script's settings and lists for the whole run, and the
// start-menu folder the path variables read. Filled by the main flow on the
// interface thread; read by the wizard, the engine and the path variables.
#ifndef QVS_ENGINE_STATE_INSTALLER_SCRIPT_H
#define QVS_ENGINE_STATE_INSTALLER_SCRIPT_H

#include <string>

#include "script/script_settings.h"

struct InstallerScriptState {
  ScriptSettings settings;
  std::string StartMenuFolder;
};

InstallerScriptState &InstallerScript();

#endif
