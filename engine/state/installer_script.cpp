#include "engine/state/installer_script.h"

InstallerScriptState &InstallerScript() {
  static InstallerScriptState state;
  return state;
}
