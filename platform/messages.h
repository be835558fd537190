// Message boxes.
#ifndef QVS_PLATFORM_MESSAGES_H
#define QVS_PLATFORM_MESSAGES_H

enum MessageIcon { kIconError, kIconInformation, kIconQuestion, kIconWarning };
enum MessageButtons { kButtonsOk, kButtonsYesNo, kButtonsAbortRetryIgnore, kButtonsRetryCancel };
enum MessageAnswer {
  kAnswerOk,
  kAnswerYes,
  kAnswerNo,
  kAnswerAbort,
  kAnswerRetry,
  kAnswerIgnore,
  kAnswerCancel,
  kAnswerOther
};

// Shows a modal message box owned by `owner` (NULL: no owner) and returns
// the button pressed.
MessageAnswer ShowMessage(void *owner, const char *text, const char *caption,
                          MessageButtons buttons, MessageIcon icon);

#endif
