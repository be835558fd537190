// The string tables of the chosen language.
//
// InstallerStrings is indexed from 1 (index 0 is the empty entry made at
// start-up); every "<br>", in any letter case, becomes CR LF as a string is
// added. UninstallerStrings are kept as they stand and handed on to the
// uninstaller.
#ifndef QVS_SCRIPT_LANGUAGE_STRINGS_H
#define QVS_SCRIPT_LANGUAGE_STRINGS_H

#include <string>
#include <vector>

// Makes the installer table hold only the empty entry 0 and empties the
// uninstaller list.
void ResetLanguageStrings();

// Appends one installer string, "<br>" converted. Returns 1.
int AddInstallerString(const std::string &text);
// Entry `index` for 0 <= index <= stringCount, else the empty text. The
// reference is valid until the table next changes.
const std::string &LangString(int index);
// Replaces entry `index` (1..stringCount); used when placeholders are filled.
void SetLangString(int index, const std::string &text);
// Highest index in use; 0 while no string is loaded.
int LangStringCount();

void AddUninstallerString(const std::string &text);
const std::vector<std::string> &UninstallerStrings();

// `text` with every "$P", "$Q" or "$R" (the `token` given), in any letter
// case, replaced by `value`. Callers that fill several placeholders do so
// one after the other, in the order their message names them.
std::string ReplacePlaceholder(const std::string &text, const std::string &token,
                               const std::string &value);

#endif
