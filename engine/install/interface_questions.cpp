#include "engine/install/interface_questions.h"

#include <atomic>

#include "engine/state/install_log.h"
#include "engine/install/replace_dialog.h"
#include "engine/state/unattended_options.h"

namespace {

struct QuestionChannel {
  SignalHandle arrived = NULL;
  SignalHandle answered = NULL;
  std::atomic<InterfaceQuestion *> pending{nullptr};
};

QuestionChannel &Channel() {
  static QuestionChannel channel;
  return channel;
}

int StoppingAnswer(const InterfaceQuestion &question) {
  if (question.kind == kQuestionReplaceFile) return kReplaceDialogNo;
  switch (question.buttons) {
    case kButtonsYesNo: return kAnswerNo;
    case kButtonsAbortRetryIgnore: return kAnswerAbort;
    default: return kAnswerOk;
  }
}

// Nobody answers the replace question of a silent run: a file newer than
// the archived one stays, an older one (or one as old) is replaced, as if
// the script's ReplaceStatus were 1. A vendor who asks wants the user to
// decide; without a user, this keeps the newest file either way.
int UnattendedReplaceAnswer(const InterfaceQuestion &question) {
  const bool keep = question.existingDate > question.newDate;
  LogLine((keep ? "Kept the newer existing file " : "Replacing the older existing file ") +
          question.path);
  return keep ? kReplaceDialogNo : kReplaceDialogYes;
}

int Show(const InterfaceQuestion &question, HWND owner) {
  if (question.kind == kQuestionReplaceFile && Unattended().silent)
    return UnattendedReplaceAnswer(question);
  if (question.kind == kQuestionReplaceFile)
    return AskReplaceFile(question.path, question.existingSize, question.existingDate,
                          question.newSize, question.newDate, owner);
  return ShowMessage(owner, question.text.c_str(), question.caption.c_str(), question.buttons,
                     question.icon);
}

}  // namespace

void PrepareInterfaceQuestions() {
  QuestionChannel &channel = Channel();
  if (channel.arrived == NULL) channel.arrived = CreateSignal();
  if (channel.answered == NULL) channel.answered = CreateSignal();
}

int AskOnInterfaceThread(InterfaceQuestion *question) {
  QuestionChannel &channel = Channel();
  channel.pending.store(question);
  RaiseSignal(channel.arrived);
  WaitForSignal(channel.answered, kWaitForever);
  return question->answer;
}

bool IsQuestionPending() { return Channel().pending.load() != nullptr; }

SignalHandle QuestionArrivedSignal() { return Channel().arrived; }

void AnswerPendingQuestion(HWND owner, bool stopping) {
  QuestionChannel &channel = Channel();
  InterfaceQuestion *question = channel.pending.load();
  if (question == nullptr) return;
  question->answer = stopping ? StoppingAnswer(*question) : Show(*question, owner);
  channel.pending.store(nullptr);
  RaiseSignal(channel.answered);
}
