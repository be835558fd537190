// The portable decisions of the installer's tasks: the per-system switch,
// link names and the wizard's shortcut boxes, association keys, command
// lines, environment value types, font titles, done-record IDs, and the
// folders the delete-folder task refuses.
#include <gtest/gtest.h>

#include <set>

#include "engine/tasks/association_plan.h"
#include "engine/tasks/done_tasks.h"
#include "engine/undo/folder_protection.h"
#include "engine/tasks/link_rules.h"
#include "engine/tasks/system_rules.h"
#include "engine/tasks/task_rules.h"

TEST(TaskRules, EachKnownSystemReadsItsOwnSwitchAndOthersReadZero) {
  const int codes[] = {10, 20, 30, 40, 50, 60, 65, 70, 75, 80};
  int32_t OsFlags::*fields[] = {&OsFlags::Win95,   &OsFlags::WinNT4,        &OsFlags::Win98,
                                &OsFlags::WinMe,   &OsFlags::Win2000,       &OsFlags::WinXP,
                                &OsFlags::WinServer2003, &OsFlags::WinVista,
                                &OsFlags::WinServer2008, &OsFlags::Win7};
  for (int i = 0; i < 10; i++) {
    OsFlags only;
    only.*fields[i] = 7;
    for (int j = 0; j < 10; j++)
      EXPECT_EQ(TaskFlagForOs(only, codes[j]), i == j ? 7 : 0) << codes[j];
  }
  OsFlags all = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(TaskFlagForOs(all, 5), 0);
  EXPECT_EQ(TaskFlagForOs(all, 100), 0);
}

TEST(TaskRules, ProgressTypesRootsAndCommandLines) {
  EXPECT_EQ(TaskProgressPercent(1, 3), 33);
  EXPECT_EQ(TaskProgressPercent(2, 3), 67);
  EXPECT_EQ(TaskProgressPercent(1, 8), 13);  // 12.5 rounds up
  EXPECT_EQ(TaskProgressPercent(3, 3), 100);
  EXPECT_EQ(TaskProgressPercent(0, 0), 0);

  EXPECT_EQ(RegistryTypeForValueType(0), 1);
  EXPECT_EQ(RegistryTypeForValueType(1), 4);
  EXPECT_EQ(RegistryTypeForValueType(2), 0);
  EXPECT_EQ(RegistryTypeForValueType(-1), 0);

  EXPECT_EQ(RootHandleValue(0), INT32_MIN);
  EXPECT_EQ(RootHandleValue(2), -2147483646);
  EXPECT_EQ(RootHandleValue(4), -2147483643);  // HKEY_CURRENT_CONFIG, not the performance root
  EXPECT_EQ(RootHandleValue(5), -2147483642);
  EXPECT_EQ(RootHandleValue(6), 0);
  EXPECT_EQ(RootHandleValue(-1), 0);

  EXPECT_EQ(DirectCommandLine("C:\\A B\\p.exe", ""), "");
  EXPECT_EQ(DirectCommandLine("C:\\A B\\p.exe", "/s x"), "\"C:\\A B\\p.exe\" /s x");
  EXPECT_EQ(FileNamePartOf("C:\\a/b\\editor.exe"), "editor.exe");
  EXPECT_EQ(FileNamePartOf("editor.exe"), "editor.exe");
}

TEST(LinkRules, ExtensionIsAddedOnlyWhenMissing) {
  EXPECT_EQ(WithLinkExtension("Readme.LNK", kShellLinkExtension), "Readme.LNK");
  EXPECT_EQ(WithLinkExtension("Readme", kShellLinkExtension), "Readme.lnk");
  EXPECT_EQ(WithLinkExtension("Site.URL", kInternetLinkExtension), "Site.URL");
  EXPECT_EQ(WithLinkExtension("Site.url.txt", kInternetLinkExtension), "Site.url.txt.url");
  EXPECT_EQ(WithLinkExtension("lnk", kShellLinkExtension), "lnk.lnk");
  EXPECT_EQ(WithLinkExtension("", kShellLinkExtension), ".lnk");
}

TEST(LinkRules, DesktopAndQuickLaunchFollowTheWizardBoxes) {
  ShortcutBoxes none;
  std::string link;
  EXPECT_FALSE(PlanShortcutTaskLink("<Desktop>\\App", none, 60, &link));
  EXPECT_EQ(link, "<Desktop>\\App.lnk");
  EXPECT_FALSE(PlanShortcutTaskLink("  <commondesktop>\\App", none, 60, &link));
  EXPECT_TRUE(PlanShortcutTaskLink("<startprograms>\\App", none, 60, &link));
  EXPECT_FALSE(PlanShortcutTaskLink("<quicklaunch>\\App", none, 60, &link));

  ShortcutBoxes boxes;
  boxes.desktop = boxes.quickLaunch = true;
  EXPECT_TRUE(PlanShortcutTaskLink("<desktop>\\App.lnk", boxes, 60, &link));
  EXPECT_EQ(link, "<desktop>\\App.lnk");
  EXPECT_TRUE(PlanShortcutTaskLink("<QuickLaunch>\\App", boxes, 75, &link));
  EXPECT_FALSE(PlanShortcutTaskLink("<quicklaunch>\\App", boxes, 80, &link));  // Windows 7
  EXPECT_FALSE(PlanShortcutTaskLink("<quicklaunch>\\App", boxes, 100, &link));

  boxes.allUsers = true;
  EXPECT_TRUE(PlanShortcutTaskLink("<DESKTOP>\\App", boxes, 60, &link));
  EXPECT_EQ(link, "<commondesktop>\\App.lnk");
  // A desktop token later in the path does not make it a desktop link.
  none.allUsers = true;
  EXPECT_TRUE(PlanShortcutTaskLink("C:\\x\\<desktop>", none, 60, &link));
  EXPECT_EQ(link, "C:\\x\\<commondesktop>.lnk");
}

namespace {

AssociationTexts Texts(const std::string &extension) {
  AssociationTexts t;
  t.extension = extension;
  t.description = " Text file ";
  t.programPath = "C:\\Ed\\editor.exe";
  t.iconSpec = "";
  t.programFileName = "editor.exe";
  t.verb = "open";
  return t;
}

std::string Describe(const AssociationPlan &plan) {
  std::string text = std::to_string(plan.rootCode) + " " + plan.extensionKey + "\n";
  for (const AssociationStep &s : plan.steps) {
    text += s.key;
    if (s.setValue) text += " -> " + s.valueKey + " = " + s.value;
    if (s.takesExtension) text += " *";
    if (s.onlyWhenUnset) text += " (unless set)";
    text += "\n";
  }
  return text;
}

}  // namespace

TEST(AssociationPlan, DottedAndBareExtensionsGiveTheSameKeys) {
  AssociationPlan dotted, bare;
  ASSERT_TRUE(PlanFileAssociation(Texts(".txt"), 60, &dotted));
  ASSERT_TRUE(PlanFileAssociation(Texts("txt"), 60, &bare));
  EXPECT_EQ(Describe(dotted), Describe(bare));
  EXPECT_EQ(Describe(dotted),
            "0 .txt\n"
            "txt_auto_file\n"
            ".txt -> .txt = txt_auto_file *\n"
            ".txt -> txt_auto_file = Text file\n"
            "txt_auto_file\\shell\n"
            "txt_auto_file\\shell\\open\n"
            "txt_auto_file\\shell\\open\\command -> txt_auto_file\\shell\\open\\command = "
            "\"C:\\Ed\\editor.exe\" \"%1\"\n"
            "txt_auto_file\\shell -> txt_auto_file\\shell = open (unless set)\n");
}

TEST(AssociationPlan, NineXUsesTheProgramNameBelowClassesAndOtherSystemsNothing) {
  AssociationTexts t = Texts("txt");
  t.iconSpec = "C:\\Ed\\editor.exe,2";
  AssociationPlan plan;
  ASSERT_TRUE(PlanFileAssociation(t, 30, &plan));
  EXPECT_EQ(Describe(plan),
            "2 Software\\Classes\\.txt\n"
            "Software\\Classes\\.txt -> Software\\Classes\\.txt = editor.exe *\n"
            "Software\\Classes\\editor.exe\n"
            "Software\\Classes\\editor.exe\\DefaultIcon -> "
            "Software\\Classes\\editor.exe\\DefaultIcon = C:\\Ed\\editor.exe,2\n"
            "Software\\Classes\\editor.exe\\shell\n"
            "Software\\Classes\\editor.exe\\shell\\open\n"
            "Software\\Classes\\editor.exe\\shell\\open\\command -> "
            "Software\\Classes\\editor.exe\\shell\\open\\command = "
            "\"C:\\Ed\\editor.exe\" \"%1\"\n"
            "Software\\Classes\\editor.exe\\shell -> Software\\Classes\\editor.exe\\shell = open "
            "(unless set)\n");
  // A verb named for the menu is the default one too; without a verb (or
  // one of separators only) the class gets "open".
  t.verb = "Open with Editor, fast";
  PlanFileAssociation(t, 80, &plan);
  EXPECT_NE(Describe(plan).find("txt_auto_file\\shell\\OpenwithEditorfast -> "
                                "txt_auto_file\\shell\\OpenwithEditorfast = Open with Editor, fast\n"
                                "txt_auto_file\\shell\\OpenwithEditorfast\\command -> "),
            std::string::npos);
  EXPECT_EQ(plan.steps.back().value, "OpenwithEditorfast");
  t.verb = " ";
  PlanFileAssociation(t, 80, &plan);
  EXPECT_NE(Describe(plan).find("txt_auto_file\\shell\\open\\command -> "), std::string::npos);
  EXPECT_EQ(plan.steps.back().value, "open");
  t.verb = ", ,";
  PlanFileAssociation(t, 80, &plan);
  EXPECT_NE(Describe(plan).find("txt_auto_file\\shell\\open -> txt_auto_file\\shell\\open = , ,\n"),
            std::string::npos);
  EXPECT_FALSE(PlanFileAssociation(t, 100, &plan));
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_FALSE(PlanFileAssociation(t, 5, &plan));
}

TEST(AssociationPlan, CommandQuotingAndIconSpec) {
  AssociationTexts t = Texts("txt");
  AssociationPlan plan;
  t.commandLine = "\"%1\" /x \"y\"";  // already quoted at both ends: unchanged
  PlanFileAssociation(t, 80, &plan);
  EXPECT_EQ(plan.steps[plan.steps.size() - 2].value, "\"C:\\Ed\\editor.exe\" \"%1\" /x \"y\"");
  t.commandLine = "/p %1";  // quoted as a whole
  t.programPath = "\"C:\\Ed\\editor.exe";
  PlanFileAssociation(t, 80, &plan);
  EXPECT_EQ(plan.steps[plan.steps.size() - 2].value, "\"C:\\Ed\\editor.exe\" \"/p %1\"");
  EXPECT_EQ(QuoteEnds(""), "\"\"");
  EXPECT_EQ(QuoteEnds("\""), "\"\"");
  EXPECT_EQ(QuoteEnds("a\""), "\"a\"");

  EXPECT_EQ(AssociationIconSpec("", 3, "C:\\Ed\\editor.exe"), "C:\\Ed\\editor.exe,3");
  EXPECT_EQ(AssociationIconSpec("C:\\i.ico", -1, "C:\\e.exe"), "C:\\i.ico,-1");
  t.iconSpec = AssociationIconSpec("", 0, t.programPath);
  PlanFileAssociation(t, 80, &plan);
  EXPECT_NE(Describe(plan).find("txt_auto_file\\DefaultIcon = \"C:\\Ed\\editor.exe,0"),
            std::string::npos);
}

TEST(SystemRules, EnvironmentTypeFollowsTheEarlierTypeAndReferences) {
  EXPECT_EQ(EnvironmentValueType(false, "C:\\Tools"), 1);
  EXPECT_EQ(EnvironmentValueType(true, "C:\\Tools"), 2);
  EXPECT_EQ(EnvironmentValueType(false, "%SystemRoot%\\bin;C:\\x"), 2);
  EXPECT_EQ(EnvironmentValueType(false, "100%"), 1);
  EXPECT_EQ(EnvironmentValueType(false, "50% or 60%"), 2);  // "% or 60%" reads as a reference
  EXPECT_EQ(EnvironmentValueType(false, "%%"), 1);
  EXPECT_EQ(EnvironmentValueType(false, "a%%b%"), 2);
  EXPECT_EQ(EnvironmentValueType(false, "%"), 1);
}

TEST(SystemRules, AutoexecKeepsEveryLineAndAppendsTheSetLineLast) {
  EXPECT_EQ(AppendAutoexecSet("", " QVS ", " C:\\Q "), "SET QVS=C:\\Q");
  EXPECT_EQ(AppendAutoexecSet("@ECHO OFF\r\nSET QVS=old\r\n", "QVS", "new"),
            "@ECHO OFF\r\nSET QVS=old\r\nSET QVS=new");
  EXPECT_EQ(AppendAutoexecSet("a\nb\rc", "X", "1"), "a\r\nb\r\nc\r\nSET X=1");
  EXPECT_EQ(AppendAutoexecSet("a\r\n\r\nb", "X", ""), "a\r\n\r\nb\r\nSET X=");
}

TEST(SystemRules, FontTitlesAndEarlierValues) {
  EXPECT_EQ(FontTitle("C:\\f\\Sans.ttf"), "Sans");
  EXPECT_EQ(FontTitle("C:\\f\\a.ttf.TTF"), "a");
  EXPECT_EQ(FontTitle("a.b.fon"), "a.b");
  EXPECT_EQ(FontTitle("C:\\f\\NoExt"), "NoExt");

  const uint8_t text[] = {'%', 'A', '%', 0, 'x'};
  EXPECT_EQ(PreviousRegistryText(2, text, sizeof text), "%A%");
  const uint8_t dword[] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(PreviousRegistryText(4, dword, sizeof dword), "-1");
  const uint8_t multi[] = {'a', 0, 0x1F};
  EXPECT_EQ(PreviousRegistryText(7, multi, sizeof multi), std::string("a\0\x1F", 3));
  const uint8_t longDword[] = {2, 0, 0, 0, 9};
  EXPECT_EQ(PreviousRegistryText(4, longDword, sizeof longDword), "2");
  EXPECT_EQ(PreviousRegistryText(3, nullptr, 0), "");

  EXPECT_TRUE(IniNameListed({"Other", " settings "}, "Settings"));
  EXPECT_FALSE(IniNameListed({"Settings2"}, "Settings"));
  EXPECT_FALSE(IniNameListed({}, "Settings"));
}

TEST(DoneTasks, IdsAreInRangeUniqueAndAvoidTheScriptsIds) {
  DoneIdSource source;
  SeedDoneIdSource(&source, 12345);
  std::set<int32_t> used = {5, 17, 99999999};
  const std::set<int32_t> script = used;
  std::set<int32_t> drawn;
  for (int i = 0; i < 2000; i++) {
    const int32_t id = DrawDoneTaskId(&source, &used);
    ASSERT_GE(id, 0);
    ASSERT_LE(id, kDoneIdMaximum);
    EXPECT_EQ(script.count(id), 0u);
    EXPECT_TRUE(drawn.insert(id).second) << "drawn twice: " << id;
  }
  EXPECT_EQ(used.size(), script.size() + 2000);

  DoneTaskRecord record;
  record.Type = kDoneIniGroup;
  record.ComponentID = 9;
  ASSERT_TRUE(NameDoneRecord(&record, "1700000000", &source, &used));
  EXPECT_EQ(record.Name, "1700000000");
  EXPECT_EQ(record.ComponentID, 0);
  EXPECT_EQ(record.Type, kDoneIniGroup);
  EXPECT_EQ(used.count(record.ID), 1u);
}

TEST(DoneTasks, WhenEveryDrawIsTakenTheNextFreeIdIsUsed) {
  // A twin of the source has taken all the IDs the source will draw, so the
  // search must walk on from its last draw instead of drawing forever.
  DoneIdSource twin, source;
  SeedDoneIdSource(&twin, 7);
  SeedDoneIdSource(&source, 7);
  std::set<int32_t> used;
  int32_t last = -1;
  for (int i = 0; i < 1000; i++) last = DrawDoneTaskId(&twin, &used);
  ASSERT_EQ(used.size(), 1000u);
  int32_t expected = (last + 1) % (kDoneIdMaximum + 1);
  while (used.count(expected)) expected = (expected + 1) % (kDoneIdMaximum + 1);
  EXPECT_EQ(DrawDoneTaskId(&source, &used), expected);
}

TEST(FolderProtection, PathsNormalizeForComparison) {
  EXPECT_EQ(NormalizeFolderPath("C:/Program Files\\\\App\\"), "c:\\program files\\app");
  EXPECT_EQ(NormalizeFolderPath("C:\\A\\.\\B\\..\\C"), "c:\\a\\c");
  EXPECT_EQ(NormalizeFolderPath("C:\\Windows.\\ "), "c:\\windows");
  EXPECT_EQ(NormalizeFolderPath("C:\\A\\..\\.."), "");
  EXPECT_EQ(NormalizeFolderPath("\\\\Server\\Share\\x\\"), "\\\\server\\share\\x");
  EXPECT_EQ(NormalizeFolderPath("\\\\server\\share\\.."), "");
  EXPECT_EQ(NormalizeFolderPath("\\\\?\\C:\\Windows"), "");
  EXPECT_EQ(NormalizeFolderPath("\\Product"), "");
  EXPECT_EQ(NormalizeFolderPath("Product"), "");
  EXPECT_EQ(NormalizeFolderPath("C:Product"), "");
}

TEST(FolderProtection, RootsSystemFoldersAndProfilesAreRefused) {
  ProtectedFolders folders;
  folders.folders = {"C:\\Windows", "C:\\Windows\\system32\\", "C:\\Program Files",
                     "C:\\Program Files (x86)", "C:\\Users\\bob", ""};
  folders.profilesFolders = {"C:\\Users\\"};
  const char *refused[] = {"C:\\",
                           "c:",
                           "D:\\",
                           "C:\\WINDOWS\\",
                           "C:\\Windows\\System32",
                           "C:\\Windows\\.",
                           "C:\\Program Files\\..\\Program Files (x86)",
                           "C:\\PROGRAM FILES",
                           "C:\\Users",
                           "C:\\Users\\alice",
                           "C:\\Users\\bob\\",
                           "\\\\server\\share",
                           "\\\\server\\share\\",
                           "\\Product",
                           "",
                           "<programfiles>\\Product",
                           "C:\\Windows::$INDEX_ALLOCATION",
                           "C:\\Program Files\\Product:stream"};
  for (const char *path : refused) EXPECT_TRUE(IsFolderDeletionRefused(path, folders)) << path;
  const char *allowed[] = {"C:\\Program Files\\Product",
                           "C:\\Windows\\Temp\\Product",
                           "C:\\Users\\alice\\AppData\\Product",
                           "D:\\Product",
                           "C:\\Program Files (x86)x",
                           "\\\\server\\share\\Product"};
  for (const char *path : allowed) EXPECT_FALSE(IsFolderDeletionRefused(path, folders)) << path;
}

// Folders as a file system would number them: the system folders and those
// that hold them, plus "D:\\Data" on another volume.
bool FakeIdentity(const std::string &path, FolderIdentity *identity) {
  const char *known[] = {"c:\\windows", "c:\\windows\\system32", "c:\\program files", "c:\\users",
                         "c:\\users\\bob", "c:\\data\\deep\\protected", "c:\\data\\deep",
                         "c:\\data"};
  for (size_t i = 0; i < sizeof known / sizeof known[0]; i++) {
    if (path != known[i]) continue;
    identity->volume = 7;
    identity->index = 100 + i;
    return true;
  }
  return false;
}

FolderIdentity Numbered(uint32_t volume, uint64_t index) {
  FolderIdentity identity;
  identity.volume = volume;
  identity.index = index;
  return identity;
}

// Another name for a protected folder (\\\\localhost\\C$\\Windows, a link)
// leads to the same folder: refused by what it is, not by how it is named.
TEST(FolderProtection, OtherNamesOfProtectedFoldersAreRefusedByIdentity) {
  ProtectedFolders folders;
  folders.folders = {"C:\\Windows\\System32", "C:\\Program Files", "C:\\Data\\Deep\\Protected",
                     "C:\\Users\\bob", "C:\\Users"};
  folders.profilesFolders = {"C:\\Users\\"};
  const FolderIdentity unrelated = Numbered(7, 999);
  for (uint64_t index : {100, 101, 102, 103, 104, 105, 106, 107})
    EXPECT_TRUE(IsProtectedFolderIdentity(Numbered(7, index), &unrelated, folders, FakeIdentity))
        << index;
  // The same number on another volume is another folder.
  EXPECT_FALSE(IsProtectedFolderIdentity(Numbered(8, 100), &unrelated, folders, FakeIdentity));
  EXPECT_FALSE(IsProtectedFolderIdentity(unrelated, &unrelated, folders, FakeIdentity));
  EXPECT_FALSE(IsProtectedFolderIdentity(unrelated, NULL, folders, FakeIdentity));
  // A folder right inside the profiles folder is someone's profile.
  const FolderIdentity users = Numbered(7, 103);
  EXPECT_TRUE(IsProtectedFolderIdentity(unrelated, &users, folders, FakeIdentity));
  EXPECT_TRUE(IsProtectedFolderIdentity(unrelated, &unrelated, folders, NULL));
}
