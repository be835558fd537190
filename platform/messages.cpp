#include "platform/messages.h"

#include <windows.h>

MessageAnswer ShowMessage(void *owner, const char *text, const char *caption,
                          MessageButtons buttons, MessageIcon icon) {
  UINT flags = buttons == kButtonsYesNo ? MB_YESNO : MB_OK;
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
  return kAnswerOther;
}
