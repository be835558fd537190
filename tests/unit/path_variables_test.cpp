// Path variables over fake system lookups: substitution order, letter case,
// trailing backslashes, the per-system folder rules and the PureBasic
// folder search.
#include <gtest/gtest.h>

#include <map>

#include "checks/os_classification.h"
#include "script/path_variables.h"
#include "script/purebasic_folder.h"

namespace {

// The fake system: special folder n is "F:\Sn\", "windir" is F:\Win and
// "USERPROFILE" F:\Users\me; every lookup is counted.
struct FakeSystem {
  std::map<int, std::string> folders;
  std::map<std::string, std::string> environment;
  std::map<std::string, bool> existing;
  std::string registry = "F:\\RegProgs\\";
  int calls = 0;
};
FakeSystem g_system;

std::string FakeExpand(const std::string &text) {
  std::string out = text;
  const size_t at = out.find("%windir%");
  if (at != std::string::npos) out.replace(at, 8, g_system.environment["windir"]);
  return out;
}
std::string FakeFolder(int csidl) {
  ++g_system.calls;
  auto found = g_system.folders.find(csidl);
  return found != g_system.folders.end() ? found->second
                                         : "F:\\S" + std::to_string(csidl) + "\\";
}
std::string FakeEnvironment(const char *name) {
  ++g_system.calls;
  return g_system.environment[name];
}
bool FakeExists(const std::string &path) { return g_system.existing[path]; }
std::string FakeTemp() {
  ++g_system.calls;
  return "F:\\Temp\\";
}
std::string FakeRegistry(int32_t root, const std::string &key, const std::string &value) {
  ++g_system.calls;
  return root == 2 && key == "Software\\Microsoft\\Windows\\CurrentVersion\\" &&
                 value == "ProgramFilesDir"
             ? g_system.registry
             : std::string();
}
std::string FakeInstaller() { return "F:\\Downloads\\setup.exe"; }
std::string FakeUser() { return "Ann"; }
std::string FakePureBasic(int os) { return "F:\\PB" + std::to_string(os) + "\\"; }

const PathVariableLookups kFakeLookups = [] {
  PathVariableLookups lookups;
  lookups.expandEnvironment = FakeExpand;
  lookups.specialFolder = FakeFolder;
  lookups.environmentVariable = FakeEnvironment;
  lookups.folderExists = FakeExists;
  lookups.temporaryFolder = FakeTemp;
  lookups.registryValue = FakeRegistry;
  lookups.installerPath = FakeInstaller;
  lookups.userName = FakeUser;
  lookups.pureBasicFolder = FakePureBasic;
  return lookups;
}();

class PathVariables : public ::testing::Test {
 protected:
  void SetUp() override {
    g_system = FakeSystem();
    g_system.environment["windir"] = "F:\\Win";
    g_system.environment["USERPROFILE"] = "F:\\Users\\me";
    settings.ProgramName = "Product";
    settings.ProgramVersion = "2.0";
    settings.CompanyName = "Vendor";
    scope.osCode = 60;
    scope.languageId = 1031;
    scope.settings = &settings;
    scope.startMenuFolder = &startMenu;
    scope.lookups = &kFakeLookups;
  }
  std::string Expand(const std::string &text) { return ReplacePathVariables(scope, text); }
  std::string On(int os, const std::string &text) {
    scope.osCode = os;
    return Expand(text);
  }

  ScriptSettings settings;
  std::string startMenu;
  PathVariableScope scope;
};

TEST_F(PathVariables, TokensMatchInAnyCaseAtEveryOccurrence) {
  EXPECT_EQ(Expand("<ProgramFiles>\\Product"), Expand("<programfiles>\\Product"));
  EXPECT_EQ(Expand("<PROGRAMFILES>\\a;<programfiles>\\b"), "F:\\S38\\a;F:\\S38\\b");
  EXPECT_EQ(Expand("<ProgramName> <PROGRAMVERSION> by <companyname>"), "Product 2.0 by Vendor");
  EXPECT_EQ(Expand("<unknown>\\<programfiles"), "<unknown>\\<programfiles");
}

TEST_F(PathVariables, TextsWithoutTokensCostNoLookups) {
  EXPECT_EQ(Expand("C:\\plain\\text"), "C:\\plain\\text");
  EXPECT_EQ(Expand("<desktop>"), "F:\\S16");
  EXPECT_EQ(g_system.calls, 1);
  EXPECT_EQ(Expand("   "), "");
  EXPECT_EQ(Expand(""), "");
  EXPECT_EQ(Expand("  <desktop> "), "  F:\\S16 ");
}

TEST_F(PathVariables, UnknownSystemsKeepSystemTokens) {
  startMenu = "F:\\Menu\\Product\\";
  for (int os : {5, 100, 0, 55}) {
    EXPECT_EQ(On(os, "<programfiles>\\Product"), "<programfiles>\\Product") << os;
    EXPECT_EQ(On(os, "<lcid>;<temp>;<installerexe>"), "<lcid>;<temp>;<installerexe>") << os;
    // Product texts and the start-menu folder do not depend on the system.
    EXPECT_EQ(On(os, "<programname>|<defaultstartmenugroup>"), "Product|F:\\Menu\\Product") << os;
  }
  EXPECT_EQ(g_system.calls, 0);
}

// What the detection answers on Windows 10 reaches the expansion as the
// system it acts as: every system token has a value.
TEST_F(PathVariables, Windows10HasTheFoldersOfWindows7) {
  const std::string all =
      "<temp>|<rootpartition>|<documents>|<appdata>|<localappdata>|<desktop>|<commondesktop>|"
      "<quicklaunch>|<start>|<startprograms>|<commonstartprograms>|<programfiles>|"
      "<programfiles_x86>|<windows>|<system>|<lcid>|<installerexe>|<installerexedir>|"
      "<currentusername>|<purebasic>";
  OsDetails ten;
  ten.known = true;
  ten.version = {kPlatformWindowsNT, 10, 0, 19045, true};
  scope.osCode = OsCodeActingAs(ClassifyOsVersion(ten), ten);
  const std::string expanded = Expand(all);
  EXPECT_EQ(expanded.find('<'), std::string::npos) << expanded;
  EXPECT_EQ(expanded, On(80, all));
}

TEST_F(PathVariables, TrailingBackslashRules) {
  g_system.folders[16] = "D:\\Users\\Desk\\";
  EXPECT_EQ(Expand("<rootpartition>\\x"), "D:\\x");
  EXPECT_EQ(On(50, "<rootpartition>"), "F:");  // the Windows folder's drive
  g_system.folders[5] = "\\";                   // a failed lookup
  g_system.folders[11] = "";
  EXPECT_EQ(Expand("<documents>|<start>"), "<documents>|<start>");
  // Product texts go in as they are, a lone backslash excepted.
  settings.SupportEmail = "\\";
  settings.ProgramWebsite = "http://x/\\";
  EXPECT_EQ(Expand("<supportemail>|<programwebsite>"), "<supportemail>|http://x/\\");
  EXPECT_EQ(Expand("<lcid>|<currentusername>|<installerexedir>"), "1031|Ann|F:\\Downloads");
  startMenu = "\\";
  EXPECT_EQ(Expand("<defaultstartmenugroup>"), "<defaultstartmenugroup>");
  startMenu = "\\\\";
  EXPECT_EQ(Expand("<defaultstartmenugroup>"), "\\");
}

TEST_F(PathVariables, ComponentFoldersComeFirstWithoutTheirBackslash) {
  Component data;
  data.PathVariable = " <DataDir> ";
  data.InstallationPath = "D:\\Data\\";
  Component empty;
  empty.PathVariable = "<emptydir>";
  empty.InstallationPath = "\\";
  Component nested;
  nested.PathVariable = "<plugins>";
  nested.InstallationPath = "<programfiles>\\Plugins";
  settings.components = {data, empty, nested};
  EXPECT_EQ(Expand("<datadir>\\a|<DATADIR>|<emptydir>"), "D:\\Data\\a|D:\\Data|<emptydir>");
  // A component's folder may itself hold fixed tokens.
  EXPECT_EQ(Expand("<plugins>\\x.dll"), "F:\\S38\\Plugins\\x.dll");
}

TEST_F(PathVariables, RegistryVariablesComeLastAndAreFinal) {
  RegistryVar var;
  var.PathVarName = "<appdir>";
  var.resolved = "<programfiles>\\App\\";
  RegistryVar unset;
  unset.PathVarName = "<unset>";
  settings.registryVars = {var, unset};
  EXPECT_EQ(Expand("<AppDir>\\run.exe|<unset>"), "<programfiles>\\App\\run.exe|<unset>");
  // A fixed value may hold a registry token, which is then replaced.
  settings.ProgramName = "<appdir>";
  EXPECT_EQ(Expand("<programname>"), "<programfiles>\\App");
}

TEST_F(PathVariables, EnvironmentIsExpandedFirst) {
  EXPECT_EQ(Expand("%windir%\\<temp>"), "F:\\Win\\F:\\Temp");
  g_system.environment["windir"] = "<programname>";
  EXPECT_EQ(Expand("%windir%"), "Product");
}

// Every system-dependent token on every known system.
TEST_F(PathVariables, FoldersFollowTheSystemRules) {
  struct Row {
    int os;
    const char *expected;
  };
  const char *text =
      "<appdata>|<localappdata>|<commondesktop>|<quicklaunch>|<commonstartprograms>|"
      "<programfiles>|<programfiles_x86>|<windows>|<system>|<purebasic>";
  const std::string ql = "\\Microsoft\\Internet Explorer\\Quick Launch";
  const Row rows[] = {
      {10, "F:\\Win\\Application Data|F:\\Win\\Local Settings\\Application Data|"
           "F:\\Win\\All Users\\Desktop|F:\\Win\\Application Data\\Microsoft\\Internet Explorer\\"
           "Quick Launch|F:\\Win\\Start Menu\\Programs|F:\\RegProgs|F:\\RegProgs|F:\\Win|"
           "F:\\Win\\system|F:\\PB10"},
      {20, "F:\\Users\\me\\Application Data|F:\\Users\\me\\Local Settings\\Application Data|"
           "F:\\Win\\Profiles\\All Users\\Desktop|F:\\S26\\Microsoft\\Internet Explorer\\Quick "
           "Launch|F:\\Win\\Profiles\\All Users\\Start Menu\\Programs|F:\\RegProgs|F:\\RegProgs|"
           "F:\\Win|F:\\Win\\system32|F:\\PB20"},
      {30, "F:\\S26|F:\\Win\\Local Settings\\Application Data|F:\\Win\\All Users\\Desktop|"
           "F:\\S26\\Microsoft\\Internet Explorer\\Quick Launch|F:\\Win\\Start Menu\\Programs|"
           "F:\\RegProgs|F:\\RegProgs|F:\\Win|F:\\Win\\system|F:\\PB30"},
      {40, "F:\\S26|F:\\Win\\Local Settings\\Application Data|F:\\Win\\All Users\\Desktop|"
           "F:\\S26\\Microsoft\\Internet Explorer\\Quick Launch|F:\\Win\\Start Menu\\Programs|"
           "F:\\RegProgs|F:\\RegProgs|F:\\Win|F:\\Win\\system|F:\\PB40"},
      {50, "F:\\S26|F:\\S28|F:\\S25|F:\\S26\\Microsoft\\Internet Explorer\\Quick Launch|F:\\S23|"
           "F:\\S38|F:\\S38|F:\\Win|F:\\Win\\system32|F:\\PB50"},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(On(row.os, text), row.expected) << row.os;
  }
  for (int os : {60, 65, 70, 75, 80}) {
    EXPECT_EQ(On(os, text), "F:\\S26|F:\\S28|F:\\S25|F:\\S26" + ql + "|F:\\S23|F:\\S38|F:\\S42|"
                                "F:\\Win|F:\\Win\\system32|F:\\PB" + std::to_string(os))
        << os;
  }
}

TEST_F(PathVariables, Windows95UsesTheShellFoldersWhenTheyExist) {
  g_system.existing["F:\\S26\\"] = true;
  g_system.existing["F:\\S28\\"] = true;
  EXPECT_EQ(On(10, "<appdata>|<localappdata>|<quicklaunch>"),
            "F:\\S26|F:\\S28|F:\\S26\\Microsoft\\Internet Explorer\\Quick Launch");
}

TEST_F(PathVariables, UnsetEnvironmentAndFailedLookupsKeepTheirTokens) {
  g_system.environment.clear();
  g_system.folders[26] = "";
  EXPECT_EQ(On(20, "<appdata>|<windows>|<system>|<quicklaunch>"),
            "<appdata>|<windows>|<system>|<quicklaunch>");
  EXPECT_EQ(On(10, "<appdata>|<commondesktop>"), "<appdata>|<commondesktop>");
  scope.lookups = nullptr;
  EXPECT_EQ(On(60, "<temp>|<desktop>|<programname>"), "<temp>|<desktop>|Product");
}

// Fake registry for the PureBasic search: keys that open, and their values.
std::map<std::string, std::string> g_keys;
std::map<std::string, bool> g_unreadable;
std::vector<std::string> g_tried;
int ReadKey(int32_t root, const std::string &key, std::string *value) {
  const std::string name = std::to_string(root) + ":" + key;
  g_tried.push_back(name);
  if (!g_keys.count(name)) return -1;
  if (g_unreadable[name]) return 0;
  *value = g_keys[name];
  return 1;
}
std::string Folder(int csidl) { return csidl == 36 ? "E:\\Windows\\" : "D:\\Desk\\"; }

TEST(PureBasicFolder, KeysAreTriedInTheSystemsOrder) {
  const PureBasicLookups lookups = {ReadKey, Folder};
  const std::string command = "PureBasic.exe\\shell\\open\\command";
  g_keys = {{"0:" + command, "\"C:\\PB\\PureBasic.exe\" \"%1\""}};
  g_tried.clear();
  EXPECT_EQ(FindPureBasicFolderFor(30, lookups), "C:\\PB\\");
  EXPECT_EQ(g_tried, (std::vector<std::string>{"2:Software\\Classes\\" + command, "0:" + command}));
  g_tried.clear();
  EXPECT_EQ(FindPureBasicFolderFor(60, lookups), "C:\\PB\\");
  EXPECT_EQ(g_tried.front(), "0:Applications\\" + command);
  g_tried.clear();
  EXPECT_EQ(FindPureBasicFolderFor(70, lookups), "C:\\PB\\");
  EXPECT_EQ(g_tried.front(), "1:Software\\Classes\\" + command);
  // A first key that opens ends the search, even without a value.
  g_keys["1:Software\\Classes\\" + command] = "";
  g_unreadable["1:Software\\Classes\\" + command] = true;
  g_tried.clear();
  EXPECT_EQ(FindPureBasicFolderFor(70, lookups), "D:\\Program Files\\PureBasic\\");
  EXPECT_EQ(g_tried.size(), 1u);
  g_unreadable.clear();
}

TEST(PureBasicFolder, UnquotedCommandsFallBackToTheDefaultFolder) {
  const PureBasicLookups lookups = {ReadKey, Folder};
  g_keys = {{"0:PureBasic.exe\\shell\\open\\command", "C:\\PB\\PureBasic.exe %1"}};
  EXPECT_EQ(FindPureBasicFolderFor(60, lookups), "D:\\Program Files\\PureBasic\\");
  EXPECT_EQ(FindPureBasicFolderFor(50, lookups), "E:\\Program Files\\PureBasic\\");
  EXPECT_EQ(FindPureBasicFolderFor(100, lookups), "");
  EXPECT_EQ(FindPureBasicFolderFor(5, lookups), "");
  const PureBasicLookups none;
  EXPECT_EQ(FindPureBasicFolderFor(60, none), "");
}

}  // namespace
