// Finding the windows and controls of the program under test, and reading
// them from outside its process (texts, list items, state, focus).
#ifndef QVS_TESTS_E2E_WINDOW_SEARCH_H
#define QVS_TESTS_E2E_WINDOW_SEARCH_H

#include <windows.h>

#include <string>
#include <vector>

// Visible top-level windows, in z-order; pid 0 accepts every process.
std::vector<HWND> ListTopWindows(DWORD pid);

// A window pattern: "class=NAME" matches the window class, "title=TEXT" or
// any other text matches the title exactly.
bool WindowMatches(HWND window, const std::string &pattern);

// Text of a window or control (WM_GETTEXT, so it works across processes).
std::string ReadWindowText(HWND window);
std::string ReadClassName(HWND window);

// A control of `top`, searched among all its descendants. Spec:
//   NUMBER        control ID, decimal or 0x hex (0xFFFF for -1)
//   text=CAPTION  window text, exactly or with "&" removed
//   class=NAME    first control of that class; class=NAME#N the N-th (1-based)
//   window        the top-level window itself
// A visible match is preferred over a hidden one with the same ID or text,
// since later pages reuse nothing but may keep hidden twins. Returns NULL
// with *error set when nothing matches.
HWND FindControl(HWND top, const std::string &spec, std::string *error);

// Items of a combo box or list box, read with CB_GETLBTEXT / LB_GETTEXT.
// Returns false when the control is neither.
bool ReadListItems(HWND control, std::vector<std::string> *items);
// Selected index of a combo box or list box, or -1.
int ReadListSelection(HWND control);

// The control that holds the keyboard focus in the thread owning `window`.
HWND FocusedControl(HWND window);

// Converts an ID from the command text; false when it is not a number.
bool ParseNumber(const std::string &text, long *value);

// "<br>" in an expected text stands for a line break (CR LF), as in the
// language files.
std::string ExpandLineBreaks(const std::string &text);

// One line describing a control, for failure reports and the windows command.
std::string DescribeControl(HWND control);

#endif
