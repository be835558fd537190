// Top-level windows, their child controls and the message loop.
//
// Window procedures keep the Win32 signature; everything else the stub does
// with windows goes through these functions.
#ifndef QVS_PLATFORM_UI_WINDOW_H
#define QVS_PLATFORM_UI_WINDOW_H

#include <windows.h>

#include <stdint.h>

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

// The keyboard focus (keyboard_focus.cpp).
void SetKeyboardFocus(HWND window);
HWND FocusedWindow();
// The Tab key: the focus moves to the next visible, enabled control with a
// tab stop inside `root` (the previous one while Shift is held), wrapping
// at the ends. A group of options is one stop, at its checked option.
void MoveFocusToNextTabStop(HWND root);
// The first visible, enabled control with a tab stop inside `container`;
// NULL when there is none.
HWND FirstTabStopIn(HWND container);
// True when the control can take the keyboard: shown (with every window
// it lies in) and enabled.
bool CanTakeFocus(HWND control);
bool IsButtonControl(HWND window);
// A push button (not a check box, option or frame).
bool IsPushButtonControl(HWND window);
// An option (radio button).
bool IsOptionControl(HWND window);
// The arrow keys on an option: the next option of its group (the previous
// one for `backwards`) takes the focus and becomes the checked one, as a
// click on it would make it. False when `option` is no option.
bool MoveWithinOptionGroup(HWND option, bool backwards);
// True when `window` is a drop-down list whose list is open: it takes
// Enter and Esc itself then.
bool IsOpenDropDownList(HWND window);
// Sends the window a key-down or key-up of the Space key, as a keyboard would.
void SendSpaceKey(HWND window, bool down);
// Posts a left-button press, waits 50 ms and posts the release: a click.
void PostLeftClick(HWND window);

// Milliseconds since the system started (wrapping after 49.7 days).
uint32_t MillisecondTicks();
// The longest time between the two clicks of a double-click.
uint32_t DoubleClickMilliseconds();

// One event of the thread's queue.
struct UiEvent {
  MSG message;
};
// Keys arrive this way whatever has the focus: with no control focused the
// system delivers them as system keys to the active window, and those are
// told apart here too (unless Alt is held).
enum UiEventKind {
  kUiEventOther,
  kUiEventEnterDown,
  kUiEventEnterUp,
  kUiEventTabDown,
  kUiEventEscapeDown,  // the first press only, not its repeats
  kUiEventArrowDown,   // up, down, left or right; up and left go backwards
  kUiEventQuit
};
// For kUiEventArrowDown: true for up and left.
bool IsBackwardArrow(const UiEvent *event);
// Waits for the next event of this thread and tells what it is.
UiEventKind WaitForUiEvent(UiEvent *event);
// Takes the next event of this thread's queue without waiting; false when
// the queue is empty. *kind tells what it is.
bool TakeUiEvent(UiEvent *event, UiEventKind *kind);
// Hands the event to its window's procedure.
void DispatchUiEvent(const UiEvent *event);

#endif
