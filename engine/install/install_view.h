// What the installation shows, and where: the small interface that the
// wizard's progress page implements for the engine. Every call comes on the
// interface thread; workers never touch a window. The engine calls the
// setters only when what they show changes, at most about 30 times a
// second.
#ifndef QVS_ENGINE_INSTALL_INSTALL_VIEW_H
#define QVS_ENGINE_INSTALL_INSTALL_VIEW_H

#include <string>

#include "platform/ui_window.h"

struct InstallView {
  // The window that owns the installation's questions (the wizard window).
  HWND owner = NULL;
  // The installation starts: the window's Close command is greyed and Back
  // and Next are disabled.
  void (*beginInstallation)() = nullptr;
  // The status line; `text` fits 440 pixels (the engine shortens it with
  // compactText first).
  void (*setStatus)(const std::string &text) = nullptr;
  // `text` shortened to `width` pixels in the status line's font.
  std::string (*compactText)(const std::string &text, int width) = nullptr;
  void (*setProgress)(int percent) = nullptr;
  // The remaining-time line, hidden when `visible` is false.
  void (*setRemainingTime)(const std::string &text, bool visible) = nullptr;
  void (*setCancelEnabled)(bool enabled) = nullptr;
  // After a rollback: the finish page tells that the installation was
  // cancelled, and its action boxes are unchecked and hidden.
  void (*showCancelled)() = nullptr;
  // One event of the interface thread's queue, handled as the wizard's
  // event loop handles it (keys, mouse, dispatch).
  void (*handleEvent)(UiEvent *event, UiEventKind kind) = nullptr;
};

#endif
