// The language-selection window, shown at start-up when the payload carries
// more than one language file. Windows only; compiled into the stub.
#ifndef QVS_SCRIPT_LANGUAGE_DIALOG_H
#define QVS_SCRIPT_LANGUAGE_DIALOG_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/fonts.h"
#include "script/language_data.h"

// The user's default language ID from the locale (1033 for "0409"); 0 when
// it cannot be read or is out of range.
int32_t UserDefaultLangId();

enum LanguageChoice {
  kLanguageChosen,
  kLanguageCancelled,     // the user confirmed Cancel
  kLanguageDialogFailed,  // the window could not be opened; the user was told
};

// Shows the window with the names of `languages`, preselects one and waits.
// On kLanguageChosen *chosen is the name of the entry chosen with OK (empty
// when the list is empty); the caller ends the process on the other
// results. `font` (may be NULL) is used for the controls.
LanguageChoice ChooseLanguage(const std::vector<LanguageFile> &languages, FontHandle font,
                              std::string *chosen);

#endif
