// Reading a message box of another process: caption, text, icon and the
// buttons it offers. Message boxes are dialogs of class "#32770" whose text
// is the static control 0xFFFF.
#ifndef QVS_TESTS_E2E_MESSAGE_BOX_H
#define QVS_TESTS_E2E_MESSAGE_BOX_H

#include <windows.h>

#include <string>

struct MessageBoxView {
  std::string caption;
  std::string text;
  // "error", "warning", "information", "question", "none", or "unknown"
  // when the icon on screen matches none of the system icons.
  std::string icon;
  // Share of the icon's opaque pixels that matched the chosen system icon.
  double iconScore;
  // Visible buttons by name in ID order, comma-separated ("yes,no").
  std::string buttons;
};

bool IsMessageBox(HWND window);

// Fills *view. The icon is identified by its handle where handles are
// shared between processes (Windows), otherwise by comparing the pixels on
// screen with each system icon drawn here; the box is brought to the front
// first and the comparison retried for up to `settleMs` while it paints.
void ReadMessageBox(HWND window, DWORD settleMs, MessageBoxView *view);

// Canonical form of a button list from a command: lower case, sorted by ID.
// False when a name is unknown.
bool NormaliseButtonList(const std::string &list, std::string *out);

// Control ID of a message-box button name ("yes" -> 6), or 0.
int MessageBoxButtonId(const std::string &name);

#endif
