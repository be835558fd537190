// The installer's tasks against a real system under Wine: each task type
// through the engine's own functions, the results read back through Win32.
//
//   engine_tasks_test            run the checks
//   engine_tasks_test probe F    (helper) write this command line to F
//   engine_tasks_test sleep MS   (helper) sleep MS milliseconds
//
// Expects C:\qvs-engine-test\ as 46-wine-engine.sh prepares it: a font
// QvsTestFont.ttf, outside\keep.txt, and doomed\link, a link to outside\.
// Prints a line per failed check and ends with "checks: P passed, F failed".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "checks/path_expansion.h"
#include "engine/tasks/done_tasks.h"
#include "engine/tasks/file_tasks.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/state/install_state.h"
#include "engine/state/installer_script.h"
#include "engine/tasks/run_program.h"
#include "engine/tasks/shortcuts.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "engine/undo/removal_run.h"
#include "engine/undo/safe_removal.h"
#include "engine/tasks/task_execution.h"
#include "engine/undo/undo_actions.h"
#include "engine/undo/change_rights.h"
#include "engine/undo/folder_protection.h"
#include "platform/access_rights.h"
#include "platform/file_tasks.h"
#include "platform/local_time.h"
#include "platform/running_image.h"
#include "platform/user_side.h"
#include "script/language_strings.h"
#include "script/string_ids.h"
#include "tests/wine/checks.h"
#include "tests/wine/crash_report.h"

namespace {

#define CHECK_EQ(actual, expected) \
  Check((actual) == (expected), std::string(#actual ": got ") + Shown(actual), __LINE__)

std::string Shown(const std::string &text) {
  return text.size() > 200 ? std::to_string(text.size()) + " characters" : "\"" + text + "\"";
}

const std::string kWork = "C:\\qvs-engine-test\\";
const char kEnvironmentKey[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char kParentVariable[] = "QVS_ENGINE_TEST_PARENT";

std::string FileText(const std::string &path) {
  std::string text = "<missing>";
  FILE *file = fopen(path.c_str(), "rb");
  if (file == NULL) return text;
  text.clear();
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
  fclose(file);
  return text;
}

void WriteText(const std::string &path, const std::string &text) {
  FILE *file = fopen(path.c_str(), "wb");
  if (file == NULL) return;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
}

bool Exists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A value's type (0 when it is missing) and data, strings without their
// terminator.
DWORD RegRaw(HKEY root, const std::string &key, const std::string &name, std::string *data) {
  HKEY opened = NULL;
  DWORD type = 0, size = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
  if (RegQueryValueExA(opened, name.c_str(), NULL, &type, NULL, &size) != ERROR_SUCCESS) type = 0;
  std::string buffer(size, '\0');
  if (type != 0) RegQueryValueExA(opened, name.c_str(), NULL, &type, (BYTE *)&buffer[0], &size);
  RegCloseKey(opened);
  buffer.resize(size);
  if ((type == REG_SZ || type == REG_EXPAND_SZ) && !buffer.empty() && buffer.back() == '\0')
    buffer.pop_back();
  if (data != NULL) *data = buffer;
  return type;
}

std::string RegText(HKEY root, const std::string &key, const std::string &name) {
  std::string data;
  return RegRaw(root, key, name, &data) != 0 ? data : "<missing>";
}

void RegSet(HKEY root, const std::string &key, const std::string &name, DWORD type,
            const std::string &data) {
  HKEY opened = NULL;
  if (RegCreateKeyExA(root, key.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &opened, NULL)) return;
  const DWORD terminator = type == REG_SZ || type == REG_EXPAND_SZ ? 1 : 0;
  RegSetValueExA(opened, name.c_str(), 0, type, (const BYTE *)data.c_str(),
                 (DWORD)data.size() + terminator);
  RegCloseKey(opened);
}

bool KeyExists(HKEY root, const std::string &key) {
  HKEY opened = NULL;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

struct LinkRead {
  std::string path, arguments, folder, description, icon;
  int index = -1;
};

bool ReadLink(const std::string &file, LinkRead *out) {
  CoInitialize(NULL);
  bool ok = false;
  IShellLinkA *link = NULL;
  IPersistFile *persist = NULL;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 (void **)&link)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist)) &&
      SUCCEEDED(persist->Load(wide, STGM_READ))) {
    char buffer[MAX_PATH * 4] = {};
    link->GetPath(buffer, sizeof buffer, NULL, SLGP_RAWPATH);
    out->path = buffer;
    link->GetArguments(buffer, sizeof buffer);
    out->arguments = buffer;
    link->GetWorkingDirectory(buffer, sizeof buffer);
    out->folder = buffer;
    link->GetDescription(buffer, sizeof buffer);
    out->description = buffer;
    link->GetIconLocation(buffer, sizeof buffer, &out->index);
    out->icon = buffer;
    ok = true;
  }
  if (persist != NULL) persist->Release();
  if (link != NULL) link->Release();
  CoUninitialize();
  return ok;
}

size_t JournalSize() { return Journal().entries.size(); }
JournalEntry LastEntry() {
  return Journal().entries.empty() ? JournalEntry() : Journal().entries.back();
}
std::vector<DoneTaskRecord> Done() { return DoneTasksOf(Journal()); }
DoneTaskRecord LastDone() { return Done().empty() ? DoneTaskRecord() : Done().back(); }

std::string OwnPath() {
  char buffer[MAX_PATH] = {};
  GetModuleFileNameA(NULL, buffer, MAX_PATH);
  return buffer;
}

std::string OwnFolder() { return OwnPath().substr(0, OwnPath().find_last_of('\\') + 1); }

OsFlags AllSystems() { return OsFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}; }

// One task of a selected component on every system, after the copy.
int Run(int32_t type, const TaskDetails &details) {
  return ExecuteTask(&details, type, AllSystems(), kPhaseAfterCopy);
}

void TestSystemFlags() {
  const size_t before = Done().size();
  TaskDetails key;
  key.BaseKey = 1;
  key.KeyPath = "Software\\QvsTest\\Flags";
  OsFlags seven;
  seven.Win7 = 1;
  Startup().osCode = 60;
  CHECK(ExecuteTask(&key, 1, seven, kPhaseAfterCopy) == 0, "a Windows 7 task is not run on XP");
  Startup().osCode = 100;
  Startup().os.known = true;
  Startup().os.version.platform = kPlatformOther;
  CHECK(ExecuteTask(&key, 1, AllSystems(), kPhaseAfterCopy) == 0, "no task on an unlisted system");
  CHECK(!KeyExists(HKEY_CURRENT_USER, key.KeyPath) && Done().size() == before,
        "nothing done where excluded");
  // Windows 10 acts as Windows 7: the Win7 switch decides.
  Startup().os.version = {kPlatformWindowsNT, 10, 0, 19045, true};
  CHECK(ExecuteTask(&key, 1, seven, kPhaseAfterCopy) == 1 &&
            KeyExists(HKEY_CURRENT_USER, key.KeyPath) && Done().size() > before,
        "a Windows 7 task runs on Windows 10");
  RegDeleteTreeA(HKEY_CURRENT_USER, key.KeyPath.c_str());
  Startup().os = OsDetails();
  Startup().osCode = 80;
  CHECK(ExecuteTask(&key, 1, seven, kPhaseAfterCopy) == 1 &&
            KeyExists(HKEY_CURRENT_USER, key.KeyPath),
        "a Windows 7 task runs on Windows 7");
}

void TestRegistryTasks() {
  const std::string base = "Software\\QvsTest\\Values";
  RegSet(HKEY_CURRENT_USER, base, "KeepMe", REG_SZ, "kept");
  RegSet(HKEY_CURRENT_USER, base, "Bin", REG_BINARY, std::string("\x01\x02\xAB", 3));
  TaskDetails key;
  key.BaseKey = 1;
  key.KeyPath = "Software\\QvsTest\\Keys\\<programname>\\";
  Run(1, key);
  CHECK(KeyExists(HKEY_CURRENT_USER, "Software\\QvsTest\\Keys\\Qvs Demo"), "key created, expanded");
  CHECK(LastDone().Type == kDoneRegistryKey && LastDone().BaseKey == -2147483647 &&
            LastDone().KeyPath == "Software\\QvsTest\\Keys\\Qvs Demo\\" && !LastDone().hasPrevious,
        "key record: HKEY_CURRENT_USER's handle value, expanded path, new");
  CHECK(Done().size() >= 2 &&
            Done()[Done().size() - 2].KeyPath == "Software\\QvsTest\\Keys" &&
            !Done()[Done().size() - 2].hasPrevious,
        "the key made above it is recorded before it");
  Run(1, key);
  CHECK(LastDone().hasPrevious, "a key that was there before is marked so");

  TaskDetails value;
  value.BaseKey = 1;
  value.KeyPath = base;
  value.ValueName = "Text";
  value.ValueData = "<programname> x";
  Run(2, value);
  CHECK(RegRaw(HKEY_CURRENT_USER, base, "Text", NULL) == REG_SZ, "text is REG_SZ");
  CHECK_EQ(RegText(HKEY_CURRENT_USER, base, "Text"), "Qvs Demo x");
  CHECK(LastDone().Type == kDoneRegistryValue && LastDone().ValueName == "Text" &&
            !LastDone().hasPrevious,
        "value record, nothing before");
  value.ValueData = "new";
  Run(2, value);
  CHECK(LastDone().hasPrevious && LastDone().PreviousType == REG_SZ &&
            LastDone().PreviousData == "Qvs Demo x",
        "the replaced text is kept in the record");
  value.ValueName = "Number";
  value.ValueType = 1;
  value.ValueData = "$1F";
  Run(2, value);
  std::string number;
  CHECK(RegRaw(HKEY_CURRENT_USER, base, "Number", &number) == REG_DWORD && number[0] == 31,
        "number written as REG_DWORD 31");
  value.ValueName = "Bin";
  value.ValueType = 0;
  Run(2, value);
  CHECK(LastDone().PreviousType == REG_BINARY && LastDone().PreviousData == "\x01\x02\xab",
        "a binary value replaced is kept byte for byte");

  size_t count = Done().size();
  std::string why;
  value.ValueName = "KeepMe";
  value.ValueType = 7;
  ExecuteTask(&value, 2, AllSystems(), kPhaseAfterCopy, &why);
  CHECK(RegText(HKEY_CURRENT_USER, base, "KeepMe") == "kept" && Done().size() == count &&
            why == "value type 7 cannot be written",
        "an unsupported type writes and records nothing and is not done: " + why);
  value.ValueType = 0;
  value.ValueName = std::string(20000, 'n');  // a name the registry refuses
  value.KeyPath = base + "\\Refused\\Deeper";
  Run(2, value);
  CHECK(Done().size() == count && !KeyExists(HKEY_CURRENT_USER, base + "\\Refused"),
        "a write the system refused records nothing and leaves no key it made");

  // A missing key is made first, each level recorded, and undone again.
  value.ValueName = "v";
  value.ValueData = "made";
  value.KeyPath = "Software\\QvsTest\\Made\\For\\<programname>";
  ExecuteTask(&value, 2, AllSystems(), kPhaseAfterCopy, &why);
  const std::string made = "Software\\QvsTest\\Made\\For\\Qvs Demo";
  CHECK(why.empty() && RegText(HKEY_CURRENT_USER, made, "v") == "made",
        "the value is written into the key made for it: " + why);
  CHECK(Done().size() == count + 4 && Done()[count].KeyPath == "Software\\QvsTest\\Made" &&
            Done()[count + 2].KeyPath == made && !Done()[count + 2].hasPrevious &&
            LastDone().Type == kDoneRegistryValue,
        "the three levels made are recorded, outermost first, before the value");
  for (size_t i = Done().size(); i-- > count;) {
    const DoneTaskRecord record = Done()[i];
    UndoDoneRecord(record, 1, record.KeyPath, 80, NULL);
  }
  CHECK(!KeyExists(HKEY_CURRENT_USER, "Software\\QvsTest\\Made") &&
            KeyExists(HKEY_CURRENT_USER, "Software\\QvsTest"),
        "undone newest first, the value and every level made are gone, and only they");
}

double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  return ((((ULONGLONG)kernel.dwHighDateTime << 32) | kernel.dwLowDateTime) +
          (((ULONGLONG)user.dwHighDateTime << 32) | user.dwLowDateTime)) / 1e7;
}

void TestPrograms() {
  const std::string self = OwnPath();
  const std::string direct = kWork + "direct.txt", shell = kWork + "shell.txt";
  CHECK(RunProgram(self, "probe " + direct, kRunDirect, 0, 1, WaitCallback) == 0,
        "direct start returns 0");
  CHECK_EQ(FileText(direct), "\"" + self + "\" probe " + direct);
  RunProgram(self, "", kRunDirect, 1, 1, NULL);
  // Wine hands a program started with an empty command line its own path
  // instead; Windows hands it the empty line. Either way no argument.
  const std::string empty = FileText(kWork + "empty-command-line.txt");
  CHECK(empty == "empty" || empty == "not empty: \"" + self + "\"", "no argument: " + empty);
  CHECK(RunProgram(self, "probe " + shell, kRunThroughShell, 1, 1, WaitCallback) == 1 &&
            FileText(shell).find("probe " + shell) != std::string::npos,
        "the shell started the program with its parameters");
  CHECK(RunProgram(self, "probe " + kWork + "mode2.txt", 2, 0, 1, WaitCallback) == 0 &&
            !Exists(kWork + "mode2.txt"),
        "another run mode starts nothing");
  // The wait sleeps: a program that runs 1.5 s costs this process little
  // processor time.
  const double cpuBefore = CpuSeconds();
  const DWORD start = GetTickCount();
  RunProgram(self, "sleep 1500", kRunDirect, 1, 1, WaitCallback);
  const DWORD elapsed = GetTickCount() - start;
  const double cpu = CpuSeconds() - cpuBefore;
  CHECK(elapsed >= 1400, "waited for the program: " + std::to_string(elapsed) + " ms");
  CHECK(cpu < 0.4, "waiting used " + std::to_string(cpu) + " s of processor time");
}

TaskItem Item(int32_t type, int32_t component) {
  TaskItem item;
  item.Type = type;
  item.ComponentID = component;
  item.systems = AllSystems();
  return item;
}

TaskItem ProgramItem(int32_t component, int32_t executionTime, const std::string &trace) {
  TaskItem item = Item(0, component);
  item.details.ProgramPath = OwnPath();
  item.details.CommandLine = "probe " + trace;
  item.details.ExecutionTime = executionTime;
  item.details.WaitUntilQuit = 1;
  return item;
}

void TestTaskPhases() {
  std::vector<TaskItem> &tasks = InstallerScript().settings.installerTasks;
  tasks = {ProgramItem(1, 0, kWork + "before.txt"), ProgramItem(1, 1, kWork + "after.txt"),
           ProgramItem(3, 0, kWork + "unselected.txt"), Item(11, 1), Item(99, 1)};
  tasks[3].details.Address = kWork + "made-after";
  RunBeforeCopyTasks(NULL);
  CHECK(Exists(kWork + "before.txt"), "a before-copy program runs before the copy");
  CHECK(!Exists(kWork + "after.txt") && !Exists(kWork + "made-after") &&
            !Exists(kWork + "unselected.txt"),
        "nothing else runs before the copy");
  DeleteFileA((kWork + "before.txt").c_str());
  RunAfterCopyTasks(kPhaseAfterCopy);
  CHECK(Exists(kWork + "after.txt") && Exists(kWork + "made-after") &&
            !Exists(kWork + "before.txt") && !Exists(kWork + "unselected.txt"),
        "after the copy the other tasks run, the before-copy program not again");
  CHECK(Install().TaskPercent == 100, "progress reaches 100");
  tasks.clear();
}

void TestLinks() {
  const std::string links = kWork + "links\\", target = kWork + "app\\app.exe";
  CreateDirectoryA(links.c_str(), NULL);
  CHECK(CreateShellLink(target, links + "One.lnk", "/a \"b c\"", "The app", kWork + "app", 1, 0,
                        kWork + "app\\icons.dll", 2) == 1,
        "shortcut made");
  LinkRead read;
  ReadLink(links + "One.lnk", &read);
  CHECK_EQ(read.path, target);
  CHECK_EQ(read.arguments, "/a \"b c\"");
  CHECK_EQ(read.folder, kWork + "app");
  CHECK_EQ(read.description, "The app");
  CHECK(read.icon == kWork + "app\\icons.dll" && read.index == 2, "icon " + read.icon);
  CHECK(LastEntry().kind == kJournalFileCreated && LastEntry().path == links + "One.lnk" &&
            !LastEntry().undone,
        "journalled as a new file");

  WriteText(links + "Two.lnk", "earlier");
  CreateShellLink(target, links + "Two.lnk", "", "", "", 1, 0, target, 0);
  CHECK(LastEntry().kind == kJournalFileReplaced && LastEntry().path == links + "Two.lnk" &&
            FileText(LastEntry().keptPath) == "earlier" &&
            LastEntry().keptPath.find(links + "~qvs") == 0,
        "an earlier file is kept aside, under a short name beside it, and journalled as replaced");
  size_t journal = JournalSize();
  CHECK(CreateShellLink(target, links + "Two.lnk", "/again", "", "", 1, 0, target, 0) == 1 &&
            JournalSize() == journal,
        "a link this run made is overwritten without a second entry");
  CHECK(CreateShellLink(target, links + "missing\\Three.lnk", "", "", "", 1, 0, target, 0) == 0 &&
            JournalSize() == journal + 1 && LastEntry().undone,
        "a shortcut that cannot be saved fails; its note, written first, is marked undone");

  CHECK(CreateInternetShortcut("http://example.com/a?b=c", links + "Site.url") == 1, "url made");
  CHECK_EQ(FileText(links + "Site.url"), "[InternetShortcut]\r\nURL=http://example.com/a?b=c\r\n");
  WriteText(links + "Kept.url", "theirs");
  CreateInternetShortcut("http://example.com/", links + "Kept.url");
  CHECK_EQ(FileText(links + "Kept.url"), "[InternetShortcut]\r\nURL=http://example.com/\r\n");
  CHECK(LastEntry().kind == kJournalFileReplaced && FileText(LastEntry().keptPath) == "theirs",
        "someone else's file is kept aside");
  journal = JournalSize();
  CHECK(CreateInternetShortcut("http://x/", links + "missing\\No.url") == 0 &&
            JournalSize() == journal,
        "no .url into a missing folder");
  TaskDetails web;
  web.LinkPath = "<appdir>\\..\\links\\Web";
  web.WebAddress = "http://example.com/<programname>";
  Run(4, web);
  CHECK_EQ(FileText(links + "Web.url"),
           "[InternetShortcut]\r\nURL=http://example.com/Qvs Demo\r\n");
}

void TestShortcutTasks() {
  const std::string desktop = ReplacePathVariables("<desktop>") + "\\QvsTask.lnk";
  TaskDetails task;
  task.FilePath = "<appdir>\\app.exe";
  task.CommandLine = "--from-task";
  task.OutputPath = "<desktop>\\QvsTask";
  UserChoices().desktopShortcuts = false;
  Run(3, task);
  CHECK(!Exists(desktop), "no desktop shortcut with the box unchecked");
  UserChoices().desktopShortcuts = true;
  Run(3, task);
  CHECK(Exists(desktop), "a desktop shortcut with the box checked: " + desktop);
  DeleteFileA(desktop.c_str());
  task.OutputPath = kWork + "links\\Task.LNK";
  Run(3, task);
  LinkRead read;
  CHECK(ReadLink(kWork + "links\\Task.LNK", &read), "a task's shortcut elsewhere is made");
  CHECK(read.path == kWork + "app\\app.exe" && read.icon == read.path &&
            read.arguments == "--from-task",
        "expanded target and arguments, the target as icon");
}

void TestStartMenu() {
  InstallChoices &choices = UserChoices();
  ScriptSettings &s = InstallerScript().settings;
  choices.createGroup = true;
  choices.groupName = "QvsVendor\\QvsProduct\\";
  Install().InstallPath = kWork + "app\\";
  Install().UninstallerExePath = kWork + "app\\Uninst0.exe";
  s.CreateUninstallShortcut = 1;
  s.CustomStartMenuUninstall = "Uninstall";
  s.CreateInternetLink = 1;
  s.CustomStartMenuWebLink = "Website";
  s.ProgramWebsite = "http://example.com/";
  s.SMProgram = {1, "", "<programname>", "<appdir>\\app.exe", "", 0, "", "<appdir>", "", 1};
  s.SMReadme = {1, "", "Read %QVS_WORD%", "<appdir>\\readme.txt", "", 0, "", "", "", 1};
  s.SMLicense = {1, "", "License", "<appdir>\\license.txt", "", 0, "", "", "", 3};
  SetEnvironmentVariableA("QVS_WORD", "me");
  const std::string programs = ReplacePathVariables("<startprograms>");
  const std::string group = programs + "\\QvsVendor\\QvsProduct\\";
  const size_t journal = JournalSize();
  CreateStartMenuShortcuts();
  CHECK_EQ(InstallerScript().StartMenuFolder, group);
  // The web link and the file shortcuts without an uninstaller; the
  // readme's name as written; nothing of an unselected component.
  std::string made;
  for (size_t i = journal; i < JournalSize(); i++) made += Journal().entries[i].path + "|";
  CHECK_EQ(made, programs + "\\QvsVendor\\|" + group + "|" + group + "Website.url|" + group +
                     "Qvs Demo.lnk|" + group + "Read %QVS_WORD%.lnk|");
  LinkRead read;
  ReadLink(group + "Qvs Demo.lnk", &read);
  CHECK(read.path == kWork + "app\\app.exe" && read.folder == kWork + "app",
        "program shortcut expanded: " + read.path + " in " + read.folder);

  s.CreateUninstaller = 1;
  CreateStartMenuShortcuts();
  CHECK(JournalSize() == journal + 6, "the second pass adds only the uninstall shortcut");
  CHECK(ReadLink(group + "Uninstall.lnk", &read) && read.path == kWork + "app\\Uninst0.exe" &&
            read.description == "Uninstall program" && read.folder == kWork + "app\\" &&
            read.icon == read.path && read.index == 0,
        "uninstall shortcut: " + read.path + ", " + read.description + ", " + read.icon);
  choices.createGroup = false;
  CreateStartMenuShortcuts();
  CHECK_EQ(InstallerScript().StartMenuFolder, "");
  DeleteFolderWithContents(programs + "\\QvsVendor");
}

void TestAssociations() {
  RegSet(HKEY_CLASSES_ROOT, ".qvsprev", "", REG_SZ, "Previous.Type");
  TaskDetails task;
  task.ExePath = "<appdir>\\editor.exe";
  task.Extension = "qvstest";
  task.Description = "Qvs file";
  task.ExplorerDescription = "open";
  task.IconIndex = 1;
  Run(5, task);
  const std::string exe = kWork + "app\\editor.exe";
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, ".qvstest", ""), "qvstest_auto_file");
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvstest_auto_file", ""), "Qvs file");
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvstest_auto_file\\DefaultIcon", ""), exe + ",1");
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell\\open\\command", ""),
           "\"" + exe + "\" \"%1\"");
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell", ""), "open");
  CHECK(LastDone().Type == kDoneFileAssociation && LastDone().ExePath == exe &&
            LastDone().Extension == "qvstest" && !LastDone().hasPrevious,
        "association record");
  // A verb of another name becomes the default only where none is named.
  task.ExplorerDescription = "Edit with Qvs";
  Run(5, task);
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell", ""), "open");
  RegSet(HKEY_CLASSES_ROOT, "qvsverb_auto_file\\shell", "", REG_SZ, "");
  task.Extension = "qvsverb";
  Run(5, task);
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvsverb_auto_file\\shell", ""), "EditwithQvs");
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, "qvsverb_auto_file\\shell\\EditwithQvs", ""), "Edit with Qvs");
  UndoDoneRecord(LastDone(), 0, std::string(), 80, NULL);
  CHECK(!KeyExists(HKEY_CLASSES_ROOT, "qvsverb_auto_file") && !KeyExists(HKEY_CLASSES_ROOT, ".qvsverb"),
        "undoing it takes the default verb with the verb, and then the class");
  task.ExplorerDescription = "open";
  task.Extension = ".qvsprev";
  Run(5, task);
  CHECK(RegText(HKEY_CLASSES_ROOT, ".qvsprev", "") == "qvsprev_auto_file" &&
            LastDone().hasPrevious && LastDone().PreviousData == "Previous.Type",
        "the extension's earlier type is kept");
  Startup().osCode = 30;
  task.Extension = "qvs9x";
  Run(5, task);
  Startup().osCode = 80;
  CHECK_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\Classes\\editor.exe\\shell\\open\\command", ""),
           "\"" + exe + "\" \"%1\"");
}

void TestDllRegistration() {
  const size_t count = Done().size();
  TaskDetails task;
  task.DllPath = OwnFolder() + "registration_probe.dll";
  Run(6, task);
  CHECK(RegRaw(HKEY_CURRENT_USER, "Software\\QvsTest\\Probe", "Registered", NULL) == REG_DWORD,
        "DllRegisterServer ran");
  CHECK(Done().size() == count + 1 && LastDone().Type == kDoneDllRegistration &&
            LastDone().DLLPath == task.DllPath,
        "registration recorded");
  task.DllPath = OwnFolder() + "registration_probe_failing.dll";
  Run(6, task);
  task.DllPath = kWork + "no-such.dll";
  Run(6, task);
  CHECK(Done().size() == count + 1, "failed registrations record nothing");
}

void TestEnvironment() {
  const std::string longOld(5000, 'o'), longNew(6000, 'n');
  RegSet(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_EXPAND", REG_EXPAND_SZ, "%SystemRoot%\\old");
  RegSet(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_LONG", REG_SZ, longOld);
  TaskDetails task;
  task.VariableName = "QVS_PLAIN";
  task.VariableData = "C:\\Tools";
  Run(7, task);
  std::string data;
  CHECK(RegRaw(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_PLAIN", &data) == REG_SZ &&
            data == "C:\\Tools" && LastDone().Type == kDoneEnvironmentVariable &&
            LastDone().VariableName == "QVS_PLAIN" && !LastDone().hasPrevious &&
            LastDone().hasWritten && LastDone().WrittenData == "C:\\Tools",
        "a plain value is REG_SZ, recorded with what was written");
  task.VariableName = "QVS_REF";
  task.VariableData = "%QVS_UNSET%\\bin;C:\\x";  // an unset variable outlives the expansion
  Run(7, task);
  CHECK(RegRaw(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_REF", &data) == REG_EXPAND_SZ,
        "a value referring to a variable is REG_EXPAND_SZ: " + data);
  task.VariableName = "QVS_EXPAND";
  task.VariableData = "C:\\plain";
  Run(7, task);
  CHECK(RegRaw(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_EXPAND", &data) == REG_EXPAND_SZ &&
            data == "C:\\plain",
        "a REG_EXPAND_SZ variable stays REG_EXPAND_SZ");
  CHECK(LastDone().hasPrevious && LastDone().PreviousType == REG_EXPAND_SZ &&
            LastDone().PreviousData == "%SystemRoot%\\old",
        "the earlier value and type are kept, unexpanded");
  task.VariableName = "QVS_LONG";
  task.VariableData = longNew;
  Run(7, task);
  RegRaw(HKEY_LOCAL_MACHINE, kEnvironmentKey, "QVS_LONG", &data);
  CHECK(data == longNew && LastDone().PreviousData == longOld, "long values kept whole");

  std::string temporary(MAX_PATH, '\0');
  temporary.resize(GetTempPathA(MAX_PATH, &temporary[0]));
  const std::string autoexec = temporary.substr(0, 3) + "AUTOEXEC.BAT";
  WriteText(autoexec, "@ECHO OFF\r\nSET QVS9X=old");
  Startup().osCode = 30;
  task.VariableName = "QVS9X";
  task.VariableData = " A B ";
  Run(7, task);
  Startup().osCode = 80;
  CHECK_EQ(FileText(autoexec), "@ECHO OFF\r\nSET QVS9X=old\r\nSET QVS9X=A B");
  DeleteFileA(autoexec.c_str());
}

void TestFonts() {
  const size_t count = Done().size();
  TaskDetails task;
  task.FontPath = kWork + "QvsTestFont.ttf";
  CHECK(Exists(task.FontPath), "the suite's font is in place");
  Run(8, task);
  char windows[MAX_PATH] = {};
  GetEnvironmentVariableA("windir", windows, MAX_PATH);
  CHECK(Exists(std::string(windows) + "\\Fonts\\QvsTestFont.ttf"), "font copied to Fonts");
  CHECK_EQ(RegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                   "QvsTestFont"),
           "QvsTestFont.ttf");
  CHECK(Done().size() == count, "a font records no done task");
  WriteText(kWork + "NotAFont.ttf", "plain text");
  CHECK(InstallFont(kWork + "NotAFont.ttf") == kFontNotAdded, "not a font: not added");
}

void TestIniFiles() {
  const std::string ini = kWork + "test.ini";
  WriteText(ini, "[Keep]\r\na=1\r\nb=2\r\n");
  TaskDetails task;
  task.IniPath = ini;
  task.GroupName = "keep";
  Run(9, task);
  char value[64] = {};
  GetPrivateProfileStringA("Keep", "b", "", value, sizeof value, ini.c_str());
  CHECK(std::string(value) == "2" && LastDone().Type == kDoneIniGroup && LastDone().hasPrevious &&
            LastDone().GroupName == "keep" && LastDone().IniPath == ini,
        "an existing group keeps its keys and is marked as there before");
  task.GroupName = "Fresh";
  Run(9, task);
  char names[256] = {};
  GetPrivateProfileSectionNamesA(names, sizeof names, ini.c_str());
  CHECK(strcmp(names + strlen(names) + 1, "Fresh") == 0 && !LastDone().hasPrevious,
        "a new group is written and not marked");
  task.Group = "Keep";
  task.ValueName = "a";
  task.ValueData = "9";
  Run(10, task);
  GetPrivateProfileStringA("Keep", "a", "", value, sizeof value, ini.c_str());
  CHECK(std::string(value) == "9" && LastDone().Type == kDoneIniValue && LastDone().hasPrevious &&
            LastDone().PreviousData == "1" && LastDone().ValueName == "a",
        "the replaced INI value is kept");
  task.ValueName = "c";
  task.ValueData = "";
  Run(10, task);
  CHECK(!LastDone().hasPrevious && LastDone().ValueName == "c", "a new (empty) value");
}

void TestFolderTasks() {
  TaskDetails task;
  task.Address = kWork + "made";
  const size_t journal = JournalSize();
  Run(11, task);
  CHECK(Exists(task.Address) && LastEntry().kind == kJournalFolderCreated,
        "folder created and journalled");
  task.Address = kWork + "no\\such";
  Run(11, task);
  CHECK(!Exists(task.Address) && JournalSize() == journal + 2 && LastEntry().undone,
        "only the last level is made; the note of one that could not be is marked undone");
  WriteText(kWork + "source.txt", "copy me");
  task.SourceFile = kWork + "source.txt";
  task.DestinationFile = kWork + "made\\copy.txt";
  Run(13, task);
  CHECK_EQ(FileText(kWork + "made\\copy.txt"), "copy me");
  SetFileAttributesA((kWork + "made\\copy.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  task.Address = kWork + "made\\copy.txt";
  Run(14, task);
  task.Address = kWork + "made";
  Run(14, task);
  CHECK(!Exists(kWork + "made\\copy.txt") && Exists(kWork + "made"),
        "a read-only file deleted, a folder left alone");

  const std::string doomed = kWork + "doomed\\";
  CreateDirectoryA((doomed + "sub").c_str(), NULL);
  CreateDirectoryA((doomed + "sub\\deeper").c_str(), NULL);
  WriteText(doomed + "sub\\deeper\\locked.txt", "x");
  SetFileAttributesA((doomed + "sub\\deeper\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteText(doomed + "top.txt", "x");
  const DWORD link = GetFileAttributesA((doomed + "link").c_str());
  CHECK(link != INVALID_FILE_ATTRIBUTES && (link & FILE_ATTRIBUTE_REPARSE_POINT),
        "the suite's folder link is in place");
  task.Address = "<appdir>\\..\\doomed\\";
  Run(12, task);
  CHECK_EQ(FileText(kWork + "outside\\keep.txt"), "keep");
  CHECK(!Exists(doomed + "sub") && !Exists(doomed + "top.txt"), "the folder's contents are gone");
  if (Exists(doomed + "link")) {
    // Wine cannot remove a folder link (RemoveDirectoryA fails on it), so
    // the folder holding it stays here; Windows removes both.
    printf("note: the folder link could not be removed on this system; its folder stays\n");
  } else {
    CHECK(!Exists(doomed), "the folder itself is gone");
  }
  const ProtectedFolders folders = SystemProtectedFolders();
  char profile[MAX_PATH] = {}, shortForm[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
  GetShortPathNameA("C:\\Program Files", shortForm, MAX_PATH);
  const char *refused[] = {"C:\\windows", "C:\\windows\\system32\\", "C:\\Program Files (x86)\\",
                           "C:\\users\\someone-else", profile, shortForm};
  for (const char *path : refused)
    CHECK(IsFolderDeletionRefused(FullLongPathOf(path), folders), std::string("refused: ") + path);
  CHECK(!IsFolderDeletionRefused("C:\\Program Files\\Qvs Demo", folders), "a product's folder");
}

// What the installer trusts, as far as Wine shows it: its own file held
// against renaming, the log and the start requests handed from the user's
// copy to the elevated one, a log name that is a link refused, folders
// made with their own protection, and the rights read back.
void TestUserSide() {
  UserSideChannel channel;
  CHECK(OpenUserSideChannel(&channel), "the start requests' pipe");
  FileHandle log = OpenPlainFileForWriting(kWork + "handed.log", false);
  CHECK(log != NULL && WriteToFile(log, "user side\r\n", 11), "the user's side opens the log");
  FileHandle image = NULL;
  CHECK(OpenRunningImage(&image) == kRunningImageOpen, "the user's side holds its image");
  const UserSideHandover handover = HandoverOf(channel, log, image);
  ProcessHandle elevated = NULL;
  CHECK(StartCommandLine("\"" + OwnPath() + "\" elevated-side " +
                             std::to_string(handover.processId) + " " +
                             std::to_string(handover.logFile) + " " +
                             std::to_string(handover.requests) + " " +
                             std::to_string(handover.installerFile),
                         &elevated),
        "the elevated side starts");
  ServeUserSide(&channel, elevated);
  CloseProcessHandle(&elevated);
  CloseUserSideChannel(&channel);
  CloseFileHandle(&log);
  CloseFileHandle(&image);
  CHECK_EQ(FileText(kWork + "handed.log"),
           std::string("user side\r\nelevated side: the image held there, not the log\r\n"));
  for (int i = 0; i < 50 && !Exists(kWork + "user-a.txt"); i++) Sleep(100);
  Sleep(300);
  CHECK(Exists(kWork + "user-a.txt"), "the user's side starts what it was asked to");
  CHECK(!Exists(kWork + "user-b.txt"), "after a refused request it starts nothing more");
}

void TestTrust() {
  FileHandle image = NULL;
  CHECK(OpenRunningImage(&image) == kRunningImageOpen, "the running image is held");
  CHECK(!MoveFileA(OwnPath().c_str(), (OwnPath() + ".moved").c_str()),
        "the held image cannot be renamed");
  CloseFileHandle(&image);
  TestUserSide();

  // Wine shows a folder link as a link by name but follows it when opened.
  CHECK(OpenPlainFileForWriting(kWork + "via-link", false) == NULL, "a folder is no log");
  FileHandle plain = OpenPlainFileForWriting(kWork + "plain.log", true);
  CHECK(plain != NULL && WriteToFile(plain, "x", 1), "a plain log");
  CloseFileHandle(&plain);
  plain = OpenPlainFileForWriting(kWork + "plain.log", true);
  CHECK(plain != NULL && WriteToFile(plain, "y", 1), "appended");
  CloseFileHandle(&plain);
  CHECK_EQ(FileText(kWork + "plain.log"), std::string("xy"));

  CHECK(CreateAdministratorsFolder(kWork + "guarded"), "a folder made with its own protection");
  WriteText(kWork + "guarded\\inside.txt", "written");
  CHECK_EQ(FileText(kWork + "guarded\\inside.txt"), std::string("written"));
  AccessRights rights;
  CHECK(ReadFolderAccessRights(kWork + "guarded", &rights) && !rights.owner.empty(),
        "its rights read back");
  // Wine keeps no access lists: every file is the user's own.
  printf("note: under this system the folder is %s\n",
         NonAdministratorCanChange(rights, kGuardedFolder) ? "changeable by its user"
                                                           : "for administrators only");
  CHECK(IsFolderDeletionRefused("C:\\windows::$INDEX_ALLOCATION", SystemProtectedFolders()),
        "a stream name of a protected folder");
  CHECK(!DeleteFolderWithContents("C:\\windows\\.\\system32\\..") && Exists("C:\\windows\\win.ini"),
        "the Windows folder by another name");
}

void TestDoneRecords() {
  const std::set<int32_t> &used = InstallerScript().settings.usedIds;
  std::set<int32_t> ids;
  const int64_t now = LocalSecondsSince1970();
  bool good = Done().size() > 10;
  for (const DoneTaskRecord &record : Done()) {
    const int64_t name = atoll(record.Name.c_str());
    good = good && ids.insert(record.ID).second && record.ID >= 0 && record.ID <= kDoneIdMaximum &&
           used.count(record.ID) == 1 && record.ID != 17 && name > now - 3600 && name <= now;
  }
  CHECK(good, std::to_string(Done().size()) +
                  " done records with distinct IDs avoiding the script's, named by the time");
}

bool FindDone(int32_t type, const std::string &extension, DoneTaskRecord *found) {
  for (const DoneTaskRecord &record : Done())
    if (record.Type == type && record.Extension == extension) {
      *found = record;
      return true;
    }
  return false;
}

// The uninstaller's undo of what the tasks above recorded, and its removal
// of files and folders, which never follows a link.
void TestUndo() {
  DoneTaskRecord earlier, fresh;
  const bool found = FindDone(kDoneFileAssociation, ".qvsprev", &earlier) &&
                     FindDone(kDoneFileAssociation, "qvstest", &fresh);
  CHECK(found, "association records to undo");
  if (!found) return;
  UndoDoneRecord(earlier, 0, "", 80, NULL);
  CHECK_EQ(RegText(HKEY_CLASSES_ROOT, ".qvsprev", ""), "Previous.Type");
  // Another program's verb keeps the class; the extension and this
  // program's verb go.
  RegSet(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell\\print\\command", "", REG_SZ, "other.exe %1");
  UndoDoneRecord(fresh, 0, "", 80, NULL);
  CHECK(!KeyExists(HKEY_CLASSES_ROOT, ".qvstest") &&
            !KeyExists(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell\\open") &&
            KeyExists(HKEY_CLASSES_ROOT, "qvstest_auto_file\\DefaultIcon"),
        "an association undone, the class kept for another program's verb");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell\\print");
  RegSet(HKEY_CLASSES_ROOT, "qvstest_auto_file\\shell\\open\\command", "", REG_SZ,
         "\"" + fresh.ExePath + "\" \"%1\"");
  UndoDoneRecord(fresh, 0, "", 80, NULL);
  CHECK(!KeyExists(HKEY_CLASSES_ROOT, "qvstest_auto_file"), "a class of this program's alone goes");

  const std::string key = "Software\\QvsTest\\Undo";
  RegSet(HKEY_CURRENT_USER, key, "Bin", REG_SZ, "written");
  DoneTaskRecord value;
  value.Type = kDoneRegistryValue;
  value.ValueName = "Bin";
  value.hasPrevious = true;
  value.PreviousType = REG_BINARY;
  value.PreviousData = std::string("\x01\0\xAB", 3);
  UndoDoneRecord(value, 1, key, 80, NULL);
  std::string data;
  CHECK(RegRaw(HKEY_CURRENT_USER, key, "Bin", &data) == REG_BINARY &&
            data == std::string("\x01\0\xAB", 3),
        "a value written over is back with its type and bytes");
  DoneTaskRecord made;
  made.Type = kDoneRegistryKey;
  UndoDoneRecord(made, 1, key, 80, NULL);
  CHECK(KeyExists(HKEY_CURRENT_USER, key), "a key that still holds a value stays");
  value.hasPrevious = false;
  UndoDoneRecord(value, 1, key, 80, NULL);
  UndoDoneRecord(made, 1, key, 80, NULL);
  CHECK(!KeyExists(HKEY_CURRENT_USER, key), "an empty key made by the installation goes");

  // 46-wine-engine.sh made via-link and folder-link, links to outside\.
  RemovalRun run;
  RemovalPlan plan;
  PlannedFolder viaLink;
  viaLink.path = kWork + "via-link\\";
  plan.createdFolders.push_back(viaLink);
  RemovalStep step;
  step.kind = kStepDeleteFile;
  step.path = kWork + "via-link\\keep.txt";
  step.createdFolder = 0;
  RunRemovalStep(step, plan, &run);
  CHECK(Exists(kWork + "outside\\keep.txt"), "a file is not deleted through a folder that became a link");
  CHECK(RemoveFileAt(kWork + "outside", true) == kRemovalRefused, "a folder is no file to delete");
  // Wine cannot remove a Unix link to a folder; Windows removes the link.
  const RemovalResult link = RemoveEmptyFolder(kWork + "folder-link\\");
  CHECK(link != kRemovalRefused && Exists(kWork + "outside\\keep.txt") &&
            (link == kRemovalDone) != Exists(kWork + "folder-link"),
        "a folder link named with a trailing backslash is removed as a link, if at all");
  WriteText(kWork + "in-use.txt", "x");
  HANDLE held = CreateFileA((kWork + "in-use.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                            0, NULL);
  step.path = kWork + "in-use.txt";
  step.createdFolder = -1;
  RunRemovalStep(step, plan, &run);
  CloseHandle(held);
  CHECK(run.restartNeeded && run.scheduled.size() == 1 && Exists(kWork + "in-use.txt"),
        "a file in use is left to the restart");
}

void PrepareRun() {
  Startup().osCode = 80;
  InstallerScriptState &script = InstallerScript();
  script.settings.ProgramName = "Qvs Demo";
  Component app;
  app.ID = 1;
  app.PathVariable = "<appdir>";
  app.InstallationPath = kWork + "app\\";
  script.settings.components.push_back(app);
  script.settings.usedIds.insert(17);
  PathVariableSources sources;
  sources.osCode = 80;
  sources.settings = &script.settings;
  sources.startMenuFolder = &script.StartMenuFolder;
  SetPathVariableSources(sources);
  ResetLanguageStrings();
  for (int i = 1; i <= kStrUninstallShortcut; i++)
    AddInstallerString(i == kStrUninstallShortcut ? "Uninstall program" : "string");
  UserChoices().selectedComponents = {1, 2};
  CreateDirectoryA((kWork + "app").c_str(), NULL);
  WriteText(kWork + "app\\app.exe", "");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QvsTest");
}

// The helper roles, when the checks start this program. A copy started
// without helper arguments only reports its command line, so the checks
// never run twice.
// The elevated copy's side of a hand-over (see TestUserSide): takes the
// log and the pipe, holds its own image and tells whether the user's side
// holds the same file (and that its log is another), writes that as a line
// and asks for three starts, the second of which the user's side must
// refuse (a program without a name), ending the conversation there.
void RunElevatedSide(char **argv) {
  UserSideHandover handover;
  handover.processId = (uint32_t)strtoul(argv[2], NULL, 10);
  handover.logFile = strtoull(argv[3], NULL, 10);
  handover.requests = strtoull(argv[4], NULL, 10);
  handover.installerFile = strtoull(argv[5], NULL, 10);
  FileHandle log = NULL;
  if (!JoinUserSide(handover, &log)) return;
  FileHandle image = NULL;
  const bool held = OpenRunningImage(&image) == kRunningImageOpen;
  const bool same = held && HoldsSameFileAs(image, handover.processId, handover.installerFile);
  const bool other = held && HoldsSameFileAs(image, handover.processId, handover.logFile);
  CloseFileHandle(&image);
  SeekFileToEnd(log);
  const std::string line = std::string("elevated side: ") +
                           (same ? "the image held there" : "another image") +
                           (other ? ", the log too" : ", not the log") + "\r\n";
  WriteToFile(log, line.data(), line.size());
  CloseFileHandle(&log);
  UserStartRequest request;
  request.kind = kUserStartCommandLine;
  request.parameters = "\"" + OwnPath() + "\" probe " + kWork + "user-a.txt";
  StartForUser(request);
  UserStartRequest refused;
  refused.kind = kUserStartProgram;
  StartForUser(refused);
  request.parameters = "\"" + OwnPath() + "\" probe " + kWork + "user-b.txt";
  StartForUser(request);
}

bool RunAsHelper(int argc, char **argv) {
  if (argc == 6 && strcmp(argv[1], "elevated-side") == 0) {
    RunElevatedSide(argv);
    return true;
  }
  const char *line = GetCommandLineA();
  char parent[8] = {};
  const bool started = GetEnvironmentVariableA(kParentVariable, parent, sizeof parent) > 0;
  if (line == NULL || line[0] == '\0' || (started && argc < 3)) {
    WriteText(kWork + "empty-command-line.txt",
              line == NULL || line[0] == '\0' ? "empty" : std::string("not empty: ") + line);
    return true;
  }
  if (argc == 3 && strcmp(argv[1], "probe") == 0) WriteText(argv[2], line);
  if (argc == 3 && strcmp(argv[1], "sleep") == 0) Sleep((DWORD)atoi(argv[2]));
  return argc == 3;
}

}  // namespace

int main(int argc, char **argv) {
  if (RunAsHelper(argc, argv)) return 0;
  InstallCrashReport();
  SetEnvironmentVariableA(kParentVariable, "1");
  PrepareRun();
  TestSystemFlags();
  TestRegistryTasks();
  TestPrograms();
  TestTaskPhases();
  TestLinks();
  TestShortcutTasks();
  TestStartMenu();
  TestAssociations();
  TestDllRegistration();
  TestEnvironment();
  TestFonts();
  TestIniFiles();
  TestFolderTasks();
  TestTrust();
  TestDoneRecords();
  TestUndo();
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QvsTest");
  return ReportChecks();
}
