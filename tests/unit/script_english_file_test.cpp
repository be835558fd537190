// The English language file shipped with the builder, read the way the
// installer reads it.
#include <gtest/gtest.h>

#include <ctype.h>

#include <fstream>
#include <sstream>

#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"

namespace {

// The repository root, found from this file's path (tests/unit/...).
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

class EnglishFileTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    ClearDocument();
    ClearSelection();
    ResetLanguageStrings();
  }
};

TEST_F(EnglishFileTest, HeaderCountsAndStrings) {
  const std::string text = ReadWholeFile(SourceRoot() + "lang/English.lng");
  ASSERT_FALSE(text.empty());
  std::vector<LanguageFile> languages = {ReadLanguageFile(text)};
  EXPECT_EQ(languages[0].name, "English");
  EXPECT_EQ(languages[0].langId, 1033);
  ASSERT_GT(LoadLanguageStrings(languages, "english"), 0);
  EXPECT_EQ(LangStringCount(), 148);
  ASSERT_EQ(UninstallerStrings().size(), 15u);
  EXPECT_EQ(LangString(1), "Error");
  EXPECT_EQ(LangString(22),
            "Setup cannot continue because it could not find the following program / component on "
            "your computer: \"$P\".\r\n\r\nDetails:\r\n$Q");
  EXPECT_EQ(LangString(29), "%mm/%dd/%yy, %hh:%ii:%ss");
  EXPECT_EQ(LangString(106), "$APPNAME$ Setup");
  EXPECT_EQ(LangString(145),
            "Please enter a full path in the following form: DriveLetter:\\DesiredPath\\\r\n\r\n"
            "Example: C:\\App\\");
  EXPECT_EQ(LangString(148), "The installation process cannot continue.");
  // The review page's headings, once misspelt "instalation".
  EXPECT_EQ(LangString(45), "Selected installation type:");
  EXPECT_EQ(LangString(47), "Installation directory:");
  EXPECT_EQ(LangString(48), "Installation mode:");
  std::string lower = text;
  for (char &c : lower) c = (char)tolower((unsigned char)c);
  EXPECT_EQ(lower.find("instalation"), std::string::npos);
  EXPECT_EQ(UninstallerStrings()[14],
            "In order to finish the uninstallation your computer must be restarted. Please save "
            "all your work and press 'Yes' to reboot now or press 'No' if you plan to manually "
            "reboot later.");
  EXPECT_EQ(UninstallerStrings()[5],
            "Uninstall has detected active programs on your computer. Please close all active "
            "programs so Setup can remove the relevant files.<br><br>Details:<br>$P");
}

TEST_F(EnglishFileTest, KeysNumberTheStringsAndLinesEndInCrLf) {
  const std::string text = ReadWholeFile(SourceRoot() + "lang/English.lng");
  ParseDocument(text);
  EXPECT_EQ(SelectGroup("LanguageDataInstaller"), 148);
  for (int n = 1; NextSelected(); ++n) {
    EXPECT_EQ(SelectedKey(), "l" + std::to_string(n));
  }
  ClearSelection();
  EXPECT_EQ(SelectGroup("LanguageDataUninstaller"), 15);
  ClearSelection();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
