// The controls of the components and install-folder pages that the shared
// control maker does not make, and the texts of controls.
#ifndef QVS_PLATFORM_PAGE_CONTROLS_H
#define QVS_PLATFORM_PAGE_CONTROLS_H

#include <windows.h>

#include <string>
#include <vector>

#include "platform/images.h"

// A group-box frame with `text` as its caption. NULL on failure.
HWND CreateFrameControl(HWND parent, const char *text, int x, int y, int width, int height,
                        int id, HFONT font);
// A one-line edit field with a sunken edge that scrolls sideways. NULL on
// failure.
HWND CreateEditFieldControl(HWND parent, const char *text, int x, int y, int width, int height,
                            int id, HFONT font);
// A static control showing `bitmap` (may be NULL: an empty picture) in the
// box x, y, width, height (layout pixels); a bitmap of another size than
// the box on the screen is shown stretched smoothly to fill it. NULL on
// failure.
HWND CreateBitmapControl(HWND parent, BitmapHandle bitmap, int x, int y, int width, int height,
                         int id);
// A static control showing `bitmap` over the window's whole client area,
// at the bitmap's own size (made for that area). NULL on failure.
HWND FillWithBitmap(HWND window, BitmapHandle bitmap, int id);

// The control's whole text, however long.
std::string ReadControlText(HWND control);
// Sets the text only when it differs from what the control shows, so that
// repeated updates do not make it flicker.
void SetControlTextIfChanged(HWND control, const std::string &text);
void SetControlText(HWND control, const std::string &text);

// The parent's child control numbered `id`, looking through nested
// children too; NULL when there is none.
HWND FindControlById(HWND parent, int id);
// Every control below `parent`, nested ones too, in creation order.
std::vector<HWND> ListChildControls(HWND parent);
// The top-level window that holds `control`; NULL for NULL.
HWND TopLevelWindowOf(HWND control);

#endif
