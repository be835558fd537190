// Message boxes.
#ifndef QVS_PLATFORM_MESSAGES_H
#define QVS_PLATFORM_MESSAGES_H

enum MessageIcon { kIconError, kIconInformation, kIconQuestion, kIconWarning };
enum MessageButtons { kButtonsOk, kButtonsYesNo, kButtonsAbortRetryIgnore };
enum MessageAnswer {
  kAnswerOk,
  kAnswerYes,
  kAnswerNo,
  kAnswerAbort,
  kAnswerRetry,
  kAnswerIgnore,
  kAnswerOther
};

// Shows a modal message box owned by `owner` (NULL: no owner) and returns
// the button pressed. While a recorder is set (an unattended run), nothing
// is shown: the recorder receives the message, and the answer is the one
// that goes no further (OK, No, Abort).
MessageAnswer ShowMessage(void *owner, const char *text, const char *caption,
                          MessageButtons buttons, MessageIcon icon);

typedef void (*MessageRecorder)(const char *caption, const char *text);
void SetMessageRecorder(MessageRecorder recorder);

#endif
