#include "platform/messages.h"

#include <windows.h>

namespace {

MessageRecorder gRecorder = NULL;

}  // namespace

void SetMessageRecorder(MessageRecorder recorder) { gRecorder = recorder; }

MessageAnswer ShowMessage(void *owner, const char *text, const char *caption,
                          MessageButtons buttons, MessageIcon icon) {
  if (gRecorder != NULL) {
    gRecorder(caption, text);
    if (buttons == kButtonsYesNo) return kAnswerNo;
    if (buttons == kButtonsAbortRetryIgnore) return kAnswerAbort;
    return kAnswerOk;
  }
  UINT flags = MB_OK;
  if (buttons == kButtonsYesNo) flags = MB_YESNO;
  if (buttons == kButtonsAbortRetryIgnore) flags = MB_ABORTRETRYIGNORE;
  switch (icon) {
    case kIconError: flags |= MB_ICONERROR; break;
    case kIconInformation: flags |= MB_ICONINFORMATION; break;
    case kIconQuestion: flags |= MB_ICONQUESTION; break;
    case kIconWarning: flags |= MB_ICONWARNING; break;
  }
  int answer = MessageBoxA((HWND)owner, text, caption, flags);
  if (answer == IDOK) return kAnswerOk;
  if (answer == IDYES) return kAnswerYes;
  if (answer == IDNO) return kAnswerNo;
  if (answer == IDABORT) return kAnswerAbort;
  if (answer == IDRETRY) return kAnswerRetry;
  if (answer == IDIGNORE) return kAnswerIgnore;
  return kAnswerOther;
}
