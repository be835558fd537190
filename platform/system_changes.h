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

#endif
