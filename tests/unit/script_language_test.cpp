// Language tables, language file headers, loading of the chosen language and
// the preselection of the language dialog.
#include <gtest/gtest.h>

#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"
#include "script/reserved_names.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    ClearDocument();
    ClearSelection();
    ResetLanguageStrings();
  }
};

LanguageFile MakeFile(const std::string &name, int32_t langId, const std::string &text = "") {
  LanguageFile file;
  file.name = name;
  file.langId = langId;
  file.text = text;
  return file;
}

TEST_F(LanguageTest, StringTableIndexesAndBreaks) {
  EXPECT_EQ(LangStringCount(), 0);
  EXPECT_EQ(LangString(0), "");
  EXPECT_EQ(AddInstallerString("one<br>two<BR>three<Br>"), 1);
  AddInstallerString("second");
  EXPECT_EQ(LangStringCount(), 2);
  EXPECT_EQ(LangString(1), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(LangString(0), "");
  EXPECT_EQ(LangString(-1), "");
  EXPECT_EQ(LangString(3), "");
  EXPECT_EQ(LangString(-2147483647 - 1), "");
  SetLangString(2, "changed");
  SetLangString(0, "never");
  SetLangString(3, "never");
  EXPECT_EQ(LangString(2), "changed");
  EXPECT_EQ(LangString(0), "");
  EXPECT_EQ(LangStringCount(), 2);
  ResetLanguageStrings();
  EXPECT_EQ(LangStringCount(), 0);
  EXPECT_EQ(LangString(1), "");
}

TEST_F(LanguageTest, UninstallerStringsKeptAsWritten) {
  AddUninstallerString("a<br>b");
  ASSERT_EQ(UninstallerStrings().size(), 1u);
  EXPECT_EQ(UninstallerStrings()[0], "a<br>b");
}

TEST_F(LanguageTest, PlaceholdersInAnyCase) {
  EXPECT_EQ(ReplacePlaceholder("File $p, expected $Q, found $R", "$P", "a.dll"),
            "File a.dll, expected $Q, found $R");
  std::string text = ReplacePlaceholder("$P / $q / $r / $P", "$P", "1");
  text = ReplacePlaceholder(text, "$Q", "2");
  text = ReplacePlaceholder(text, "$R", "3");
  EXPECT_EQ(text, "1 / 2 / 3 / 1");
}

TEST_F(LanguageTest, ReadsHeaderAndClearsStore) {
  const LanguageFile file =
      ReadLanguageFile("[Information]\r\nName = Deutsch\r\nLangID = $407\r\n[X]\r\nA=1\r\n");
  EXPECT_EQ(file.name, "Deutsch");
  EXPECT_EQ(file.langId, 1031);
  EXPECT_EQ(ReadScriptValue("X", "A"), "");
  const LanguageFile none = ReadLanguageFile("no groups at all");
  EXPECT_EQ(none.name, "");
  EXPECT_EQ(none.langId, 0);
  EXPECT_EQ(none.text, "no groups at all");
}

TEST_F(LanguageTest, LoadsTheMatchingFile) {
  std::vector<LanguageFile> languages;
  languages.push_back(MakeFile("French", 1036, "[LanguageDataInstaller]\r\nl1 = Erreur\r\n"));
  languages.push_back(MakeFile(
      " english ", 1033,
      "[LanguageDataInstaller]\r\nx = Error\r\ny = a<br>b\r\n[LanguageDataUninstaller]\r\n"
      "z = Uninstall<br>\r\n"));
  languages.push_back(MakeFile("English", 1033, "[LanguageDataInstaller]\r\nl1 = Second\r\n"));
  EXPECT_GT(LoadLanguageStrings(languages, "ENGLISH"), 0);
  EXPECT_EQ(LangStringCount(), 2);
  EXPECT_EQ(LangString(1), "Error");
  EXPECT_EQ(LangString(2), "a\r\nb");
  ASSERT_EQ(UninstallerStrings().size(), 1u);
  EXPECT_EQ(UninstallerStrings()[0], "Uninstall<br>");
  // The entries stay in the store for the script that follows.
  EXPECT_EQ(ReadScriptValue("LanguageDataInstaller", "x"), "Error");
}

TEST_F(LanguageTest, LoadFailsWithoutEntries) {
  std::vector<LanguageFile> languages;
  languages.push_back(MakeFile("English", 1033, "; nothing but a comment"));
  languages.push_back(MakeFile("Empty", 0, ""));
  EXPECT_EQ(LoadLanguageStrings(languages, "English"), 0);
  EXPECT_EQ(LoadLanguageStrings(languages, "Empty"), 0);
  EXPECT_EQ(LoadLanguageStrings(languages, "Missing"), 0);
  EXPECT_EQ(LangStringCount(), 0);
  // Without an installer group nothing is added, yet loading succeeds.
  languages.push_back(MakeFile("Bare", 0, "[Information]\r\nName = Bare\r\n"));
  EXPECT_EQ(LoadLanguageStrings(languages, "bare"), 1);
  EXPECT_EQ(LangStringCount(), 0);
  EXPECT_EQ(LangString(1), "");
}

TEST_F(LanguageTest, FindByNameIsExact) {
  std::vector<LanguageFile> languages = {MakeFile("english", 1), MakeFile("English", 2),
                                         MakeFile("English", 3)};
  EXPECT_EQ(FindLanguageByName(languages, "English"), 1);
  EXPECT_EQ(FindLanguageByName(languages, "ENGLISH"), -1);
  EXPECT_EQ(FindLanguageByName(languages, ""), -1);
}

TEST_F(LanguageTest, ListLeavesOutUnnamedFiles) {
  std::vector<LanguageFile> languages = {MakeFile("", 1033), MakeFile("Deutsch", 1031),
                                         MakeFile("", 1036), MakeFile("Deutsch", 1031)};
  const std::vector<size_t> entries = LanguageListEntries(languages);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], 1u);
  EXPECT_EQ(entries[1], 3u);
  // The unnamed file holds the user's LangID but is not in the list.
  EXPECT_EQ(PreselectLanguage(languages, entries, 1033), 0);
}

TEST_F(LanguageTest, PreselectionRules) {
  std::vector<LanguageFile> languages = {MakeFile("Deutsch", 1031), MakeFile("ENGLISH", 2057),
                                         MakeFile("Fran\xE7" "ais", 1036),
                                         MakeFile("Deutsch (2)", 1031)};
  const std::vector<size_t> entries = LanguageListEntries(languages);
  // The last file with the user's LangID wins.
  EXPECT_EQ(PreselectLanguage(languages, entries, 1031), 3);
  EXPECT_EQ(PreselectLanguage(languages, entries, 1036), 2);
  // No LangID match: English in any letter case.
  EXPECT_EQ(PreselectLanguage(languages, entries, 1041), 1);
  // Neither: the first entry.
  std::vector<LanguageFile> others = {MakeFile("Deutsch", 1031), MakeFile(" English", 2057),
                                      MakeFile("English ", 2057), MakeFile("Englisch", 1)};
  EXPECT_EQ(PreselectLanguage(others, LanguageListEntries(others), 1033), 0);
  std::vector<LanguageFile> none;
  EXPECT_EQ(PreselectLanguage(none, LanguageListEntries(none), 1033), -1);
}

TEST_F(LanguageTest, LocaleLangIdDigits) {
  EXPECT_EQ(ParseLocaleLangId("0409", 8), 1033);
  EXPECT_EQ(ParseLocaleLangId("0407\0" "99", 8), 1031);
  EXPECT_EQ(ParseLocaleLangId("FFFF", 4), 65535);
  EXPECT_EQ(ParseLocaleLangId("10000", 5), 0);
  EXPECT_EQ(ParseLocaleLangId("0409", 2), 4);
  EXPECT_EQ(ParseLocaleLangId("", 8), 0);
  EXPECT_EQ(ParseLocaleLangId("zz", 8), 0);
  EXPECT_EQ(ParseLocaleLangId(nullptr, 8), 0);
}

TEST(ReservedNamesTest, FortyFiveInOrder) {
  const std::vector<std::string> names = BuildReservedNames();
  ASSERT_EQ(names.size(), 45u);
  EXPECT_EQ(names[0], "con");
  EXPECT_EQ(names[3], "clock$");
  EXPECT_EQ(names[5], "com0");
  EXPECT_EQ(names[6], "lpt0");
  EXPECT_EQ(names[23], "com9");
  EXPECT_EQ(names[24], "lpt9");
  EXPECT_EQ(names[25], "$mft");
  EXPECT_EQ(names[38], "$reparse");
  EXPECT_TRUE(IsReservedName(names, " COM0 "));
  EXPECT_TRUE(IsReservedName(names, "$MftMirr"));
  EXPECT_FALSE(IsReservedName(names, "com10"));
  EXPECT_FALSE(IsReservedName(names, "con."));
  // The superscript device numbers the system accepts.
  EXPECT_TRUE(IsReservedName(names, "COM\xB9"));
  EXPECT_TRUE(IsReservedName(names, "lpt\xB3"));
  EXPECT_FALSE(IsReservedName(names, "com\xB4"));
}

}  // namespace
