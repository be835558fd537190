// Required items, running instances and existing installations.
#include "checks/existing_installations.h"
#include "checks/required_items.h"
#include "checks/running_instances.h"
#include "tests/unit/checks_test_support.h"

namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

RequiredFile VersionedFile(const std::string &path, int a, int b, int c, int d) {
  RequiredFile f;
  f.FilePath = path;
  f.CheckVersion = 1;
  f.MajorHi = a;
  f.MajorLow = b;
  f.MinorHi = c;
  f.MinorLow = d;
  return f;
}

RequiredItem ItemOnAllSystems(const std::string &name) {
  RequiredItem item;
  item.ProgramName = name;
  OsFlags &f = item.systems;
  f.Win95 = f.WinNT4 = f.Win98 = f.WinMe = f.Win2000 = f.WinXP = 1;
  f.WinServer2003 = f.WinVista = f.WinServer2008 = f.Win7 = 1;
  return item;
}

TEST(FileVersions, ExactFourPartComparison) {
  RequiredFile f = VersionedFile("x", 6, 1, 7600, 16385);
  EXPECT_TRUE(FileVersionMatches(f, "6.1.7600.16385"));
  EXPECT_FALSE(FileVersionMatches(f, "6.1.7601.17514"));
  EXPECT_FALSE(FileVersionMatches(f, "6.1.7600.16386"));
  EXPECT_TRUE(FileVersionMatches(f, "6.1.7600.16385.99"));
  RequiredFile zero = VersionedFile("x", 0, 0, 0, 0);
  EXPECT_TRUE(FileVersionMatches(zero, ""));
  EXPECT_TRUE(FileVersionMatches(zero, "..."));
  RequiredFile partial = VersionedFile("x", 2, 0, 0, 0);
  EXPECT_TRUE(FileVersionMatches(partial, "2"));
  EXPECT_EQ(FormatFileVersion(0x00060001, 0x1DB04001), "6.1.7600.16385");
  EXPECT_EQ(FormatFileVersion(0xFFFFFFFF, 0), "65535.65535.0.0");
  EXPECT_EQ(RequiredVersionText(f), "6.1.7600.16385");
}

TEST(FileVersions, ImageHeaderNeedsSixtyFourBytesAndMz) {
  uint8_t header[64] = {'M', 'Z'};
  header[60] = 0x80;
  header[61] = 0x01;
  uint32_t offset = 0;
  ASSERT_TRUE(ReadImageHeaderOffset(header, sizeof header, &offset));
  EXPECT_EQ(offset, 0x180u);
  EXPECT_FALSE(ReadImageHeaderOffset(header, 63, &offset));
  header[1] = 'Y';
  EXPECT_FALSE(ReadImageHeaderOffset(header, sizeof header, &offset));
  const uint8_t pe[4] = {'P', 'E', 0, 0};
  const uint8_t ne[4] = {'N', 'E', 0, 0};
  EXPECT_TRUE(IsImageSignature(pe, 4));
  EXPECT_FALSE(IsImageSignature(ne, 4));
  EXPECT_FALSE(IsImageSignature(pe, 3));
}

TEST_F(CheckTest, MissingThingsAreListedInOrderFileFileValue) {
  ScriptSettings s;
  RequiredItem item = ItemOnAllSystems("Runtime 2");
  item.Files.push_back(VersionedFile("C:\\a.dll", 6, 1, 7600, 16385));
  RequiredFile plain;
  plain.FilePath = "C:\\b.dll";
  item.Files.push_back(plain);
  RequiredKey key;
  key.MainKey = 2;
  key.SubKey = "Software\\Foo\\";
  item.Keys.push_back(key);
  RequiredValue value;
  value.MainKey = 2;
  value.SubKey = "Software\\Foo";
  value.ValueName = "Path";
  item.Values.push_back(value);
  s.requiredItems.push_back(item);
  machine.keys.insert("2|Software\\Foo\\");
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Dependency check");
  EXPECT_EQ(machine.shown[0].icon, kCheckIconExclamation);
  EXPECT_EQ(machine.shown[0].text,
            "Setup cannot continue because it could not find the following program / component "
            "on your computer: \"Runtime 2\".\r\n\r\nDetails:\r\nFile not found: C:\\a.dll\r\n"
            "File not found: C:\\b.dll\r\nMissing registry value: HKEY_LOCAL_MACHINE\\Software\\Foo"
            " -> Path\r\n");
  EXPECT_EQ(s.requiredItems.size(), 1u);  // kept when the installer ends
}

TEST_F(CheckTest, VersionMismatchNamesBothVersionsAndMissingKeyItsRoot) {
  ScriptSettings s;
  RequiredItem item = ItemOnAllSystems("Tool");
  item.Files.push_back(VersionedFile("C:\\t.exe", 6, 1, 7600, 16385));
  RequiredKey key;
  key.MainKey = 9;  // names no root
  key.SubKey = "Software\\Tool";
  item.Keys.push_back(key);
  s.requiredItems.push_back(item);
  machine.files["C:\\t.exe"] = 100;
  machine.fileVersions["C:\\t.exe"] = "6.1.7601.17514";
  machine.keys.insert("9|Software\\Tool");
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_NE(machine.shown[0].text.find("File version mismatch: C:\\t.exe, expected version "
                                       "6.1.7600.16385, instead found version 6.1.7601.17514.\r\n"
                                       "Missing registry key: "),
            std::string::npos);
}

TEST_F(CheckTest, ItemsOffTheirSystemsAreSkippedAndCompleteListsReleased) {
  ScriptSettings s;
  RequiredItem offHere = ItemOnAllSystems("Elsewhere");
  offHere.systems.Win7 = 0;
  offHere.Files.push_back(VersionedFile("C:\\missing", 1, 0, 0, 0));
  s.requiredItems.push_back(offHere);
  RequiredItem complete = ItemOnAllSystems("Here");
  complete.Files.push_back(VersionedFile("C:\\here.exe", 1, 2, 3, 4));
  s.requiredItems.push_back(complete);
  machine.files["C:\\here.exe"] = 1;
  machine.fileVersions["C:\\here.exe"] = "1.2.3.4";
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckContinue);
  EXPECT_TRUE(machine.shown.empty());
  EXPECT_TRUE(s.requiredItems.empty());
}

// Windows 10 is OS code 100, which has no switch of its own: its items
// follow the Win7 switch, a server's the WinServer2008 switch.
TEST_F(CheckTest, ItemsOnLaterSystemsFollowTheNewestListedSystemOfTheirKind) {
  env.osCode = 100;
  env.os.known = true;
  env.os.version.platform = kPlatformWindowsNT;
  env.os.version.majorVersion = 10;
  RequiredItem item;  // missing everywhere, examined only on 2008 servers
  item.systems.WinServer2008 = 1;
  item.Files.push_back(VersionedFile("C:\\missing", 0, 0, 0, 0));
  ScriptSettings s;
  s.requiredItems = {item};
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckEndInstaller);
  env.os.version.isWorkstation = true;
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckContinue);
  item.systems.Win7 = 1;
  s.requiredItems = {item};  // released when the check passed
  EXPECT_EQ(CheckRequiredItems(&s, env), kCheckEndInstaller);
}

TEST(WindowMatching, TitleAndClassRules) {
  EXPECT_TRUE(WindowMatches("Text Editor - notes.txt", "Edit", "editor", "", 1));
  EXPECT_FALSE(WindowMatches("Text Editor - notes.txt", "Edit", "editor", "", 0));
  EXPECT_TRUE(WindowMatches(" My App ", "X", "my app", "", 0));
  EXPECT_TRUE(WindowMatches("My App", " APPCLASS ", "My App", "appclass", 0));
  EXPECT_FALSE(WindowMatches("My App", "Other", "My App", "appclass", 1));
  EXPECT_FALSE(WindowMatches("", "AppClass", "", "AppClass", 1));
  CloseItem item;
  item.MatchExactly = 1;
  EXPECT_EQ(ContainsFlagFor(item), 0);
  item.MatchExactly = 0;
  EXPECT_EQ(ContainsFlagFor(item), 1);
  item.MatchExactly = 7;
  EXPECT_EQ(ContainsFlagFor(item), 1);
}

TEST_F(CheckTest, MutexAndWindowFoundTogetherInOneMessage) {
  ScriptSettings s;
  CloseItem window;
  window.Type = 1;
  window.WindowName = "Notes";
  window.MatchExactly = 0;
  CloseItem mutex;
  mutex.Type = 0;
  mutex.MutexName = "E2EMutex";
  CloseItem other;
  other.Type = 2;
  other.WindowName = "Notes";
  s.closeItemsInstaller = {window, other, mutex};
  machine.mutexes.insert("E2EMutex");
  machine.windows.push_back(FakeWindow{"My Notes - 1", "NotesClass"});
  EXPECT_EQ(CheckRunningInstances(&s, env), kCheckEndInstaller);
  EXPECT_TRUE(s.closeItemsInstaller.empty());
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Active programs check");
  EXPECT_EQ(machine.shown[0].text,
            "Setup has detected active programs on your computer. Please close all active "
            "programs so Setup can update the relevant files.\r\n\r\nDetails:\r\nOpen window: "
            "Notes\r\nActive mutex: E2EMutex\r\n");
}

TEST_F(CheckTest, NothingRunningConsumesTheListQuietly) {
  ScriptSettings s;
  CloseItem mutex;
  mutex.MutexName = "Absent";
  s.closeItemsInstaller = {mutex};
  EXPECT_EQ(CheckRunningInstances(&s, env), kCheckContinue);
  EXPECT_TRUE(s.closeItemsInstaller.empty());
  EXPECT_TRUE(machine.shown.empty());
}

class ExistingTest : public CheckTest {
 protected:
  void Register(int32_t root, const std::string &name, const char *displayName,
                const char *displayVersion) {
    std::string path = kUninstall + "\\" + name;
    machine.subkeys[std::to_string(root) + "|" + kUninstall].push_back(path);
    if (displayName != nullptr) SetValue(root, path, "DisplayName", displayName);
    if (displayVersion != nullptr) SetValue(root, path, "DisplayVersion", displayVersion);
  }
  static ExistingInstallation Item(const std::string &name, const std::string &version,
                                   int32_t remove) {
    ExistingInstallation item;
    item.ProgramName = name;
    item.ProgramVersion = version;
    item.Remove = remove;
    return item;
  }
};

TEST(InstallationMatching, NamesExactVersionsExactUnlessEmpty) {
  EXPECT_TRUE(InstallationMatches("P", "", "P", "3.0"));
  EXPECT_TRUE(InstallationMatches("P", "2.0", "P", ""));
  EXPECT_FALSE(InstallationMatches("P", "2.0", "P", "2.0.1"));
  EXPECT_FALSE(InstallationMatches("P", "", "p", ""));
}

TEST_F(ExistingTest, TheUsersEntryIsExaminedFirstAndItsVersionShown) {
  ScriptSettings s;
  s.existingInstallations.push_back(Item("<product>", "2.0", 1));
  Register(kRootLocalMachine, "{machine}", "Expanded Product", "2.0");
  Register(kRootCurrentUser, "{user}", "Expanded Product", nullptr);
  EXPECT_EQ(CheckExistingInstallations(&s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Existing installation check");
  EXPECT_EQ(machine.shown[0].text,
            "Setup cannot continue because it has detected another version of $APPNAME$ "
            "installed on your computer (). Please uninstall the current version of the program "
            "and run Setup again.");
}

TEST_F(ExistingTest, RemoveZeroAndOtherVersionsNeverBlock) {
  ScriptSettings s;
  s.existingInstallations.push_back(Item("Product", "", 0));
  s.existingInstallations.push_back(Item("Product", "2.0", 1));
  Register(kRootLocalMachine, "A", "Product", "2.0.1");
  Register(kRootLocalMachine, "B", "", "2.0");
  Register(kRootLocalMachine, "C", nullptr, nullptr);
  EXPECT_EQ(CheckExistingInstallations(&s, env), kCheckContinue);
  EXPECT_TRUE(machine.shown.empty());
  EXPECT_TRUE(s.existingInstallations.empty());

  s.existingInstallations.push_back(Item("Product", "", 1));
  EXPECT_EQ(CheckExistingInstallations(&s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_NE(machine.shown[0].text.find("(2.0.1)"), std::string::npos);
}

}  // namespace
