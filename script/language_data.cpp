#include "script/language_data.h"

#include "script/ansi_text.h"
#include "script/document.h"
#include "script/language_strings.h"

LanguageFile ReadLanguageFile(const std::string &text) {
  LanguageFile file;
  file.text = text;
  ParseDocument(text);
  file.name = ReadScriptValue("Information", "Name");
  // LangIDs live in 32-bit fields: the low 32 bits of the value are kept.
  file.langId = static_cast<int32_t>(static_cast<uint32_t>(ReadScriptInteger("Information", "LangID")));
  ClearDocument();
  return file;
}

int FindLanguageByName(const std::vector<LanguageFile> &languages, const std::string &name) {
  for (size_t i = 0; i < languages.size(); ++i) {
    if (languages[i].name == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int LoadLanguageStrings(const std::vector<LanguageFile> &languages, const std::string &name) {
  const std::string wanted = NormalizeName(name);
  std::string text;
  for (const LanguageFile &file : languages) {
    if (NormalizeName(file.name) == wanted) {
      text = file.text;
      break;
    }
  }
  const int count = ParseDocument(text);
  if (count == 0) {
    return 0;
  }
  SelectGroup("LanguageDataInstaller");
  while (NextSelected()) {
    AddInstallerString(SelectedValue());
  }
  ClearSelection();
  SelectGroup("LanguageDataUninstaller");
  while (NextSelected()) {
    AddUninstallerString(SelectedValue());
  }
  ClearSelection();
  return count;
}

std::vector<size_t> LanguageListEntries(const std::vector<LanguageFile> &languages) {
  std::vector<size_t> entries;
  for (size_t i = 0; i < languages.size(); ++i) {
    if (!languages[i].name.empty()) {
      entries.push_back(i);
    }
  }
  return entries;
}

int PreselectLanguage(const std::vector<LanguageFile> &languages,
                      const std::vector<size_t> &entries, int32_t userLangId) {
  if (entries.empty()) {
    return -1;
  }
  int chosen = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] < languages.size() && languages[entries[i]].langId == userLangId) {
      chosen = static_cast<int>(i);
    }
  }
  for (size_t i = 0; chosen < 0 && i < entries.size(); ++i) {
    if (entries[i] < languages.size() && AnsiLower(languages[entries[i]].name) == "english") {
      chosen = static_cast<int>(i);
    }
  }
  return chosen < 0 ? 0 : chosen;
}

int32_t ParseLocaleLangId(const char *digits, size_t size) {
  if (!digits) {
    return 0;
  }
  std::string text("$");
  for (size_t i = 0; i < size && digits[i] != '\0'; ++i) {
    text.push_back(digits[i]);
  }
  const int64_t value = ParseScriptInteger(text);
  return (value < 0 || value > 65535) ? 0 : static_cast<int32_t>(value);
}
