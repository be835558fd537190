#include "checks/check_messages.h"

#include "script/language_strings.h"

bool ShowCheckMessage(const CheckEnvironment &env, int captionIndex, const std::string &text,
                      CheckButtons buttons, CheckIcon icon) {
  if (env.showMessage == nullptr) return false;
  return env.showMessage(text, LangString(captionIndex), buttons, icon);
}
