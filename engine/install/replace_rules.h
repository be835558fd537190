// What happens to a file the installation would write where one exists
// already: the script's ReplaceStatus, the user's remembered answer and the
// files' dates decide. Portable.
#ifndef QVS_ENGINE_INSTALL_REPLACE_RULES_H
#define QVS_ENGINE_INSTALL_REPLACE_RULES_H

#include <stdint.h>

// The answers of the replace callback, and one more: ask the user.
enum ReplaceVerdict {
  kReplaceOverwrite = 1,
  kReplaceKeep = -2,
  kReplaceNoAnswer = 0,  // ReplaceStatus is none of 0, 1 and 2
  kReplaceAsk = 2,
};

// ReplaceStatus 0 always overwrites; 1 keeps an existing file that is newer
// than the archived one (equal dates overwrite); 2 follows the remembered
// answer (`sticky`: 1 overwrite all, 2 keep all) or asks. Dates are local
// date-times in seconds.
ReplaceVerdict DecideReplace(int32_t replaceStatus, int64_t existingDate, int64_t newDate,
                             int32_t sticky);

// The buttons of the replace question, in answer order.
enum ReplaceAnswer {
  kReplaceAnswerYes = 0,
  kReplaceAnswerYesToAll = 1,
  kReplaceAnswerNo = 2,
  kReplaceAnswerNoToAll = 3,
};

// What an answer means for this file, and the remembered answer it leaves
// in *sticky for the files after it.
ReplaceVerdict ApplyReplaceAnswer(int answer, int32_t *sticky);

#endif
