// The wizard window, its page containers and the child controls the shared
// control maker (ui_window.h) does not make, and the small state changes
// the wizard makes on controls.
//
// Every control is created visible as a child numbered `id`; NULL on
// failure. Positions and sizes are in layout pixels (screen_scale.h)
// unless a function says otherwise. A page container hands the notifications of its controls
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) on to its own parent, so that one
// window procedure sees every control of every page.
#ifndef QVS_PLATFORM_CONTROLS_H
#define QVS_PLATFORM_CONTROLS_H

#include <windows.h>

#include <string>

// Registers the common controls' window classes this program uses (the
// progress bar among them) with the system's control library. Call once
// before the first such control is made.
void RegisterCommonControlClasses();

// Registers the page-container classes (grey and white background). False
// when they cannot be registered.
bool RegisterPageContainerClasses();
// A page container; `white` gives it a white background.
HWND CreatePageContainer(HWND parent, int x, int y, int width, int height, int id, bool white);

// A hidden top-level window with a caption, system menu and minimise box,
// no maximise box, not resizable, whose client area is `clientWidth` x
// `clientHeight`, centred on the screen and owned by `owner` (may be NULL).
HWND CreateOwnedFixedWindow(const char *className, const char *title, int clientWidth,
                            int clientHeight, HWND owner);

HWND CreateCheckBoxControl(HWND parent, const char *text, int x, int y, int width, int height,
                           int id, HFONT font);
// An option (radio) button; `firstOfGroup` starts a new group of options.
HWND CreateOptionControl(HWND parent, const char *text, int x, int y, int width, int height,
                         int id, HFONT font, bool firstOfGroup);
// A list box with a sunken edge and a vertical scroll bar, exactly
// `height` tall, that reports selection changes.
HWND CreateListBoxControl(HWND parent, int x, int y, int width, int height, int id, HFONT font);
// A smooth progress bar with the range 0 to 100.
HWND CreateProgressControl(HWND parent, int x, int y, int width, int height, int id);
// Moves the bar of a progress control to `percent` (0 to 100).
void SetProgressPosition(HWND bar, int percent);
// An etched horizontal line at x, y; the system gives it the height of
// its groove.
HWND CreateLineControl(HWND parent, int x, int y, int width, int height, int id);
// A static text that reports clicks (STN_CLICKED), for a hyperlink.
HWND CreateLinkControl(HWND parent, const char *text, int x, int y, int width, int height, int id,
                       HFONT font);
// A copy of `font` with underlining; NULL on failure.
HFONT CreateUnderlinedFont(HFONT font);

void SetControlVisible(HWND control, bool visible);
void SetControlEnabled(HWND control, bool enabled);
bool IsControlVisible(HWND control);
bool IsControlEnabled(HWND control);
void MoveControl(HWND control, int x, int y, int width, int height);
// The same in screen pixels, for a size that was measured on the screen.
void PlaceControlInPixels(HWND control, int x, int y, int width, int height);

bool IsBoxChecked(HWND box);
void SetBoxChecked(HWND box, bool checked);

// List boxes: appends a row; the text of the selected row (empty when none).
void AddListBoxRow(HWND list, const std::string &text);
std::string SelectedListBoxText(HWND list);

// The control number of `control`; 0 for NULL.
int ControlIdOf(HWND control);
// Has the control painted again.
void RedrawControl(HWND control);

// The cursor position in screen coordinates and the window under it.
HWND WindowUnderCursor();
// Shows the hand-shaped cursor of links.
void ShowHandCursor();

// Answers WM_CTLCOLORSTATIC: `textColour` (0x00BBGGRR) on a transparent or
// `background` brush; returns the brush to hand back.
HBRUSH PaintStaticColours(HDC dc, COLORREF textColour, HBRUSH background);
// A stock white brush for controls on white pages.
HBRUSH WhiteStockBrush();
// The scheme's button-face brush and button-text colour.
HBRUSH ButtonFaceBrush();
COLORREF ButtonTextColour();

#endif
