#include "engine/install/replace_rules.h"

ReplaceVerdict DecideReplace(int32_t replaceStatus, int64_t existingDate, int64_t newDate,
                             int32_t sticky) {
  switch (replaceStatus) {
    case 0: return kReplaceOverwrite;
    case 1: return existingDate > newDate ? kReplaceKeep : kReplaceOverwrite;
    case 2:
      if (sticky == 1) return kReplaceOverwrite;
      if (sticky == 2) return kReplaceKeep;
      return kReplaceAsk;
    default: return kReplaceNoAnswer;
  }
}

ReplaceVerdict ApplyReplaceAnswer(int answer, int32_t *sticky) {
  switch (answer) {
    case kReplaceAnswerYes: *sticky = 0; return kReplaceOverwrite;
    case kReplaceAnswerYesToAll: *sticky = 1; return kReplaceOverwrite;
    case kReplaceAnswerNoToAll: *sticky = 2; return kReplaceKeep;
    default: *sticky = 0; return kReplaceKeep;  // No, and a closed window
  }
}
