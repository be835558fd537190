#include "script/language_strings.h"

#include "script/ansi_text.h"

namespace {

struct LanguageTables {
  // Entry 0 is always the empty text, so the chosen language's strings
  // keep the numbers every caller cites.
  std::vector<std::string> installer{std::string()};
  std::vector<std::string> uninstaller;
};

LanguageTables &Tables() {
  static LanguageTables tables;
  return tables;
}

const std::string &EmptyText() {
  static const std::string empty;
  return empty;
}

}  // namespace

void ResetLanguageStrings() {
  LanguageTables &tables = Tables();
  std::vector<std::string>(1).swap(tables.installer);
  std::vector<std::string>().swap(tables.uninstaller);
}

int AddInstallerString(const std::string &text) {
  Tables().installer.push_back(ReplaceIgnoringCase(text, "<br>", "\r\n"));
  return 1;
}

const std::string &LangString(int index) {
  const std::vector<std::string> &installer = Tables().installer;
  if (index < 0 || static_cast<size_t>(index) >= installer.size()) {
    return EmptyText();
  }
  return installer[static_cast<size_t>(index)];
}

void SetLangString(int index, const std::string &text) {
  std::vector<std::string> &installer = Tables().installer;
  if (index < 1 || static_cast<size_t>(index) >= installer.size()) {
    return;
  }
  installer[static_cast<size_t>(index)] = text;
}

int LangStringCount() { return static_cast<int>(Tables().installer.size() - 1); }

void AddUninstallerString(const std::string &text) { Tables().uninstaller.push_back(text); }

const std::vector<std::string> &UninstallerStrings() { return Tables().uninstaller; }

std::string ReplacePlaceholder(const std::string &text, const std::string &token,
                               const std::string &value) {
  return ReplaceIgnoringCase(text, token, value);
}
