// The demo product's language files and script, read as the installer
// reads them: both languages complete and consistent, the script well formed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"

namespace {

std::string SourceRoot() {
  std::string path(__FILE__);
  const size_t at = path.rfind("tests/unit/");
  return at == std::string::npos ? std::string("./") : path.substr(0, at);
}

std::string ReadWholeFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct LoadedLanguage {
  LanguageFile file;
  std::vector<std::string> installer;
  std::vector<std::string> uninstaller;
};

LoadedLanguage Load(const std::string &relativePath) {
  LoadedLanguage loaded;
  loaded.file = ReadLanguageFile(ReadWholeFile(SourceRoot() + relativePath));
  ResetLanguageStrings();
  LoadLanguageStrings({loaded.file}, loaded.file.name);
  for (int i = 1; i <= LangStringCount(); ++i) {
    loaded.installer.push_back(LangString(i));
  }
  loaded.uninstaller = UninstallerStrings();
  ClearDocument();
  ResetLanguageStrings();
  return loaded;
}

// The placeholders and line breaks a string carries, in sorted order: a
// translation must keep every one of them.
std::vector<std::string> Markers(const std::string &text) {
  static const std::regex marker("\\$[A-Z]+\\$|\\$[PQR]|%[a-z]{2}|\r\n|<br>");
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), marker), end; it != end; ++it) {
    found.push_back(it->str());
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(DemoProductTest, EnglishIsTheBuilderFile) {
  EXPECT_EQ(ReadWholeFile(SourceRoot() + "examples/demo/Languages/English.lng"),
            ReadWholeFile(SourceRoot() + "lang/English.lng"));
}

TEST(DemoProductTest, GermanMatchesEnglish) {
  const LoadedLanguage english = Load("examples/demo/Languages/English.lng");
  const LoadedLanguage german = Load("examples/demo/Languages/German.lng");
  EXPECT_EQ(german.file.name, "Deutsch");
  EXPECT_EQ(german.file.langId, 1031);
  ASSERT_EQ(german.installer.size(), 148u);
  ASSERT_EQ(german.uninstaller.size(), 15u);
  ASSERT_EQ(english.installer.size(), 148u);
  ASSERT_EQ(english.uninstaller.size(), 15u);
  for (size_t i = 0; i < 148; ++i) {
    EXPECT_FALSE(german.installer[i].empty()) << "string " << i + 1;
    EXPECT_EQ(Markers(german.installer[i]), Markers(english.installer[i])) << "string " << i + 1;
  }
  for (size_t i = 0; i < 15; ++i) {
    EXPECT_EQ(Markers(german.uninstaller[i]), Markers(english.uninstaller[i]))
        << "uninstaller string " << i + 1;
  }
}

TEST(DemoProductTest, ScriptIsWellFormed) {
  const std::string text = ReadWholeFile(SourceRoot() + "examples/demo/Script.qvs");
  ClearDocument();
  ASSERT_GT(ParseDocument(text), 0);
  EXPECT_EQ(ReadScriptValue("GeneralInformation", "ProgramName"), "Demo Product");
  EXPECT_EQ(ReadScriptValue("Components", "Items"), "20,21,22,23");
  EXPECT_EQ(ReadScriptInteger("20", "IsPrincipal"), 1);
  // Every item group that a list names exists.
  const char *lists[][2] = {{"CloseItemsInstaller", "Items"}, {"RegistryVars", "Items"},
                            {"Categories", "Items"},          {"Components", "Items"},
                            {"DetectExistingInstallations", "Items"},
                            {"InstallerTasks", "Items"},      {"CloseItemsUninstaller", "Items"},
                            {"UninstallerTasks", "Items"}};
  for (const auto &list : lists) {
    std::stringstream items(ReadScriptValue(list[0], list[1]));
    std::string name;
    while (std::getline(items, name, ',')) {
      EXPECT_GT(SelectGroup(name), 0) << list[0] << " names missing group " << name;
      ClearSelection();
    }
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
    }
  }
  ClearDocument();
}

}  // namespace
