// The project checks: one project with one of each fault (each message at
// its line), clean projects (the demo, a new one) without findings, and the
// new project built.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "builder/build_command.h"
#include "builder/checked_document.h"
#include "builder/check_command.h"
#include "builder/embedded_english.h"
#include "builder/new_command.h"
#include "builder/project_check.h"
#include "builder/project_scan.h"
#include "builder_test_project.h"

namespace {

// A script whose lines are numbered as they are added.
struct NumberedScript {
  std::vector<std::string> lines;
  uint32_t Add(const std::string &line) {
    lines.push_back(line);
    return (uint32_t)lines.size();
  }
  void AddAll(std::initializer_list<const char *> more) {
    for (const char *line : more) Add(line);
  }
  std::string Text() const {
    std::string text;
    for (const std::string &line : lines) text += line + "\r\n";
    return text;
  }
};

std::string English() {
  return std::string((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize);
}

// The findings of `file` at `line` whose message holds `words`.
size_t Count(const std::vector<CheckFinding> &findings, FindingSeverity severity,
             const std::string &file, uint32_t line, const std::string &words) {
  size_t count = 0;
  for (const CheckFinding &f : findings)
    count += f.severity == severity && f.file == file && f.line == line &&
             f.message.find(words) != std::string::npos;
  return count;
}

std::string All(const std::vector<CheckFinding> &findings) {
  std::string text;
  for (const CheckFinding &f : findings) text += FormatFinding(f) + "\n";
  return text;
}

// Checks a scanned folder; the findings' count by kind.
CheckCounts CheckFolder(const std::string &root) {
  ScanOptions options = {NULL, 0, NULL};
  Project project;
  std::vector<std::string> problems, notes;
  EXPECT_TRUE(ScanProject(root, options, &project, &problems, &notes)) << root;
  char *text = NULL;
  size_t size = 0;
  FILE *out = open_memstream(&text, &size);
  const CheckCounts counts = CheckScannedProject(project, out);
  fclose(out);
  EXPECT_EQ(counts.errors + counts.warnings, 0u) << text;
  free(text);
  return counts;
}

}  // namespace

TEST(ProjectCheck, EachFaultIsNamedAtItsLine) {
  if (kEnglishLanguageFileSize == 0) GTEST_SKIP() << "built without lang/English.lng";
  NumberedScript s;
  const uint32_t general = s.Add("[GeneralInformaton]");
  s.AddAll({"[Categories]", "Items = 10"});
  s.AddAll({"[10]", "ID = 10", "LocalizedNameID = 100"});
  s.AddAll({"[100]", "1033 = Core"});
  const uint32_t german = s.Add("1040 = Nucleo");
  const uint32_t items = s.Add("[Components]");
  const uint32_t missing = s.Add("Items = 20,21,,22,20");
  s.AddAll({"[20]", "ID = 20", "CategoryID = 10", "IsPrincipal = 1"});
  const uint32_t misspelt = s.Add("InstalationPath = <programfiles>\\App");
  const uint32_t twice = s.Add("IsPrincipal = 0");
  const uint32_t flag = s.Add("IsMarked = 2");
  s.AddAll({"[21]"});
  const uint32_t sameId = s.Add("ID = 20");
  const uint32_t category = s.Add("CategoryID = 11");
  const uint32_t notNumber = s.Add("IsMandatory = yes");
  s.AddAll({"[CloseItemsInstaller]", "Items = 50", "[50]", "ID = 50"});
  const uint32_t closeType = s.Add("Type = 3");
  s.AddAll({"[LookAndFeel]"});
  const uint32_t colour = s.Add("HeaderTitleTextColor = $1000000");
  const uint32_t style = s.Add("HeaderTitleTextFlags = 3");
  s.AddAll({"[InstallerTasks]", "Items = 30,31,32,33", "[30]", "ID = 30", "Type = 2", "Win7 = 1",
            "ComponentID = 20"});
  const uint32_t root = s.Add("BaseKey = 7");
  const uint32_t valueType = s.Add("ValueType = 4");
  const uint32_t task31 = s.Add("[31]");
  s.AddAll({"ID = 31", "Type = 3", "ComponentID = 20"});
  const uint32_t win10 = s.Add("Win10 = 1");
  const uint32_t otherType = s.Add("ValueType = 0");
  s.AddAll({"[32]", "ID = 32"});
  const uint32_t win7 = s.Add("Win7 = 2");
  s.Add("ComponentID = 20");
  const uint32_t type = s.Add("Type = 15");
  const uint32_t mode = s.Add("RunMode = 2");
  s.AddAll({"[33]", "ID = 33", "Type = 11", "Win7 = 1"});
  const uint32_t component = s.Add("ComponentID = 23");
  const uint32_t token = s.Add("Address = <programfile>\\Data");
  const uint32_t unread = s.Add("[99]");
  s.Add("Anything = 1");

  ProjectCheckInput input;
  input.script = {"p/Script.qvs", s.Text()};
  input.englishReference = English();
  std::string german1 = "[Information]\r\nLangID=1031\r\n[LanguageDataInstaller]\r\n";
  for (int i = 1; i <= 147; i++)
    german1 += "l" + std::to_string(i == 37 ? 38 : i) + " = x\r\n";  // l37 left out
  input.languages = {{"p/Languages/English.lng", English()}, {"p/Languages/German.lng", german1}};
  input.componentFolders = {20, 22, 99};
  input.filesFolder = "p/Files";
  input.languageTexts = {{"p/License/1036.txt", false, 1036}, {"p/License/Default.txt", true, 0}};
  const std::vector<CheckFinding> f = CheckProject(input);
  const std::string script = "p/Script.qvs";
  const FindingSeverity E = kFindingError, W = kFindingWarning;

  EXPECT_EQ(Count(f, E, script, general, "unknown group [GeneralInformaton] \xE2\x80\x94 did you mean [GeneralInformation]?"), 1u);
  EXPECT_EQ(Count(f, E, script, missing, "names [21], but the script has no such group"), 0u);
  EXPECT_EQ(Count(f, E, script, missing, "an empty name"), 1u);
  EXPECT_EQ(Count(f, E, script, missing, "names [22], but the script has no such group"), 1u);
  EXPECT_EQ(Count(f, E, script, missing, "20 is listed twice"), 1u);
  EXPECT_EQ(Count(f, E, script, misspelt, "unknown key InstalationPath \xE2\x80\x94 did you mean InstallationPath?"), 1u);
  EXPECT_EQ(Count(f, W, script, twice, "IsPrincipal is given again"), 1u);
  EXPECT_EQ(Count(f, E, script, flag, "IsMarked = 2: must be 0 or 1"), 1u);
  EXPECT_EQ(Count(f, E, script, sameId, "ID 20 is also the ID of the Component at line"), 1u);
  EXPECT_EQ(Count(f, E, script, category, "no category has this ID"), 1u);
  EXPECT_EQ(Count(f, E, script, notNumber, "not a number"), 1u);
  EXPECT_EQ(Count(f, E, script, closeType, "Type = 3: not one of 0 a named mutex"), 1u);
  EXPECT_EQ(Count(f, E, script, colour, "a colour is from 0 to $FFFFFF"), 1u);
  EXPECT_EQ(Count(f, E, script, style, "not a sum of the style bits"), 1u);
  EXPECT_EQ(Count(f, E, script, root, "BaseKey = 7: not one of 0 HKEY_CLASSES_ROOT"), 1u);
  EXPECT_EQ(Count(f, E, script, valueType, "ValueType = 4: not one of 0 text (REG_SZ), 1 number (REG_DWORD)"), 1u);
  EXPECT_EQ(Count(f, E, script, win10, "unknown key Win10 \xE2\x80\x94 did you mean Win7?"), 1u);
  EXPECT_EQ(Count(f, E, script, otherType, "only type 2 reads it, and this item is type 3"), 1u);
  EXPECT_EQ(Count(f, W, script, task31, "applies to no Windows version"), 1u);
  EXPECT_EQ(Count(f, W, script, win7, "Win7 = 2: 0 or 1 expected"), 1u);
  EXPECT_EQ(Count(f, E, script, type, "Type = 15: not one of 0 run a program"), 1u);
  EXPECT_EQ(Count(f, E, script, mode, "unknown key RunMode"), 1u);  // type 15 has no keys
  EXPECT_EQ(Count(f, E, script, component, "ComponentID = 23: no component has this ID"), 1u);
  EXPECT_EQ(Count(f, W, script, token, "unknown path variable <programfile> \xE2\x80\x94 did you mean <programfiles>?"), 1u);
  EXPECT_EQ(Count(f, W, script, german, "no language file has LangID 1040"), 1u);
  EXPECT_EQ(Count(f, W, script, unread, "[99] is named by no list"), 1u);
  EXPECT_EQ(Count(f, W, script, items, "no component has IsPrincipal = 1"), 0u);
  EXPECT_EQ(Count(f, W, "p/Files/22", 0, "no component has ID 22"), 1u);
  EXPECT_EQ(Count(f, W, "p/Files/99", 0, "no component has ID 99, so these files are packed"), 1u);
  EXPECT_EQ(Count(f, W, "p/License/1036.txt", 0, "no language file has LangID 1036"), 1u);
  EXPECT_EQ(Count(f, W, "p/Languages/German.lng", 1, "[Information] has no Name, so the language list leaves it out"), 1u);
  EXPECT_EQ(Count(f, W, "p/Languages/German.lng", 40, "l38 is string 37 here"), 1u);
  EXPECT_EQ(Count(f, W, "p/Languages/German.lng", 3, "has 147 strings and the English file 148"), 1u);
  EXPECT_EQ(Count(f, W, "p/Languages/German.lng", 0, "[LanguageDataUninstaller] has 0 strings"), 1u);
  // Nothing else: every finding is one of those above, and the English file is clean.
  EXPECT_EQ(f.size(), 32u) << All(f);
}

TEST(ProjectCheck, SuggestsOnlyCloseNames) {
  const std::vector<std::string> keys = {"InstallationPath", "IsPrincipal", "ID"};
  EXPECT_EQ(ClosestName("instalationpath", keys), "InstallationPath");
  EXPECT_EQ(ClosestName("IsPrinicpal", keys), "IsPrincipal");  // two letters swapped
  EXPECT_EQ(ClosestName("Colour", keys), "");
  EXPECT_EQ(ClosestName("I", keys), "");  // nothing left of the name
}

TEST(ProjectCheck, DemoAndNewProjectAreCleanAndTheNewOneBuilds) {
  if (kEnglishLanguageFileSize == 0) GTEST_SKIP() << "built without lang/English.lng";
  std::string source(__FILE__);
  CheckFolder(source.substr(0, source.rfind("tests/unit/")) + "examples/demo");
  TestProject test;
  const std::string root = test.folder + "/My Tool";
  std::string error;
  ASSERT_TRUE(WriteNewProject(root, &error)) << error;
  EXPECT_FALSE(WriteNewProject(root, &error));  // an existing, non-empty folder is refused
  EXPECT_NE(ReadTestFile(root + "/Script.qvs").find("ProgramName = My Tool\r\n"), std::string::npos);
  CheckFolder(root);
  BuildOptions options = test.Options("new.exe");
  options.project = root;
  EXPECT_EQ(RunBuild(options), 0);
  // A fault refuses the build, and a warning with --strict.
  const std::string script = ReadTestFile(root + "/Script.qvs");
  WriteTestFile(root, "Script.qvs", script + "ValueType = 7\r\n");
  EXPECT_EQ(RunBuild(options), 1);
  WriteTestFile(root, "Script.qvs", script);
  WriteTestFile(root, "Files/5/extra.txt", "x");
  EXPECT_EQ(RunBuild(options), 0);
  options.strict = true;
  EXPECT_EQ(RunBuild(options), 1);
}

// new makes the folders above the project, names the product after the last
// one, never writes through a link, and takes away what it made when a
// file cannot be written.
TEST(ProjectCheck, NewProjectFolders) {
  if (kEnglishLanguageFileSize == 0) GTEST_SKIP() << "built without lang/English.lng";
  TestProject test;
  std::string error;
  ASSERT_TRUE(WriteNewProject(test.folder + "/a/b/Deep Tool/", &error)) << error;
  EXPECT_NE(ReadTestFile(test.folder + "/a/b/Deep Tool/Script.qvs").find("ProgramName = Deep Tool\r\n"),
            std::string::npos);
  mkdir((test.folder + "/empty").c_str(), 0777);
  ASSERT_EQ(symlink("empty", (test.folder + "/link").c_str()), 0);
  EXPECT_FALSE(WriteNewProject(test.folder + "/link", &error));
  EXPECT_FALSE(TestPathExists(test.folder + "/empty/Script.qvs"));
  // Deep enough that the folders and the script fit in the path limit but
  // the language file does not.
  std::string deep = test.folder + "/gone";
  while (deep.size() + 220 < PATH_MAX - 22) deep += "/" + std::string(200, 'd');
  deep += "/" + std::string(PATH_MAX - 22 - deep.size() - 1, 'e');
  EXPECT_FALSE(WriteNewProject(deep, &error));
  EXPECT_NE(error.find("English.lng: cannot create the file"), std::string::npos) << error;
  EXPECT_FALSE(TestPathExists(test.folder + "/gone"));
}

TEST(ProjectCheck, KeysThatDoNotMatterAndLooseLines) {
  NumberedScript s;
  const uint32_t loose = s.Add("Orphan = 1");
  s.AddAll({"[InstallerSettings]", "ShowRestartComputerCheckbox = 1", "LaunchProgramCheckbox = 1",
            "CreateSMReadmeShortcut = 0", "SMReadmeComponentID = 9"});
  const uint32_t noEquals = s.Add("just words");
  s.AddAll({"[SkipUninstallFiles]", "1 = <programfiles>\\App\\user.ini", "[Categories]",
            "Items = 10", "[10]", "ID = 10", "LocalizedNameID = 100", "[100]"});
  const uint32_t badLang = s.Add("English = Core");
  const uint32_t again = s.Add("[installersettings]");
  ProjectCheckInput input;
  input.script = {"Script.qvs", s.Text()};
  const std::vector<CheckFinding> f = CheckProject(input);
  // The restart box replaces the finish actions, and a shortcut not made
  // names no component: neither reference is checked.
  EXPECT_EQ(Count(f, kFindingWarning, "Script.qvs", loose, "before the first group"), 1u);
  EXPECT_EQ(Count(f, kFindingWarning, "Script.qvs", noEquals, "not a key = value line"), 1u);
  EXPECT_EQ(Count(f, kFindingError, "Script.qvs", badLang, "\"English\" is not a LangID"), 1u);
  EXPECT_EQ(Count(f, kFindingWarning, "Script.qvs", again, "[InstallerSettings] again: its entries join those of line 2"), 1u);
  EXPECT_EQ(f.size(), 4u) << All(f);

  // A nameless language file is left out of the list beside a named one,
  // and stops the installer when it is the only one.
  input.languages = {{"A.lng", "[Information]\r\nLangID = 1031\r\n"}};
  EXPECT_EQ(Count(CheckProject(input), kFindingError, "A.lng", 1, "no other language file"), 1u);
  int64_t value = 0;
  EXPECT_TRUE(ReadWholeInteger(" -$1f", &value));
  EXPECT_EQ(value, -31);
  EXPECT_FALSE(ReadWholeInteger("12abc", &value));
  EXPECT_EQ(value, 12);
  EXPECT_FALSE(ReadWholeInteger("$", &value));
}
