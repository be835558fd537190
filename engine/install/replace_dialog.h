// The replace question: a file the installation would write exists
// already. A modal window owned by the wizard window (which is disabled
// while it shows), on the interface thread.
#ifndef QVS_ENGINE_INSTALL_REPLACE_DIALOG_H
#define QVS_ENGINE_INSTALL_REPLACE_DIALOG_H

#include <stdint.h>

#include <string>

#include "platform/ui_window.h"

// Control numbers of the window.
enum ReplaceDialogControl {
  kReplaceQuestionIconId = 401,
  kReplaceIntroId = 402,
  kReplaceExistingIconId = 403,
  kReplaceExistingLineId = 404,
  kReplaceQuestionTextId = 405,
  kReplaceNewIconId = 406,
  kReplaceNewLineId = 407,
  kReplaceYesId = 408,
  kReplaceYesToAllId = 409,
  kReplaceNoId = 410,
  kReplaceNoToAllId = 411,
};

// The answers, as the buttons give them. Closing the window answers No.
enum ReplaceDialogAnswer {
  kReplaceDialogFailed = -1,  // the window could not be opened; the user was told
  kReplaceDialogYes = 0,
  kReplaceDialogYesToAll = 1,
  kReplaceDialogNo = 2,
  kReplaceDialogNoToAll = 3,
};

// Asks whether `path` (existingSize bytes, written at existingDate) is to
// be replaced by the archived file (newSize bytes, newDate); dates are
// local date-times in seconds since 1970.
int AskReplaceFile(const std::string &path, int64_t existingSize, int64_t existingDate,
                   int64_t newSize, int64_t newDate, HWND ownerWindow);

#endif
