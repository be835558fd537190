// Questions a worker needs answered by the user. Windows belong to the
// interface thread, so a worker never opens one: it hands its question over
// and waits, holding no lock, while the interface thread (in the
// installation's event loop) shows it and hands the answer back.
#ifndef QVS_ENGINE_INSTALL_INTERFACE_QUESTIONS_H
#define QVS_ENGINE_INSTALL_INTERFACE_QUESTIONS_H

#include <stdint.h>

#include <string>

#include "platform/messages.h"
#include "platform/threads.h"
#include "platform/ui_window.h"

enum QuestionKind {
  kQuestionMessage,      // a message box: text, caption, buttons, icon
  kQuestionReplaceFile,  // the replace dialog for `path`
};

struct InterfaceQuestion {
  QuestionKind kind = kQuestionMessage;
  std::string text;
  std::string caption;
  MessageButtons buttons = kButtonsOk;
  MessageIcon icon = kIconError;
  std::string path;
  int64_t existingSize = 0;
  int64_t existingDate = 0;
  int64_t newSize = 0;
  int64_t newDate = 0;
  // Filled by the interface thread: a MessageAnswer, or a replace answer
  // (0 yes, 1 yes to all, 2 no, 3 no to all).
  int answer = 0;
};

// Call once on the interface thread before any worker asks; safe to call
// again.
void PrepareInterfaceQuestions();

// Worker side: waits until the interface thread has answered; returns the
// answer. Only one worker asks at a time.
int AskOnInterfaceThread(InterfaceQuestion *question);

// True while a worker waits for an answer (the remaining time stands still
// meanwhile).
bool IsQuestionPending();

// Interface side: the signal raised when a question arrives, to wait on
// together with the window messages.
SignalHandle QuestionArrivedSignal();
// Shows the pending question, if any, owned by `owner`, and hands the
// answer back. With `stopping` (the user confirmed Cancel) nothing is shown:
// a message gets Abort or No or OK, a replace question "No".
void AnswerPendingQuestion(HWND owner, bool stopping);

#endif
