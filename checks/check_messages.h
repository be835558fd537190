// The message box every check shows, with its caption taken from the
// language's installer strings.
#ifndef QVS_CHECKS_CHECK_MESSAGES_H
#define QVS_CHECKS_CHECK_MESSAGES_H

#include <string>

#include "checks/check_environment.h"

// Shows `text` under the caption LangString(captionIndex); true when the
// user answered Yes. Without a message hook nothing is shown and the answer
// is No, so a Yes/No question then ends the installer rather than going on
// unasked.
bool ShowCheckMessage(const CheckEnvironment &env, int captionIndex, const std::string &text,
                      CheckButtons buttons, CheckIcon icon);

#endif
