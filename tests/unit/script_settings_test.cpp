// ReadInstallerScript over scripts that use every list and record type.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "script/document.h"
#include "script/script_settings.h"

namespace {

std::string Lines(std::initializer_list<const char *> lines) {
  std::string text;
  for (const char *line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// Marks every text that passes through the expansion hook.
std::string MarkExpanded(const std::string &text) { return "E(" + text + ")"; }

// A hook that reports how many components exist when it runs.
const ScriptSettings *g_watched = nullptr;
std::string CountComponents(const std::string &text) {
  return text + "#" + std::to_string(g_watched ? g_watched->components.size() : 0);
}

bool ExistsUnderCurrentUser(int32_t mainKey, const std::string &, const std::string &) {
  return mainKey == 1;
}
std::string ReadFromRegistry(int32_t mainKey, const std::string &key, const std::string &value) {
  return "reg:" + std::to_string(mainKey) + ":" + key + ":" + value;
}

class ScriptSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    ClearDocument();
    ClearSelection();
    g_watched = nullptr;
  }
  static ScriptSettings Read(const std::string &text, const ScriptReadHooks &hooks) {
    ScriptSettings settings;
    g_watched = &settings;
    EXPECT_GT(ParseDocument(text), 0);
    ReadInstallerScript(hooks, &settings);
    g_watched = nullptr;
    return settings;
  }
};

TEST_F(ScriptSettingsTest, ScalarGroupsAndWhichTextsExpand) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  const ScriptSettings s = Read(
      Lines({"[GeneralInformation]", "ProgramName = <x>", "CopyrightString = (c)",
             "InstallerWindowTitle = T", "[SystemRequirements]", "Win95 = 1", "Win2003 = $10",
             "Win7 = %11", "InstallerType = 1", "DotNETWebpageAddress = http://n",
             "CheckForInstances = 1", "MemSizeMin = 4294967295", "[FileConfig]",
             "ReplaceStatus = 2", "[LookAndFeel]", "InstallerType = 7",
             "HeaderTitleTextFont = Tahoma", "BKText = Hello", "BKFirstColor = $FF8000",
             "[InstallerSettings]", "CreateGroup = 1", "CustomStartMenuGroup = G",
             "CreateSMProgramShortcut = 1", "SMProgramOutputName = P", "SMReadmeOutputName = R",
             "SMLicenseFilePath = L", "CreateSMLicenseShortcut  = 1", "SMLicenseComponentID = 9",
             "LaunchProgramProgramPath = app.exe", "LaunchProgramRunMode = 1",
             "ViewReadmePath = readme.txt", "ViewLicensePath = lic.txt",
             "ViewDocumentationProgramPath = doc.txt", "VisitWebsiteAddress = w",
             "[UninstallerSettings]", "CreateUninstaller = 1", "AddRemoveEntryName = A",
             "CheckForInstances = 3", "[SkipUninstallFiles]", "1 = <app>\\user.cfg",
             "2 = data.db"}),
      hooks);
  EXPECT_EQ(s.ProgramName, "<x>");
  EXPECT_EQ(s.CopyrightString, "E((c))");
  EXPECT_EQ(s.InstallerWindowTitle, "E(T)");
  EXPECT_EQ(s.Win95, 1);
  EXPECT_EQ(s.Win2003, 16);
  EXPECT_EQ(s.Win7, 3);
  EXPECT_EQ(s.WinXP, 0);
  EXPECT_EQ(s.RequirementsInstallerType, 1);
  EXPECT_EQ(s.LookInstallerType, 7);
  EXPECT_EQ(s.DotNETWebpageAddress, "E(http://n)");
  EXPECT_EQ(s.CheckForInstancesInstaller, 1);
  EXPECT_EQ(s.CheckForInstancesUninstaller, 3);
  EXPECT_EQ(s.MemSizeMin, -1);
  EXPECT_EQ(s.ReplaceStatus, 2);
  EXPECT_EQ(s.HeaderTitleTextFont, "Tahoma");
  EXPECT_EQ(s.BKText, "E(Hello)");
  EXPECT_EQ(s.BKFirstColor, 0xFF8000);
  EXPECT_EQ(s.CustomStartMenuGroup, "E(G)");
  EXPECT_EQ(s.SMProgram.Create, 1);
  // Shortcut and finish-action texts may name the install folder: they are
  // kept as written and expanded when used.
  EXPECT_EQ(s.SMProgram.OutputName, "P");
  EXPECT_EQ(s.SMReadme.OutputName, "R");
  EXPECT_EQ(s.SMLicense.Create, 1);
  EXPECT_EQ(s.SMLicense.FilePath, "L");
  EXPECT_EQ(s.SMLicense.ComponentID, 9);
  EXPECT_EQ(s.LaunchProgram.ProgramPath, "app.exe");
  EXPECT_EQ(s.LaunchProgram.RunMode, 1);
  EXPECT_EQ(s.ViewReadme.ProgramPath, "readme.txt");
  EXPECT_EQ(s.ViewLicense.ProgramPath, "lic.txt");
  EXPECT_EQ(s.ViewDocumentation.ProgramPath, "doc.txt");
  EXPECT_EQ(s.VisitWebsiteAddress, "w");
  EXPECT_EQ(s.CreateUninstaller, 1);
  EXPECT_EQ(s.AddRemoveEntryName, "E(A)");
  EXPECT_EQ(s.SkipUninstallFiles, (std::vector<std::string>{"<app>\\user.cfg", "data.db"}));
  EXPECT_TRUE(s.usedIds.empty());
}

TEST_F(ScriptSettingsTest, RequiredItemsWithSubListsAndTrailingComma) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  // The entries before the first group form the empty-named group, which
  // the trailing comma's empty item name reads.
  const ScriptSettings s = Read(
      Lines({"ID = 99", "ProgramName = nameless", "[RequireExistingItems]", "Items = 1, 2,",
             "[1]", "ProgramName = Runtime", "WinME = 1", "WinServer2003 = 1", "ID = 1",
             "Files = 11,12", "Keys = 13", "Values = 14", "[2]", "ID = 2", "Files =",
             "[11]", "ID = 11", "FilePath = a.dll", "CheckVersion = 1", "MajorHi = 5",
             "MinorLow = 2", "[12]", "ID = 1", "[13]", "ID = 13", "MainKey = 2", "SubKey = S",
             "[14]", "ID = 14", "MainKey = 1", "SubKey = K", "ValueName = V"}),
      hooks);
  ASSERT_EQ(s.requiredItems.size(), 3u);
  const RequiredItem &first = s.requiredItems[0];
  EXPECT_EQ(first.ProgramName, "E(Runtime)");
  EXPECT_EQ(first.systems.WinMe, 1);
  EXPECT_EQ(first.systems.WinServer2003, 1);
  EXPECT_EQ(first.systems.Win95, 0);
  ASSERT_EQ(first.Files.size(), 2u);
  EXPECT_EQ(first.Files[0].FilePath, "E(a.dll)");
  EXPECT_EQ(first.Files[0].CheckVersion, 1);
  EXPECT_EQ(first.Files[0].MajorHi, 5);
  EXPECT_EQ(first.Files[0].MinorLow, 2);
  ASSERT_EQ(first.Keys.size(), 1u);
  EXPECT_EQ(first.Keys[0].MainKey, 2);
  EXPECT_EQ(first.Keys[0].SubKey, "E(S)");
  ASSERT_EQ(first.Values.size(), 1u);
  EXPECT_EQ(first.Values[0].SubKey, "E(K)");
  EXPECT_EQ(first.Values[0].ValueName, "E(V)");
  // " 2" finds group 2: lookups trim names.
  EXPECT_EQ(s.requiredItems[1].ID, 2);
  EXPECT_TRUE(s.requiredItems[1].Files.empty());
  EXPECT_EQ(s.requiredItems[2].ID, 99);
  EXPECT_EQ(s.requiredItems[2].ProgramName, "E(nameless)");
  // Each ID once, the duplicate 1 of file 12 included once.
  EXPECT_EQ(s.usedIds, (std::set<int32_t>{1, 2, 11, 13, 14, 99}));
}

TEST_F(ScriptSettingsTest, CloseItemsByType) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  const ScriptSettings s = Read(
      Lines({"[CloseItemsInstaller]", "Items = 5,6,7", "[5]", "ID = 5", "Type = 0",
             "MutexName = M", "WindowName = ignored", "[6]", "ID = 6", "Type = 1",
             "WindowName = W", "WindowClass = C", "MatchExactly = 1", "MutexName = ignored",
             "[7]", "ID = 7", "Type = 4", "MutexName = ignored", "[CloseItemsUninstaller]",
             "Items = 8", "[8]", "ID = 8", "Type = 0", "MutexName = U"}),
      hooks);
  ASSERT_EQ(s.closeItemsInstaller.size(), 3u);
  EXPECT_EQ(s.closeItemsInstaller[0].MutexName, "E(M)");
  EXPECT_EQ(s.closeItemsInstaller[0].WindowName, "");
  EXPECT_EQ(s.closeItemsInstaller[1].WindowName, "E(W)");
  EXPECT_EQ(s.closeItemsInstaller[1].WindowClass, "E(C)");
  EXPECT_EQ(s.closeItemsInstaller[1].MatchExactly, 1);
  EXPECT_EQ(s.closeItemsInstaller[1].MutexName, "");
  EXPECT_EQ(s.closeItemsInstaller[2].Type, 4);
  EXPECT_EQ(s.closeItemsInstaller[2].MutexName, "");
  ASSERT_EQ(s.closeItemsUninstaller.size(), 1u);
  EXPECT_EQ(s.closeItemsUninstaller[0].MutexName, "E(U)");
  EXPECT_EQ(s.usedIds, (std::set<int32_t>{5, 6, 7, 8}));
}

TEST_F(ScriptSettingsTest, RegistryVarsResolvedOnceAfterTheList) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  hooks.registryValueExists = ExistsUnderCurrentUser;
  hooks.registryReadValue = ReadFromRegistry;
  const ScriptSettings s = Read(
      Lines({"[RegistryVars]", "Items = r1,r2,r3", "[r1]", "MainKey = 1", "Key = Software\\A",
             "Value = Dir", "PathVarName = <a>", "DefaultTo = <programfiles>\\A", "[r2]",
             "MainKey = 2", "Key = Software\\B", "Value = Dir", "DefaultTo = <programfiles>\\B",
             "[r3]", "MainKey = 1", "Key =", "DefaultTo = unused", "ID = 42"}),
      hooks);
  ASSERT_EQ(s.registryVars.size(), 3u);
  EXPECT_EQ(s.registryVars[0].PathVarName, "<a>");
  EXPECT_EQ(s.registryVars[0].resolved, "reg:1:Software\\A:Dir");
  // A missing value falls back to DefaultTo, written as it stands.
  EXPECT_EQ(s.registryVars[1].resolved, "<programfiles>\\B");
  EXPECT_EQ(s.registryVars[2].resolved, "");
  EXPECT_TRUE(s.usedIds.empty());
  ScriptReadHooks none;
  EXPECT_EQ(ResolveRegistryVar(none, s.registryVars[0]), "<programfiles>\\A");
}

TEST_F(ScriptSettingsTest, CategoriesComponentsAndLocalizedTexts) {
  ScriptReadHooks hooks;
  hooks.expandText = CountComponents;
  const ScriptSettings s = Read(
      Lines({"[Categories]", "Items = 10", "[10]", "ID = 10", "InternalName = Core",
             "LocalizedNameID = 100", "[100]", "1033 = Core", "-1 = Default", "$407 = Kern",
             "[Components]", "Items = 20,21", "[20]", "ID = 20", "CategoryID = 10",
             "InternalName = Main", "LocalizedNameID = 101", "DescriptionID = 102",
             "PathVariable = <App>", "InstallationPath = <programfiles>\\App",
             "IsPrincipal = 1", "IsPathEnforced = 1", "IsMandatory = 0", "IsMarked = 1",
             "[101]", "1033 = Main", "[102]", "1033 = The main part", "1031 = Hauptteil", "[21]",
             "ID = 10", "LocalizedNameID = 0", "DescriptionID = 103", "[0]", "1033 = zero"}),
      hooks);
  ASSERT_EQ(s.categories.size(), 1u);
  ASSERT_EQ(s.categories[0].names.size(), 3u);
  EXPECT_EQ(s.categories[0].names[0].langId, 1033);
  EXPECT_EQ(s.categories[0].names[0].text, "Core#0");
  EXPECT_EQ(s.categories[0].names[1].langId, -1);
  EXPECT_EQ(s.categories[0].names[2].langId, 1031);
  ASSERT_EQ(s.components.size(), 2u);
  const Component &main = s.components[0];
  EXPECT_EQ(main.CategoryID, 10);
  EXPECT_EQ(main.PathVariable, "<App>");
  // Component paths are kept as written; they expand when used.
  EXPECT_EQ(main.InstallationPath, "<programfiles>\\App");
  EXPECT_EQ(main.IsPrincipal, 1);
  EXPECT_EQ(main.IsPathEnforced, 1);
  EXPECT_EQ(main.IsMarked, 1);
  // The component is in the list while its own texts expand.
  ASSERT_EQ(main.names.size(), 1u);
  EXPECT_EQ(main.names[0].text, "Main#1");
  ASSERT_EQ(main.descriptions.size(), 2u);
  EXPECT_EQ(main.descriptions[1].text, "Hauptteil#1");
  ASSERT_EQ(s.components[1].names.size(), 1u);
  EXPECT_EQ(s.components[1].names[0].text, "zero#2");
  EXPECT_TRUE(s.components[1].descriptions.empty());
  // Categories add their IDs; components do not.
  EXPECT_EQ(s.usedIds, (std::set<int32_t>{10}));
}

TEST_F(ScriptSettingsTest, ExistingInstallations) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  const ScriptSettings s =
      Read(Lines({"[DetectExistingInstallations]", "PromptUninstallExisting = 1", "Items = e1,",
                  "[e1]", "ProgramName = Old", "ProgramVersion = 1.0", "Remove = 1", "ID = 5"}),
           hooks);
  EXPECT_EQ(s.PromptUninstallExisting, 1);
  ASSERT_EQ(s.existingInstallations.size(), 2u);
  EXPECT_EQ(s.existingInstallations[0].ProgramName, "E(Old)");
  EXPECT_EQ(s.existingInstallations[0].ProgramVersion, "E(1.0)");
  EXPECT_EQ(s.existingInstallations[0].Remove, 1);
  EXPECT_EQ(s.existingInstallations[1].Remove, 0);
  EXPECT_TRUE(s.usedIds.empty());
}

TEST_F(ScriptSettingsTest, InstallerTasksKeepTextsAsWritten) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  const ScriptSettings s = Read(
      Lines({"[InstallerTasks]", "Items = t0,t2,t3,t5,t10,t13,t14,t99", "[t0]", "ID = 100",
             "Name = Run", "Type = 0", "Win7 = 1", "WinServer2008 = 1", "ComponentID = 20",
             "ProgramPath = <app>\\setup.exe", "CommandLine = /a=1 /b", "RunMode = 1",
             "ExecutionTime = 1", "RunHidden = 1", "WaitUntilQuit = 1", "[t2]", "ID = 102",
             "Type = 2", "BaseKey = 1", "KeyPath = K", "ValueName = N", "ValueData = D",
             "ValueType = 1", "[t3]", "ID = 103", "Type = 3", "OutputPath = <desktop>\\App",
             "FilePath = F", "IconPath = I", "IconIndex = 2", "CommandLine = C", "StartIn = S",
             "Comment = M", "[t5]", "ID = 105", "Type = 5", "ExePath = E", "Extension = ext",
             "ExplorerDescription = X", "Icon = I", "IconIndex = 1", "Description = D",
             "[t10]", "ID = 110", "Type = 10", "IniPath = a.ini", "Group = G", "ValueName = V",
             "ValueData = W", "[t13]", "ID = 113", "Type = 13", "SourceFile = A",
             "DestinationFile = B", "[t14]", "ID = 114", "Type = 14", "Address = old.txt",
             "[t99]", "ID = 100", "Type = 99", "Address = none"}),
      hooks);
  ASSERT_EQ(s.installerTasks.size(), 8u);
  const TaskItem &run = s.installerTasks[0];
  EXPECT_EQ(run.Name, "Run");
  EXPECT_EQ(run.systems.Win7, 1);
  EXPECT_EQ(run.systems.WinServer2008, 1);
  EXPECT_EQ(run.systems.WinVista, 0);
  EXPECT_EQ(run.ComponentID, 20);
  EXPECT_EQ(run.details.ProgramPath, "<app>\\setup.exe");
  EXPECT_EQ(run.details.CommandLine, "/a=1 /b");
  EXPECT_EQ(run.details.RunMode, 1);
  EXPECT_EQ(run.details.ExecutionTime, 1);
  EXPECT_EQ(run.details.RunHidden, 1);
  EXPECT_EQ(run.details.WaitUntilQuit, 1);
  EXPECT_EQ(s.installerTasks[1].details.ValueData, "D");
  EXPECT_EQ(s.installerTasks[1].details.ValueType, 1);
  EXPECT_EQ(s.installerTasks[2].details.OutputPath, "<desktop>\\App");
  EXPECT_EQ(s.installerTasks[2].details.IconIndex, 2);
  EXPECT_EQ(s.installerTasks[2].details.Comment, "M");
  EXPECT_EQ(s.installerTasks[3].details.Extension, "ext");
  EXPECT_EQ(s.installerTasks[3].details.Description, "D");
  EXPECT_EQ(s.installerTasks[4].details.Group, "G");
  EXPECT_EQ(s.installerTasks[4].details.ValueData, "W");
  EXPECT_EQ(s.installerTasks[5].details.DestinationFile, "B");
  EXPECT_EQ(s.installerTasks[6].details.Address, "old.txt");
  // An unknown type is kept, without details.
  EXPECT_EQ(s.installerTasks[7].Type, 99);
  EXPECT_EQ(s.installerTasks[7].details.Address, "");
  EXPECT_EQ(s.usedIds, (std::set<int32_t>{100, 102, 103, 105, 110, 113, 114}));
}

TEST_F(ScriptSettingsTest, UninstallerTasksKeepTheirTextsForTheDataFile) {
  ScriptReadHooks hooks;
  hooks.expandText = MarkExpanded;
  const ScriptSettings s = Read(
      Lines({"[UninstallerTasks]", "Items = u0,u1,u2,u3,u4,u6", "[u0]", "ID = 200", "Type = 0",
             "ProgramPath = P", "CommandLine = C", "RunMode = 1", "[u1]", "ID = 201",
             "Type = 1", "BaseKey = 2", "Key = K", "KeyPath = ignored", "[u2]", "ID = 202",
             "Type = 2", "KeyPath = K", "ValueName = V", "[u3]", "ID = 203", "Type = 3",
             "SourceFile = S", "DestinationFile = D", "[u4]", "ID = 204", "Type = 4",
             "FilePath = F", "[u6]", "ID = 206", "Type = 6", "Address = A"}),
      hooks);
  ASSERT_EQ(s.uninstallerTasks.size(), 6u);
  EXPECT_EQ(s.uninstallerTasks[0].details.ProgramPath, "P");
  EXPECT_EQ(s.uninstallerTasks[0].details.CommandLine, "C");
  EXPECT_EQ(s.uninstallerTasks[0].details.RunMode, 1);
  EXPECT_EQ(s.uninstallerTasks[1].details.BaseKey, 2);
  EXPECT_EQ(s.uninstallerTasks[1].details.Key, "K");
  EXPECT_EQ(s.uninstallerTasks[1].details.KeyPath, "");
  EXPECT_EQ(s.uninstallerTasks[2].details.ValueName, "V");
  EXPECT_EQ(s.uninstallerTasks[3].details.DestinationFile, "D");
  EXPECT_EQ(s.uninstallerTasks[4].details.FilePath, "F");
  EXPECT_EQ(s.uninstallerTasks[5].details.Address, "A");
  EXPECT_EQ(s.usedIds.size(), 6u);
}

TEST_F(ScriptSettingsTest, EmptyAndLineFeedOnlyScripts) {
  ScriptReadHooks hooks;
  // LF-only text is one line: every key is missing.
  const ScriptSettings s =
      Read("[GeneralInformation]\nProgramName = X\n[Components]\nItems = 1\n", hooks);
  EXPECT_EQ(s.ProgramName, "");
  EXPECT_TRUE(s.components.empty());
  ScriptSettings untouched;
  ReadInstallerScript(hooks, nullptr);
  ClearDocument();
  ReadInstallerScript(hooks, &untouched);
  EXPECT_TRUE(untouched.components.empty());
  EXPECT_EQ(untouched.ProgramName, "");
}

TEST_F(ScriptSettingsTest, DemoScript) {
  std::string path(__FILE__);
  path = path.substr(0, path.rfind("tests/unit/")) + "examples/demo/Script.qvs";
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ScriptReadHooks hooks;
  const ScriptSettings s = Read(text.str(), hooks);
  EXPECT_EQ(s.ProgramName, "Demo Product");
  EXPECT_EQ(s.Win95 + s.WinNT4 + s.Win98 + s.WinMe + s.Win2000 + s.WinXP + s.Win2003 +
                s.WinVista + s.Win2008 + s.Win7,
            10);
  ASSERT_EQ(s.categories.size(), 2u);
  ASSERT_EQ(s.components.size(), 4u);
  EXPECT_EQ(s.components[0].IsPrincipal, 1);
  EXPECT_EQ(s.components[0].InstallationPath, "<programfiles>\\Demo Product");
  EXPECT_EQ(s.components[1].IsMandatory, 1);
  for (const Component &component : s.components) {
    EXPECT_EQ(component.names.size(), 3u) << component.InternalName;
    EXPECT_EQ(component.descriptions.size(), 3u) << component.InternalName;
  }
  EXPECT_EQ(s.installerTasks.size(), 8u);
  EXPECT_EQ(s.uninstallerTasks.size(), 2u);
  EXPECT_EQ(s.closeItemsInstaller.size(), 2u);
  EXPECT_EQ(s.registryVars.size(), 1u);
  EXPECT_EQ(s.existingInstallations.size(), 1u);
  EXPECT_EQ(s.CreateGroup, 1);
  EXPECT_EQ(s.SMProgram.ComponentID, 20);
  EXPECT_EQ(s.usedIds, (std::set<int32_t>{10, 11, 30, 31, 32, 33, 34, 35, 36, 37, 40, 41, 50,
                                          51, 52}));
}

}  // namespace
