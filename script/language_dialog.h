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

// Shows the window with the names of `languages`, preselects one and waits.
// Returns the name of the entry chosen with OK (empty when the list is
// empty). A confirmed Cancel, or a window that cannot be opened, ends the
// process through CleanExit. `font` (may be NULL) is used for the controls.
std::string ChooseLanguage(const std::vector<LanguageFile> &languages, FontHandle font);

#endif
