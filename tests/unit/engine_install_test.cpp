// The installation's decisions: where entries go and which names are
// refused, the uninstaller's names, the replace rules and the remaining
// time.
#include <gtest/gtest.h>

#include <set>

#include "engine/install/install_plan.h"
#include "engine/install/remaining_time.h"
#include "engine/install/replace_rules.h"
#include "script/reserved_names.h"

namespace {

bool SelectTwenty(int32_t id, void *) { return id == 20 || id == 21; }

EntryPlacement Place(const std::string &name, EntryDestination *out = nullptr) {
  static const std::vector<std::string> reserved = BuildReservedNames();
  const std::vector<ComponentFolder> folders = {{20, "C:\\Apps\\Demo\\"}, {21, "D:\\Docs"}};
  EntryDestination ignored;
  return PlaceArchiveEntry(name, "_$_INSTALLER_Data_1234567_$_", folders, SelectTwenty, nullptr,
                           reserved, out ? out : &ignored);
}

}  // namespace

TEST(InstallPlan, EntriesGoBelowTheirComponentsFolder) {
  EntryDestination entry;
  ASSERT_EQ(Place("20\\bin\\app.exe", &entry), kEntryInstall);
  EXPECT_EQ(entry.componentId, 20);
  EXPECT_EQ(entry.relative, "bin\\app.exe");
  EXPECT_EQ(entry.destination, "C:\\Apps\\Demo\\bin\\app.exe");
  EXPECT_EQ(entry.folder, "C:\\Apps\\Demo\\bin\\");
  ASSERT_EQ(Place("21\\Manual.txt", &entry), kEntryInstall);
  EXPECT_EQ(entry.destination, "D:\\Docs\\Manual.txt");
  EXPECT_EQ(Place("22\\Sample.txt"), kEntryUnselected);
  EXPECT_EQ(Place("_$_INSTALLER_Data_1234567_$_\\Config\\Script.qvs"), kEntryConfiguration);
}

TEST(InstallPlan, NamesThatWouldEscapeTheirFolderAreDamage) {
  for (const char *name :
       {"20\\..\\..\\Windows\\evil.dll", "20\\a\\..\\b", "20\\.\\x", "20\\", "20\\\\x",
        "20\\C:\\x", "20\\x:stream", "20\\a/../../b", "20\\CON", "20\\aux.txt",
        "20\\dir\\Com1.log", "20\\trailing.", "20\\space ", "20\\bad\x01name", "20\\a?b",
        "$14\\x", "4294967316\\x", "020\\x", "-1\\x", "+20\\x", "\\x", "20", ""}) {
    EXPECT_EQ(Place(name), kEntryDamaged) << name;
  }
  // Damage shows whether or not the component is installed.
  EXPECT_EQ(Place("99\\..\\x"), kEntryDamaged);
  // Names that only look odd are fine.
  EXPECT_EQ(Place("20\\console\\con_1.txt"), kEntryInstall);
  EXPECT_EQ(Place("20\\..hidden"), kEntryInstall);
  EXPECT_EQ(Place("0\\x"), kEntryUnselected);
}

TEST(InstallPlan, ComponentIdsAreCanonicalDecimal) {
  int32_t id = -1;
  std::string relative;
  EXPECT_TRUE(ParseEntryComponentId("2147483647\\x", &id, &relative));
  EXPECT_EQ(id, 2147483647);
  EXPECT_EQ(relative, "x");
  EXPECT_FALSE(ParseEntryComponentId("2147483648\\x", &id, &relative));
  EXPECT_FALSE(ParseEntryComponentId("12abc\\x", &id, &relative));
}

TEST(InstallPlan, UninstallerNamesAndFolderLevels) {
  static std::set<std::string> present;
  present = {"C:\\P\\Uninst0.exe", "C:\\P\\Uninst1.dat", "C:\\P\\Uninst2.exe\\"};
  auto exists = [](const std::string &path) { return present.count(path) > 0; };
  EXPECT_EQ(ChooseUninstallerNumber("C:\\P\\", exists, 100), 2);
  present.clear();
  EXPECT_EQ(ChooseUninstallerNumber("C:\\P\\", exists, 100), 0);
  present = {"C:\\P\\Uninst0.exe"};
  EXPECT_EQ(ChooseUninstallerNumber("C:\\P\\", exists, 1), -1);
  EXPECT_EQ(UninstallerFileName(12, ".dat"), "Uninst12.dat");

  EXPECT_EQ(FolderLevels("D:\\A\\B\\"), (std::vector<std::string>{"D:\\A\\", "D:\\A\\B\\"}));
  EXPECT_EQ(FolderLevels("\\\\srv\\share\\X\\"), (std::vector<std::string>{"\\\\srv\\share\\X\\"}));
}

TEST(ReplaceRules, ModesAndRememberedAnswers) {
  EXPECT_EQ(DecideReplace(0, 200, 100, 0), kReplaceOverwrite);
  EXPECT_EQ(DecideReplace(1, 200, 100, 0), kReplaceKeep);
  EXPECT_EQ(DecideReplace(1, 100, 100, 0), kReplaceOverwrite);  // equal dates overwrite
  EXPECT_EQ(DecideReplace(1, 99, 100, 0), kReplaceOverwrite);
  EXPECT_EQ(DecideReplace(2, 0, 0, 0), kReplaceAsk);
  EXPECT_EQ(DecideReplace(2, 0, 0, 1), kReplaceOverwrite);
  EXPECT_EQ(DecideReplace(2, 0, 0, 2), kReplaceKeep);
  EXPECT_EQ(DecideReplace(3, 0, 0, 1), kReplaceNoAnswer);
  EXPECT_EQ(DecideReplace(-1, 0, 0, 0), kReplaceNoAnswer);

  int32_t sticky = 2;
  EXPECT_EQ(ApplyReplaceAnswer(kReplaceAnswerYes, &sticky), kReplaceOverwrite);
  EXPECT_EQ(sticky, 0);
  EXPECT_EQ(ApplyReplaceAnswer(kReplaceAnswerYesToAll, &sticky), kReplaceOverwrite);
  EXPECT_EQ(sticky, 1);
  EXPECT_EQ(ApplyReplaceAnswer(kReplaceAnswerNo, &sticky), kReplaceKeep);
  EXPECT_EQ(sticky, 0);
  EXPECT_EQ(ApplyReplaceAnswer(kReplaceAnswerNoToAll, &sticky), kReplaceKeep);
  EXPECT_EQ(sticky, 2);
  // A closed window answers No.
  EXPECT_EQ(ApplyReplaceAnswer(-7, &sticky), kReplaceKeep);
  EXPECT_EQ(sticky, 0);
}

TEST(RemainingTime, WordsUnitsAndNotAvailable) {
  const TimeWords words = {"hour", "hours", "minute", "minutes", "second", "seconds", "n/a"};
  // 50% in 3600 s: 3600 s to go.
  EXPECT_EQ(FormatRemainingTime(3600, 50.0, words), "1 hour 0 seconds");
  // 20% in 31.25 s... 25 s for 20%: 100 s to go.
  EXPECT_EQ(FormatRemainingTime(25, 20.0, words), "1 minute 40 seconds");
  EXPECT_EQ(FormatRemainingTime(25, 16.0, words), "2 minutes 11 seconds");
  EXPECT_EQ(FormatRemainingTime(10, 0.0, words), "n/a");
  EXPECT_EQ(FormatRemainingTime(10, 100.0, words), "n/a");
  // An elapsed time of 0 counts as 1 second.
  EXPECT_EQ(FormatRemainingTime(0, 50.0, words), "1 second");
  // Hours wrap at 60; an absurdly slow rate stays finite.
  EXPECT_EQ(FormatRemainingTime(3600, 1.0 / 61.0 * 100.0 / 60.0, words).find("n/a"),
            std::string::npos);
  EXPECT_EQ(FormatRemainingTime(1000000000, 1e-12, words).find("n/a"), std::string::npos);
}

TEST(RemainingTime, DatesFollowTheMask) {
  // 2026-12-07 14:05:09
  const int64_t when = 1796652309;
  EXPECT_EQ(FormatLocalDate(when, "%mm/%dd/%yy, %hh:%ii:%ss"), "12/07/26, 14:05:09");
  EXPECT_EQ(FormatLocalDate(when, "%dd.%mm.%yyyy"), "07.12.2026");
  EXPECT_EQ(FormatLocalDate(0, "%yyyy-%mm-%dd %hh"), "1970-01-01 00");
  EXPECT_EQ(FormatLocalDate(951782400, "%dd/%mm/%yyyy"), "29/02/2000");
}
