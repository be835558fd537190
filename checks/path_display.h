// A long path shortened to fit a control, for the progress page.
#ifndef QVS_CHECKS_PATH_DISPLAY_H
#define QVS_CHECKS_PATH_DISPLAY_H

#include <windows.h>

#include <string>

// `path` when it fits `maxWidth` pixels in `control`'s font; otherwise the
// start of its folder, "\..\" and the start of its file name (see
// script/path_rules.h).
std::string CompactPathForDisplay(HWND control, const std::string &path, int maxWidth);

#endif
