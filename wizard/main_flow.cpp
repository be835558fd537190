#include "wizard/main_flow.h"

#include "platform/messages.h"
#include "script/language_data.h"
#include "startup/exits.h"
#include "startup/payload_state.h"

namespace {

void LoadLanguageData(const std::string &languageName) {
  if (LoadLanguageStrings(Payload().languages, languageName) == 0) {
    ShowMessage(NULL, "Error parsing language data!", "Error", kButtonsOk, kIconError);
    CleanExit();
  }
}

}  // namespace

void RunMainFlow(const std::string &languageName) {
  LoadLanguageData(languageName);
  // The script, the checks and the wizard follow here; until they exist the
  // run ends cleanly once the language is loaded.
  CleanExit();
}
