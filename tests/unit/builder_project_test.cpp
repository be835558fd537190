// Reading project folders: the entries made, their order and names, and the
// refusals, which are collected and reported together.
#include <gtest/gtest.h>

#include <string.h>
#include <unistd.h>

#include "builder/entry_plan.h"
#include "builder/project_scan.h"
#include "builder/script_checks.h"
#include "builder/uninstaller_ceiling.h"
#include "format/uninstaller_data.h"
#include "builder_test_project.h"

namespace {

struct ScanOutcome {
  bool ok;
  Project project;
  std::vector<std::string> problems;
  std::vector<std::string> notes;
};

ScanOutcome Scan(const std::string &root, const char *english = NULL) {
  ScanOutcome outcome;
  ScanOptions options = {(const uint8_t *)english, english ? strlen(english) : 0, NULL};
  outcome.ok = ScanProject(root, options, &outcome.project, &outcome.problems, &outcome.notes);
  return outcome;
}

bool Mentions(const std::vector<std::string> &problems, const std::string &what) {
  for (const std::string &problem : problems) {
    if (problem.find(what) != std::string::npos) return true;
  }
  return false;
}

std::vector<std::string> Names(const std::vector<InputFile> &files) {
  std::vector<std::string> names;
  for (const InputFile &file : files) names.push_back(file.entryName);
  return names;
}

}  // namespace

TEST(BuilderProject, EntriesInFixedOrderThenProductsByIdAndPath) {
  TestProject test;
  test.AddMinimal();
  WriteTestFile(test.root, "Languages/Deutsch.lng", "[Information]\r\nName=Deutsch\r\n");
  WriteTestFile(test.root, "Uninstaller.exe", "MZ uninstaller");
  WriteTestFile(test.root, "Wizard.bmp", "BM wizard");
  WriteTestFile(test.root, "Background.bmp", "BM back");
  WriteTestFile(test.root, "Header.bmp", "BM header");
  WriteTestFile(test.root, "License/1033.txt", "licence");
  WriteTestFile(test.root, "License/Default.txt", "licence");
  WriteTestFile(test.root, "Information/Default.rtf", "info");
  WriteTestFile(test.root, "Files/10/a.txt", "ten");
  WriteTestFile(test.root, "Files/9/z.txt", "nine");
  WriteTestFile(test.root, "Files/9/B/x.txt", "nine");
  WriteTestFile(test.root, "Files/9/a.txt", "");
  WriteTestFile(test.root, "Files/0/zero.txt", "zero");
  ScanOutcome outcome = Scan(test.root);
  ASSERT_TRUE(outcome.ok) << (outcome.problems.empty() ? "" : outcome.problems[0]);
  std::vector<std::string> config = {
      "Config\\Script.qvs",    "Config\\Wizard.bmp",      "Config\\Header.bmp",
      "Config\\Background.bmp", "Config\\Uninstaller.bin", "Languages\\Deutsch.lng",
      "Languages\\English.lng", "Information\\Default.rtf", "License\\1033.txt",
      "License\\Default.txt"};
  EXPECT_EQ(Names(outcome.project.configEntries), config);
  std::vector<std::string> products = {"0\\zero.txt", "9\\B\\x.txt", "9\\a.txt", "9\\z.txt",
                                       "10\\a.txt"};
  EXPECT_EQ(Names(outcome.project.productEntries), products);

  EntryPlan plan;
  MakeEntryPlan(outcome.project, true, 1700000000, &plan);
  ASSERT_EQ(plan.entries.size(), config.size() + products.size());
  EXPECT_EQ(plan.entries[0].entryName, plan.prefix + "\\Config\\Script.qvs");
  EXPECT_EQ(plan.entries[config.size()].entryName, "0\\zero.txt");
}

TEST(BuilderProject, ConfigPrefixHasSevenDigitsAndFollowsTheContent) {
  TestProject test;
  test.AddMinimal();
  ScanOutcome first = Scan(test.root);
  ASSERT_TRUE(first.ok);
  std::string prefix = MakeConfigPrefix(first.project);
  ASSERT_EQ(prefix.size(), 28u);
  EXPECT_EQ(prefix.substr(0, 18), "_$_INSTALLER_Data_");
  EXPECT_EQ(prefix.substr(25), "_$_");
  for (size_t i = 18; i < 25; i++) EXPECT_TRUE(isdigit((unsigned char)prefix[i])) << prefix;
  EXPECT_EQ(MakeConfigPrefix(Scan(test.root).project), prefix);
  WriteTestFile(test.root, "Files/1/new.txt", "new");
  EXPECT_NE(MakeConfigPrefix(Scan(test.root).project), prefix);
}

TEST(BuilderProject, CollectsEveryProblemOfABadProject) {
  TestProject test;
  WriteTestFile(test.root, "Script.qvs", "");
  WriteTestFile(test.root, "Files/abc/x.txt", "x");
  WriteTestFile(test.root, "Files/007/x.txt", "x");
  WriteTestFile(test.root, "Files/2147483648/x.txt", "x");
  WriteTestFile(test.root, "Files/loose.txt", "x");
  WriteTestFile(test.root, "Files/1/con.txt", "x");
  WriteTestFile(test.root, "Files/1/LPT3", "x");
  WriteTestFile(test.root, "Files/1/what?.txt", "x");
  WriteTestFile(test.root, "Files/1/back\\slash", "x");
  WriteTestFile(test.root, "Files/1/dot.", "x");
  WriteTestFile(test.root, "Files/1/space ", "x");
  WriteTestFile(test.root, "Files/1/\x01" "ctl", "x");
  WriteTestFile(test.root, "Files/1/\xE6\x97\xA5.txt", "x");
  WriteTestFile(test.root, "Files/1/Same.txt", "x");
  WriteTestFile(test.root, "Files/1/same.TXT", "x");
  WriteTestFile(test.root, "Files/1/ok.txt", "x");
  WriteTestFile(test.root, "License/default.txt", "x");
  WriteTestFile(test.root, "Wizard.bmp", "not a bitmap");
  std::string deep;
  for (int i = 0; i < 30; i++) deep += "folder" + std::to_string(i) + "/";
  WriteTestFile(test.root, "Files/2/" + deep + "file.txt", "x");
  ScanOutcome outcome = Scan(test.root);
  EXPECT_FALSE(outcome.ok);
  const char *expected[] = {"Script.qvs: empty file", "no language file", "Files/abc",
                            "Files/007", "Files/2147483648", "Files/loose.txt", "con.txt",
                            "LPT3", "what?.txt", "back\\slash", "dot.", "space ", "ctl",
                            "Windows-1252", "letter case", "default.txt", "Wizard.bmp",
                            "folder path longer than 141"};
  for (const char *what : expected) EXPECT_TRUE(Mentions(outcome.problems, what)) << what;
  EXPECT_FALSE(Mentions(outcome.problems, "ok.txt"));
}

TEST(BuilderProject, RefusesMissingScriptLineFeedTextsAndLinksOutside) {
  TestProject test;
  WriteTestFile(test.root, "Languages/English.lng", "[Information]\nName=English\n");
  WriteTestFile(test.folder, "secret.txt", "outside");
  WriteTestFile(test.root, "Files/1/inside.txt", "inside");
  ASSERT_EQ(symlink((test.folder + "/secret.txt").c_str(), (test.root + "/Files/1/out.txt").c_str()), 0);
  ASSERT_EQ(symlink("../../../..", (test.root + "/Files/1/up").c_str()), 0);
  ASSERT_EQ(symlink("inside.txt", (test.root + "/Files/1/alias.txt").c_str()), 0);
  ScanOutcome outcome = Scan(test.root);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(Mentions(outcome.problems, "Script.qvs: missing"));
  EXPECT_TRUE(Mentions(outcome.problems, "English.lng: line 1 ends in LF only"));
  EXPECT_TRUE(Mentions(outcome.problems, "out.txt: symbolic link pointing outside"));
  EXPECT_TRUE(Mentions(outcome.problems, "up: symbolic link pointing outside"));
  EXPECT_FALSE(Mentions(outcome.problems, "alias.txt"));
  EXPECT_FALSE(Mentions(outcome.problems, "inside.txt"));
}

TEST(BuilderProject, AddEnglishSuppliesTheLanguageButNeverTwice) {
  TestProject test;
  WriteTestFile(test.root, "Script.qvs", "[Builder]\r\nRequireAdministrator = 1\r\n");
  const char *english = "[Information]\r\nName=English\r\nLangID=1033\r\n";
  ScanOutcome outcome = Scan(test.root, english);
  ASSERT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.project.scriptRequiresAdmin);
  ASSERT_EQ(outcome.project.configEntries.size(), 2u);
  EXPECT_EQ(outcome.project.configEntries[1].entryName, "Languages\\English.lng");
  EXPECT_EQ(outcome.project.configEntries[1].size, strlen(english));

  WriteTestFile(test.root, "Languages/english.LNG", "[Information]\r\nName=Mine\r\n");
  outcome = Scan(test.root, english);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(Mentions(outcome.problems, "--add-english"));
}

TEST(BuilderProject, BuilderGroupIsReadAsTheInstallerReadsDocuments) {
  EXPECT_TRUE(ScriptRequiresAdministrator("[ builder ]\r\n  requireadministrator =  1 \r\n"));
  EXPECT_TRUE(ScriptRequiresAdministrator("[Builder]\r\nRequireAdministrator=$1\r\n"));
  EXPECT_FALSE(ScriptRequiresAdministrator("[Builder]\r\nRequireAdministrator=0\r\n"));
  EXPECT_FALSE(ScriptRequiresAdministrator("[Other]\r\nRequireAdministrator=1\r\n"));
  EXPECT_FALSE(ScriptRequiresAdministrator("[Builder]\r\n;RequireAdministrator=1\r\n"));
  // The first occurrence wins, as in the installer.
  EXPECT_FALSE(ScriptRequiresAdministrator(
      "[Builder]\r\nRequireAdministrator=2\r\nRequireAdministrator=1\r\n"));
  EXPECT_NE(DocumentTextProblem("a\nb\n"), "");
  EXPECT_EQ(DocumentTextProblem("a\r\nb\r\n"), "");
  EXPECT_EQ(DocumentTextProblem("one line"), "");
  // A lone CR ends a line for the installer; a lone LF anywhere, or a zero
  // byte, would make it read something else than the vendor wrote.
  EXPECT_EQ(DocumentTextProblem("a\rb\r\n"), "");
  EXPECT_NE(DocumentTextProblem("[G]\r\nA=1\nB=2\r\n").find("line 2 ends in LF only"),
            std::string::npos);
  EXPECT_NE(DocumentTextProblem("\nA=1\r\n"), "");
  EXPECT_NE(DocumentTextProblem(std::string("A=1\r\nB\0=2\r\n", 11)).find("zero byte at line 2"),
            std::string::npos);
}

TEST(BuilderProject, SourceDateEpochClampsTimesAndSetsTheArchiveTime) {
  TestProject test;
  test.AddMinimal();
  WriteTestFile(test.root, "Files/1/a.txt", "a");
  ScanOutcome outcome = Scan(test.root);
  ASSERT_TRUE(outcome.ok);
  EntryPlan plan;
  MakeEntryPlan(outcome.project, true, 1000000000, &plan);
  EXPECT_EQ(plan.archiveTime, LocalClockSeconds(1000000000));
  for (const InputFile &file : plan.entries) EXPECT_EQ(file.modificationTime, plan.archiveTime);

  MakeEntryPlan(outcome.project, false, 0, &plan);
  uint32_t newest = 0;
  for (const InputFile &file : plan.entries) newest = std::max(newest, file.modificationTime);
  EXPECT_EQ(plan.archiveTime, newest);
  int64_t seconds = 0;
  EXPECT_TRUE(ParseSourceDateEpoch("1700000000", &seconds));
  EXPECT_EQ(seconds, 1700000000);
  EXPECT_FALSE(ParseSourceDateEpoch("17e8", &seconds));
  EXPECT_FALSE(ParseSourceDateEpoch("-5", &seconds));
  EXPECT_FALSE(ParseSourceDateEpoch("", &seconds));
}

// Every installer carries an uninstaller: the builder's own in the place a
// project's Uninstaller.exe would take, which still wins; a default that is
// missing or no executable stops the build with a hint.
TEST(BuilderProject, DefaultUninstallerUnlessTheProjectHasOne) {
  TestProject test;
  test.AddMinimal();
  WriteTestFile(test.root, "Wizard.bmp", "BM wizard");
  const std::string builderOwn = test.folder + "/uninstaller.exe";
  ScanOutcome outcome;
  ScanOptions options = {NULL, 0, builderOwn.c_str()};
  ASSERT_TRUE(ScanProject(test.root, options, &outcome.project, &outcome.problems, &outcome.notes));
  ASSERT_EQ(Names(outcome.project.configEntries),
            (std::vector<std::string>{"Config\\Script.qvs", "Config\\Wizard.bmp",
                                      "Config\\Uninstaller.bin", "Languages\\English.lng"}));
  EXPECT_EQ(outcome.project.configEntries[2].sourcePath, builderOwn);

  WriteTestFile(test.root, "Uninstaller.exe", "MZ the vendor's own");
  outcome = ScanOutcome();
  ASSERT_TRUE(ScanProject(test.root, options, &outcome.project, &outcome.problems, &outcome.notes));
  EXPECT_EQ(outcome.project.configEntries[2].sourcePath, test.root + "/Uninstaller.exe");
  unlink((test.root + "/Uninstaller.exe").c_str());

  for (const std::string &bad : {test.folder + "/missing.exe", test.folder + "/stub.txt"}) {
    WriteTestFile(test.folder, "stub.txt", "not an executable");
    ScanOptions badOptions = {NULL, 0, bad.c_str()};
    outcome = ScanOutcome();
    EXPECT_FALSE(ScanProject(test.root, badOptions, &outcome.project, &outcome.problems,
                             &outcome.notes));
    EXPECT_TRUE(Mentions(outcome.problems, "--uninstaller FILE")) << bad;
  }
}

// A picture of another size than its box is packed and noted (the wizard
// stretches it); an exact one, a top-down one of the exact size and a file
// too short to tell are not noted.
TEST(BuilderProject, NotesPicturesThatTheWizardStretches) {
  auto bitmap = [](int32_t width, int32_t height) {
    std::string bytes = "BM";
    bytes.resize(26, '\0');
    auto put = [&bytes](size_t at, uint32_t value) {
      for (int i = 0; i < 4; i++) bytes[at + i] = (char)(value >> (8 * i));
    };
    put(14, 40);
    put(18, (uint32_t)width);
    put(22, (uint32_t)height);
    return bytes + "pixels";
  };
  TestProject test;
  test.AddMinimal();
  WriteTestFile(test.root, "Wizard.bmp", bitmap(164, 314));
  WriteTestFile(test.root, "Header.bmp", bitmap(500, -60));
  ScanOutcome outcome = Scan(test.root);
  ASSERT_TRUE(outcome.ok);
  ASSERT_EQ(outcome.notes.size(), 1u);
  EXPECT_TRUE(Mentions(outcome.notes, "Wizard.bmp: 164x314 pixels;")) << outcome.notes[0];
  EXPECT_TRUE(Mentions(outcome.notes, "is 155x310")) << outcome.notes[0];

  WriteTestFile(test.root, "Wizard.bmp", bitmap(155, 310));
  WriteTestFile(test.root, "Header.bmp", "BM");
  outcome = Scan(test.root);
  ASSERT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.notes.empty());
}

// A product whose uninstaller data file would pass its limits below a
// 100-character install folder is refused, by size or by count; one made
// without an uninstaller is not.
TEST(BuilderProject, UninstallerDataMustFitItsLimits) {
  Project project;
  project.scriptText = "[UninstallerSettings]\r\nCreateUninstaller = 1\r\n";
  InputFile file = {};
  file.entryName = "1\\" + std::string(60, 'f') + "\\" + std::string(150, 'n');
  project.productEntries.assign(220000, file);
  const UninstallerDataEstimate estimate = EstimateUninstallerData(project);
  EXPECT_EQ(estimate.folders, 1u + 50u);  // its folder and the install folder's levels
  EXPECT_GT(estimate.bytes, kMaxUninstallerDataSize);
  EXPECT_NE(UninstallerDataProblem(project).find("MiB below an install folder of 100"),
            std::string::npos);
  project.productEntries.resize(200000);
  EXPECT_EQ(UninstallerDataProblem(project), "");
  file.entryName = "1\\x";
  project.productEntries.assign(1048576, file);
  EXPECT_NE(UninstallerDataProblem(project).find("1048576 of each"), std::string::npos);
  project.scriptText = "[UninstallerSettings]\r\nCreateUninstaller = 0\r\n";
  EXPECT_EQ(UninstallerDataProblem(project), "");
}
