// The controls below the pages: the band text and its line (25, 26), the
// website link (27), Back, Next, Cancel and Finish (28 to 31) and the line
// of the white pages (32).
#ifndef QVS_WIZARD_BOTTOM_BAND_H
#define QVS_WIZARD_BOTTOM_BAND_H

#include <windows.h>

#include "script/script_settings.h"

// Creates them in the wizard window; the band text and the link are sized
// to their texts. Every control starts shown: ShowPage sets them per page.
void BuildBottomBand(HWND window, const ScriptSettings &settings);

// The link's colours: its text turns grey while the mouse is over it.
// Called for every mouse move the event loop takes.
void FollowLinkHover();
// WM_CTLCOLORSTATIC for the link: the brush to answer with.
HBRUSH PaintWebsiteLink(HDC dc);
// WM_SETCURSOR: true (and the hand shown) when `window` is the link.
bool SetLinkCursor(HWND window);

#endif
