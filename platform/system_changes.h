// Telling the system and the running programs about changed settings, and
// adding fonts. Broadcasts give up on a window that does not answer, so a
// hung program elsewhere cannot stop the installation.
#ifndef QVS_PLATFORM_SYSTEM_CHANGES_H
#define QVS_PLATFORM_SYSTEM_CHANGES_H

#include <string>

// WM_SETTINGCHANGE with "Environment" to every top-level window.
void BroadcastEnvironmentChange();
// WM_FONTCHANGE to every top-level window.
void BroadcastFontChange();
// AddFontResourceA: the number of fonts the file added (0 on failure).
int AddFontResourceFile(const std::string &path);
// Tells the shell that file associations may have changed.
void NotifyAssociationsChanged();

// Asks Windows to restart the computer (forced when `force`), with the
// shutdown privilege enabled first on the NT family. 0 on success; 1 the
// process token could not be opened, 2 the privilege could not be looked
// up, 3 it could not be enabled, 4 Windows refused the restart.
int RequestComputerRestart(bool force);

#endif
