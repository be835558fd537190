// Top-level windows, their child controls and the message loop.
//
// Window procedures keep the Win32 signature; everything else the stub does
// with windows goes through these functions.
#ifndef QVS_PLATFORM_UI_WINDOW_H
#define QVS_PLATFORM_UI_WINDOW_H

#include <windows.h>

#include <string>

// The kinds of child control the installer creates.
enum ControlKind {
  kControlIconImage,     // a static control showing an icon
  kControlLabel,         // a static text
  kControlDropDownList,  // a combo box whose list only can be picked from
  kControlButton,        // a push button
  kControlDefaultButton, // the push button Enter presses
};

// Positions and sizes are in layout pixels (screen_scale.h) unless a
// function says otherwise.

// Registers a window class with the button-face background and the
// program's own icon (resource 1). False when it cannot be registered.
bool RegisterPlainWindowClass(const char *className, WNDPROC procedure);
// A window whose client area is clientWidth x clientHeight, centred on the
// screen, with the given styles and owner (NULL for none).
HWND CreateCentredWindow(DWORD exStyle, const char *className, const char *title, DWORD style,
                         int clientWidth, int clientHeight, HWND owner);
// A visible child control (WS_CHILD and WS_VISIBLE are added to `style`)
// with the control number `id`, in `font` when it is not NULL. A NULL text
// is empty.
HWND CreateChildControl(DWORD exStyle, const char *className, const char *text, DWORD style,
                        int x, int y, int width, int height, HWND parent, int id, HFONT font);
// The same with the position and size in screen pixels.
HWND CreateChildControlInPixels(DWORD exStyle, const char *className, const char *text,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                int id, HFONT font);
// Creates a hidden top-level window with a title bar and system menu but no
// minimise or maximise box, whose client area is `clientWidth` x
// `clientHeight`, centred on the screen. NULL on failure.
HWND CreateFixedWindow(const char *className, const char *title, int clientWidth,
                       int clientHeight);
// Creates a visible child control with the control number `id`; `font` may
// be NULL. NULL on failure.
HWND CreateControl(HWND parent, ControlKind kind, const char *text, int x, int y, int width,
                   int height, int id, HFONT font);
void ShowWindowNow(HWND window);
void DestroyWindowHandle(HWND *window);

void SetIconImage(HWND control, HICON icon);
void AddListEntry(HWND list, const std::string &text);
void SelectListEntry(HWND list, int index);
// Index of the selected entry, -1 when none is.
int SelectedListEntry(HWND list);
int ListEntryCount(HWND list);
// Text of entry `index`; empty when there is no such entry.
std::string ListEntryText(HWND list, int index);

void SetKeyboardFocus(HWND window);
HWND FocusedWindow();
// The Tab key: the focus moves to the next visible, enabled control with a
// tab stop inside `root` (the previous one while Shift is held), wrapping
// at the ends.
void MoveFocusToNextTabStop(HWND root);
bool IsButtonControl(HWND window);
// Sends the window a key-down or key-up of the Space key, as a keyboard would.
void SendSpaceKey(HWND window, bool down);
// Posts a left-button press, waits 50 ms and posts the release: a click.
void PostLeftClick(HWND window);

// One event of the thread's queue.
struct UiEvent {
  MSG message;
};
enum UiEventKind {
  kUiEventOther,
  kUiEventEnterDown,
  kUiEventEnterUp,
  kUiEventTabDown,
  kUiEventQuit
};
// Waits for the next event of this thread and tells what it is.
UiEventKind WaitForUiEvent(UiEvent *event);
// Takes the next event of this thread's queue without waiting; false when
// the queue is empty. *kind tells what it is.
bool TakeUiEvent(UiEvent *event, UiEventKind *kind);
// Hands the event to its window's procedure.
void DispatchUiEvent(const UiEvent *event);

#endif
