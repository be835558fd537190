// Language files: their header, the choice among them and the loading of
// the chosen one's strings. Portable; the dialog and the locale call that
// use these rules live with the Windows code.
//
// A language file is a document (see document.h) with the groups
// "Information" (keys "Name" and "LangID"), "LanguageDataInstaller" (string
// n is the n-th entry's value, keys ignored) and "LanguageDataUninstaller".
#ifndef QVS_SCRIPT_LANGUAGE_DATA_H
#define QVS_SCRIPT_LANGUAGE_DATA_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct LanguageFile {
  std::string name;
  int32_t langId = 0;
  std::string text;
};

// A LanguageFile for `text` with its name and LangID read. Uses the
// document store and clears it afterwards, so call it only while the store
// holds nothing else (when the payload is loaded).
LanguageFile ReadLanguageFile(const std::string &text);

// Index in `languages` of the first file whose name equals `name` exactly
// (letter case counts); -1 when none does.
int FindLanguageByName(const std::vector<LanguageFile> &languages, const std::string &name);

// Parses the first language file whose name matches `name` once both are
// lower-cased and trimmed (the empty text when none matches) into the
// document store, and appends its installer and uninstaller strings to the
// tables of language_strings.h. Returns the parse count; 0 means the data
// could not be parsed and nothing was added. The store keeps the language
// entries: the script is parsed next to them.
int LoadLanguageStrings(const std::vector<LanguageFile> &languages, const std::string &name);

// The entries of the language list, in order: the indexes in `languages`
// of the files whose name is not empty.
std::vector<size_t> LanguageListEntries(const std::vector<LanguageFile> &languages);

// The list entry to preselect: the last entry whose file has the user's
// LangID; else the first whose name, lower-cased, is exactly "english"
// (surrounding spaces count); else the first. -1 when the list is empty.
int PreselectLanguage(const std::vector<LanguageFile> &languages,
                      const std::vector<size_t> &entries, int32_t userLangId);

// The user's LangID from the text of its hexadecimal digits as the locale
// gives them ("0409" gives 1033), reading at most `size` bytes and stopping
// at a zero byte; a value outside 0..65535 gives 0.
int32_t ParseLocaleLangId(const char *digits, size_t size);

#endif
