// Uninstalling, as far as it is decided without the system: the removal
// plan made from a data file (order, files to leave, deepest-first folders,
// refusals), the undo rules (keys, earlier values, environment variables,
// associations) and the uninstaller's command line and texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/os_codes.h"
#include "engine/undo/removal_plan.h"
#include "engine/undo/undo_rules.h"
#include "format/uninstaller_data.h"
#include "tests/unit/uninstaller_data_fixtures.h"
#include "uninstaller/arguments.h"
#include "uninstaller/texts.h"

namespace {

const int32_t kHkcu = -2147483647;
const int32_t kHklm = -2147483646;
const std::string kApp = "C:\\Apps\\Demo";
const std::string kUninstaller = kApp + "\\Uninst0.exe";
const std::string kData = kApp + "\\Uninst0.dat";

// What a step is about, in one line: its kind's letter and its target.
std::string Describe(const RemovalStep &step) {
  switch (step.kind) {
    case kStepRunProgram: return "run " + step.path;
    case kStepDeleteKeyTree: return "tree " + step.keyPath;
    case kStepDeleteValue: return "value " + step.keyPath + " " + step.valueName;
    case kStepCopyFile: return "copy " + step.path;
    case kStepDeleteTaskFile: return "taskfile " + step.path;
    case kStepDeleteFolderTree: return "foldertree " + step.path;
    case kStepRemoveTaskFolder: return "taskfolder " + step.path;
    case kStepOpenWebAddress: return "web " + step.path;
    case kStepUndoDone: return "undo " + std::to_string(step.done.ID);
    case kStepDeleteFile: return "file " + step.path;
    case kStepRemoveFolder: return "folder " + step.path;
    case kStepRemoveGroupFolder: return "group " + step.path;
    case kStepRemoveAddRemoveEntry: return "entry " + std::to_string(step.rootCode) + " " + step.keyPath;
    case kStepDeleteOwnFile: return "own " + step.path;
    case kStepRestoreKeptFile: return "restore " + step.path;
    case kStepDeleteKeptCopy: return "kept " + step.path;
  }
  return "?";
}

std::vector<std::string> Describe(const std::vector<RemovalStep> &steps) {
  std::vector<std::string> lines;
  for (const RemovalStep &step : steps) lines.push_back(Describe(step));
  return lines;
}

RemovalContext Context(bool silent = false) {
  RemovalContext context;
  context.osCode = kOsWindows7;
  context.uninstallerPath = kUninstaller;
  context.dataPath = kData;
  context.silent = silent;
  return context;
}

// An installation of every kind of change, written and read back as the
// uninstaller reads it.
UninstallerData Installation() {
  UninstallerData data = MinimalData();
  data.config.StartMenuPath = "C:\\Menu\\Programs\\Demo\\";
  data.config.AddRemoveEntryName = "Demo 1.0";
  data.config.AddRemoveForAllUsers = 1;
  const std::initializer_list<int32_t> win7 = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  UninstallerTaskRecord before = Task(1, 0, win7);
  before.ProgramPath = kApp + "\\stop.exe";
  UninstallerTaskRecord after = Task(2, 0, win7);
  after.ProgramPath = "C:\\Tools\\survey.exe";
  after.ExecutionTime = 1;
  UninstallerTaskRecord notHere = Task(3, 4, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
  notHere.FilePath = kApp + "\\xp-only.txt";
  UninstallerTaskRecord key = Task(4, 1, win7);
  key.BaseKey = 1;
  key.Key = "Software\\Demo\\Cache\\";
  UninstallerTaskRecord web = Task(5, 7, win7);
  web.Address = "https://example.com/bye";
  data.uninstallerTasks = {before, after, notHere, key, web, Unselected(6)};

  DoneTaskRecord parent = DoneRecord(10, kDoneRegistryKey);
  parent.BaseKey = kHkcu;
  parent.KeyPath = "Software\\Demo";
  DoneTaskRecord value = DoneRecord(11, kDoneRegistryValue);
  value.BaseKey = kHkcu;
  value.KeyPath = "Software\\Demo";
  value.ValueName = "Path";
  DoneTaskRecord dll = DoneRecord(12, kDoneDllRegistration);
  dll.DLLPath = kApp + "\\shell.dll";
  data.doneTasks = {parent, value, dll};

  data.createdFiles = {kApp + "\\demo.exe",        kApp + "\\Docs\\Manual.txt",
                       kApp + "\\settings.ini",    "C:\\Menu\\Programs\\Demo\\Demo.lnk",
                       kApp + "\\DEMO.EXE",        kUninstaller, kData};
  data.createdFolders = {"C:\\Apps\\",       kApp + "\\",          kApp + "\\Docs\\",
                         "C:\\Menu\\Programs\\Demo\\", kApp + "\\Docs\\Old\\"};
  data.leaveFiles = {"c:/apps/demo/SETTINGS.INI"};
  UninstallerData read;
  std::string error;
  EXPECT_TRUE(ReadUninstallerData(WriteUninstallerData(data), &read, &error)) << error;
  return read;
}

TEST(RemovalPlan, UndoesEverythingInAnOrderThatStrandsNothing) {
  const RemovalPlan plan = PlanRemoval(Installation(), Context());
  const std::vector<std::string> expected = {
      // The vendor's tasks for this system, selected, in list order.
      "run C:\\Apps\\Demo\\stop.exe",
      "tree Software\\Demo\\Cache",
      "web https://example.com/bye",
      // The done records, newest first: the DLL while its file exists,
      // the value before its key.
      "undo 12",
      "undo 11",
      "undo 10",
      // The files: the one to leave, the uninstaller's own two and the
      // second spelling of demo.exe left out.
      "file C:\\Apps\\Demo\\demo.exe",
      "file C:\\Apps\\Demo\\Docs\\Manual.txt",
      "file C:\\Menu\\Programs\\Demo\\Demo.lnk",
      // Deepest first, later created first among equals; the group last.
      "folder C:\\Apps\\Demo\\Docs\\Old\\",
      "folder C:\\Apps\\Demo\\Docs\\",
      "folder C:\\Apps\\Demo\\",
      "folder C:\\Apps\\",
      "group C:\\Menu\\Programs\\Demo\\",
      "run C:\\Tools\\survey.exe",
      "entry 2 Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo 1.0",
  };
  EXPECT_EQ(Describe(plan.steps), expected);
  const std::vector<std::string> final = {
      "own " + kData,
      "own " + kUninstaller,
      "folder C:\\Apps\\Demo\\Docs\\Old\\",
      "folder C:\\Apps\\Demo\\Docs\\",
      "folder C:\\Apps\\Demo\\",
      "folder C:\\Apps\\",
      "group C:\\Menu\\Programs\\Demo\\",
  };
  EXPECT_EQ(Describe(plan.finalSteps), final);
  EXPECT_TRUE(plan.refused.empty()) << plan.refused[0];
  // The entry is only removed while it names this uninstaller.
  EXPECT_EQ(plan.steps.back().path, kUninstaller);
  // A file below folders the installation made remembers the nearest, and
  // each folder the next one up, so that a folder that became a link is not
  // followed, and each is asked once however many files lie below it.
  std::vector<std::string> above;
  for (int32_t at = plan.steps[7].createdFolder; at >= 0; at = plan.createdFolders[(size_t)at].parent)
    above.push_back(plan.createdFolders[(size_t)at].path);
  EXPECT_EQ(above, (std::vector<std::string>{kApp + "\\Docs\\", kApp + "\\", "C:\\Apps\\"}));
  // Silent: no browser opens.
  for (const RemovalStep &step : PlanRemoval(Installation(), Context(true)).steps)
    EXPECT_NE(step.kind, kStepOpenWebAddress);
}

TEST(RemovalPlan, RefusesWhatCouldRemoveTheWrongThing) {
  UninstallerData data = MinimalData();
  data.config.AddRemoveEntryName = "..\\Other";
  DoneTaskRecord noRoot = DoneRecord(1, kDoneRegistryKey);
  noRoot.BaseKey = 2;  // a script code, not a handle value
  noRoot.KeyPath = "Software\\Demo";
  DoneTaskRecord rootItself = DoneRecord(2, kDoneRegistryValue);
  rootItself.BaseKey = kHklm;
  rootItself.KeyPath = "\\\\";
  DoneTaskRecord unknown = DoneRecord(3, 9);
  DoneTaskRecord relativeDll = DoneRecord(4, kDoneDllRegistration);
  relativeDll.DLLPath = "shell.dll";
  DoneTaskRecord noExtension = DoneRecord(5, kDoneFileAssociation);
  noExtension.ExePath = kApp + "\\demo.exe";
  noExtension.Extension = " . ";
  data.doneTasks = {noRoot, rootItself, unknown, relativeDll, noExtension};
  const std::initializer_list<int32_t> all = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  UninstallerTaskRecord software = Task(20, 1, all);
  software.BaseKey = 2;
  software.Key = "SOFTWARE\\Microsoft";
  UninstallerTaskRecord shared = Task(21, 1, all);
  shared.BaseKey = 0;
  shared.Key = "CLSID";
  UninstallerTaskRecord wildcard = Task(22, 4, all);
  wildcard.FilePath = kApp + "\\*.log";
  UninstallerTaskRecord drive = Task(23, 5, all);
  drive.Address = "D:\\";
  data.uninstallerTasks = {software, shared, wildcard, drive};
  data.createdFiles = {"demo.exe", "\\\\?\\C:\\x.txt", kApp + "\\ok.txt"};
  data.createdFolders = {"C:\\", "\\\\server\\share", "Relative\\Folder"};

  const RemovalPlan plan = PlanRemoval(data, Context());
  EXPECT_EQ(Describe(plan.steps), std::vector<std::string>{"file " + kApp + "\\ok.txt"});
  EXPECT_EQ(plan.refused.size(), 15u);
  std::string all_refused;
  for (const std::string &line : plan.refused) all_refused += line + "\n";
  for (const char *expected :
       {"done record 1: BaseKey 2 names no root", "done record 2: the key path is empty",
        "done record 3: type 9 is not a done type", "done record 4: not a full path",
        "done record 5: no association keys", "uninstaller task 20: the system's shared key",
        "uninstaller task 21: the system's shared key", "uninstaller task 22: not a full path",
        "uninstaller task 23: not a full path", "Add/Remove entry: \"..\\Other\""}) {
    EXPECT_NE(all_refused.find(expected), std::string::npos) << expected << "\n" << all_refused;
  }
}

TEST(UndoRules, KeysAndEarlierValues) {
  int32_t code = -1;
  EXPECT_TRUE(RootCodeOfHandleValue(kHklm, &code));
  EXPECT_EQ(code, 2);
  EXPECT_TRUE(RootCodeOfHandleValue(-2147483642, &code));
  EXPECT_EQ(code, 5);
  EXPECT_FALSE(RootCodeOfHandleValue(-2147483644, &code));  // HKEY_PERFORMANCE_DATA
  EXPECT_FALSE(RootCodeOfHandleValue(0, &code));

  EXPECT_EQ(CleanKeyPath("\\Software\\\\Demo\\"), "Software\\Demo");
  EXPECT_EQ(CleanKeyPath("\\\\"), "");
  EXPECT_EQ(KeyPathLevels("A\\B\\C"), (std::vector<std::string>{"A", "A\\B", "A\\B\\C"}));
  std::string parent, name;
  SplitKeyPath("A", &parent, &name);
  EXPECT_EQ(parent + "|" + name, "|A");

  EXPECT_FALSE(IsKeyTreeDeletionRefused(1, "Software\\Demo"));
  EXPECT_FALSE(IsKeyTreeDeletionRefused(0, "demo_auto_file"));
  EXPECT_FALSE(IsKeyTreeDeletionRefused(0, "CLSID\\{1234}"));
  EXPECT_FALSE(IsKeyTreeDeletionRefused(2, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\demo.exe"));
  EXPECT_TRUE(IsKeyTreeDeletionRefused(1, "Software"));
  EXPECT_TRUE(IsKeyTreeDeletionRefused(2, "software\\microsoft\\windows"));
  EXPECT_TRUE(IsKeyTreeDeletionRefused(2, "System\\CurrentControlSet\\Services"));
  EXPECT_TRUE(IsKeyTreeDeletionRefused(0, "*"));
  EXPECT_TRUE(IsKeyTreeDeletionRefused(7, "Software\\Demo"));

  std::vector<uint8_t> bytes;
  EXPECT_TRUE(PreviousValueBytes(1, "ab", &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'a', 'b', 0}));
  EXPECT_TRUE(PreviousValueBytes(4, "-2", &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(PreviousValueBytes(4, "4294967295", &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_FALSE(PreviousValueBytes(4, "12abc", &bytes));
  EXPECT_TRUE(PreviousValueBytes(3, std::string("\0\x80", 2), &bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0x80}));
}

DoneTaskRecord Variable(const std::string &name, bool hasPrevious, const std::string &previous,
                        const std::string &written) {
  DoneTaskRecord record = DoneRecord(1, kDoneEnvironmentVariable);
  record.VariableName = name;
  record.hasPrevious = hasPrevious;
  record.PreviousType = 2;
  record.PreviousData = previous;
  record.hasWritten = true;
  record.WrittenData = written;
  return record;
}

std::string Shown(const EnvironmentUndo &undo) {
  switch (undo.action) {
    case kEnvironmentLeave: return "leave";
    case kEnvironmentDelete: return "delete";
    case kEnvironmentWrite: return "write " + std::to_string(undo.type) + " " + undo.value;
  }
  return "?";
}

TEST(UndoRules, EnvironmentVariablesAreRestoredAndPathNeverEmptied) {
  const DoneTaskRecord path = Variable("Path", true, "%SystemRoot%;C:\\Old", "%SystemRoot%;C:\\Old;C:\\Demo");
  // Unchanged since: the earlier value back, exactly.
  EXPECT_EQ(Shown(PlanEnvironmentUndo(path, true, 2, "%SystemRoot%;C:\\Old;C:\\Demo")),
            "write 2 %SystemRoot%;C:\\Old");
  // Another program extended it since: only the installation's entry goes.
  EXPECT_EQ(Shown(PlanEnvironmentUndo(path, true, 2, "%SystemRoot%;C:\\Old;c:\\demo ;C:\\Other")),
            "write 2 %SystemRoot%;C:\\Old;C:\\Other");
  // Someone took the entry out already, or removed the variable: nothing.
  EXPECT_EQ(Shown(PlanEnvironmentUndo(path, true, 2, "%SystemRoot%;C:\\New")), "leave");
  EXPECT_EQ(Shown(PlanEnvironmentUndo(path, false, 0, "")), "leave");

  // A variable the installation made is deleted; not a PATH, though.
  const DoneTaskRecord fresh = Variable("DEMO_HOME", false, "", "C:\\Demo");
  EXPECT_EQ(Shown(PlanEnvironmentUndo(fresh, true, 1, "C:\\Demo")), "delete");
  const DoneTaskRecord newPath = Variable("PATH", false, "", "C:\\Demo;C:\\Shared");
  EXPECT_EQ(Shown(PlanEnvironmentUndo(newPath, true, 1, "C:\\Demo;C:\\Shared")), "leave");
  EXPECT_EQ(Shown(PlanEnvironmentUndo(newPath, true, 1, "C:\\Demo;C:\\Shared;C:\\Later")),
            "write 1 C:\\Later");
  // An earlier empty PATH is not written back either.
  const DoneTaskRecord emptyBefore = Variable("path", true, "", "C:\\Demo");
  EXPECT_EQ(Shown(PlanEnvironmentUndo(emptyBefore, true, 1, "C:\\Demo")), "leave");

  // A record from an installer that kept no written value: restore or delete.
  DoneTaskRecord old = Variable("DEMO", true, "before", "");
  old.hasWritten = false;
  EXPECT_EQ(Shown(PlanEnvironmentUndo(old, true, 1, "whatever")), "write 2 before");
}

TEST(UndoRules, AssociationKeysFollowTheInstallersPlan) {
  AssociationKeys keys;
  ASSERT_TRUE(AssociationKeysFor(" .qdemo ", "C:\\Apps\\Demo\\DemoApp.exe", kOsWindows7, &keys));
  EXPECT_EQ(keys.rootCode, 0);
  EXPECT_EQ(keys.extensionKey, ".qdemo");
  EXPECT_EQ(keys.className, "qdemo_auto_file");
  EXPECT_EQ(keys.classKey, "qdemo_auto_file");
  ASSERT_TRUE(AssociationKeysFor("qdemo", "C:\\Apps\\Demo\\DemoApp.exe", kOsWindows98, &keys));
  EXPECT_EQ(keys.rootCode, 2);
  EXPECT_EQ(keys.extensionKey, "Software\\Classes\\.qdemo");
  EXPECT_EQ(keys.className, "DemoApp.exe");
  EXPECT_EQ(keys.classKey, "Software\\Classes\\DemoApp.exe");
  EXPECT_FALSE(AssociationKeysFor(".", "C:\\a.exe", kOsWindows7, &keys));
  EXPECT_FALSE(AssociationKeysFor(".txt", "C:\\a.exe", 100, &keys));

  EXPECT_TRUE(CommandStartsProgram("\"c:\\apps\\demo\\demoapp.exe\" \"%1\"", " C:\\Apps\\Demo\\DemoApp.exe"));
  EXPECT_FALSE(CommandStartsProgram("\"C:\\Other\\DemoApp.exe\" \"%1\"", "C:\\Apps\\Demo\\DemoApp.exe"));
  EXPECT_FALSE(CommandStartsProgram("\"C:\\Apps\\Demo\\DemoApp.exe.bak\" \"%1\"", "C:\\Apps\\Demo\\DemoApp.exe"));
}

TEST(UninstallerProgram, CommandLineFilesAndTexts) {
  UninstallerArguments copy;
  copy.silent = true;
  copy.originalPath = "C:\\Program Files\\Demo App\\Uninst3.exe";
  copy.parentProcess = 1234;
  copy.resultPipe = 18446744073709551615ull;
  copy.selfFile = 88;
  const UninstallerArguments back =
      ParseUninstallerArguments("\"C:\\Temp\\qvu1.tmp\" " + UninstallerParameters(copy));
  EXPECT_TRUE(back.silent);
  EXPECT_FALSE(back.elevated);
  EXPECT_EQ(back.originalPath, copy.originalPath);
  EXPECT_EQ(back.parentProcess, 1234u);
  EXPECT_EQ(back.resultPipe, copy.resultPipe);
  EXPECT_EQ(back.selfFile, 88u);
  const UninstallerArguments user = ParseUninstallerArguments("C:\\App\\Uninst0.exe  -ELEVATED /s -parent x");
  EXPECT_TRUE(user.silent && user.elevated && user.originalPath.empty());
  EXPECT_EQ(user.parentProcess, 0u);
  EXPECT_FALSE(ParseUninstallerArguments("Uninst0.exe /Silent").silent);

  EXPECT_EQ(DataFilePathFor("C:\\App\\Uninst3.exe"), "C:\\App\\Uninst3.dat");
  EXPECT_EQ(DataFilePathFor("C:\\App.v2\\Uninst"), "C:\\App.v2\\Uninst.dat");
  const uint8_t set[4] = {1, 0, 0, 0}, other[4] = {1, 0, 0, 1};
  EXPECT_TRUE(AdministratorFlagFromTail(set));
  EXPECT_FALSE(AdministratorFlagFromTail(other));

  UninstallerData data = MinimalData();
  data.config.ProgramName = "Demo <BR> $P";
  data.localization = {"Info", "Done<br>with $appname$."};
  EXPECT_EQ(UninstallerString(data, kTextUninstalled), "Done\r\nwith Demo <BR> $P.");
  // Lines the file lacks read as the English ones.
  EXPECT_EQ(UninstallerString(data, kTextWindowTitle), "Demo <BR> $P - Uninstall");
  EXPECT_EQ(UninstallerString(data, kTextActiveMutex), "Active mutex: $P\r\n");
}

}  // namespace
