// What the installer hands the uninstaller: the script's uninstaller texts
// expanded at the end of the run (not when the script was read), only the
// selected components' uninstaller tasks in full, every created file with
// the uninstaller's own two last, and a file the reader takes back.
#include <gtest/gtest.h>

#include "engine/install/uninstaller_data_plan.h"

namespace {

std::string ExpandApp(const std::string &text) {
  const std::string token = "<app>";
  std::string out = text;
  for (size_t at = out.find(token); at != std::string::npos; at = out.find(token))
    out.replace(at, token.size(), "D:\\Chosen");
  return out;
}

TaskItem Task(int32_t id, int32_t type, int32_t component) {
  TaskItem task;
  task.ID = id;
  task.Type = type;
  task.ComponentID = component;
  task.systems.Win7 = 1;
  return task;
}

}  // namespace

TEST(UninstallerDataPlan, FromScriptChoicesAndJournal) {
  ScriptSettings s;
  s.ProgramName = "Demo";
  s.CreateAddRemoveEntry = 1;
  s.AddRemoveEntryName = "Demo 1.0";
  s.UninstRestartPC = 1;
  s.CheckForInstancesUninstaller = 1;
  CloseItem item;
  item.ID = 4;
  item.Type = 0;
  item.MutexName = "DemoMutex";
  s.closeItemsUninstaller.push_back(item);
  Component principal;
  principal.ID = 20;
  principal.PathVariable = "<app>";
  principal.InstallationPath = "D:\\Chosen\\";
  s.components.push_back(principal);
  TaskItem run = Task(40, 0, 20);
  run.details.ProgramPath = "<app>\\cleanup.exe";
  run.details.CommandLine = "/all";
  TaskItem value = Task(41, 2, 20);
  value.details.BaseKey = 1;
  value.details.KeyPath = "Software\\Demo";
  value.details.ValueName = "Path";
  s.uninstallerTasks = {run, value, Task(42, 4, 99)};
  s.SkipUninstallFiles = {"<app>\\user.cfg"};

  InstallChoices choices;
  choices.selectedComponents = {20};
  // What the run changed; a file it found and kept is not in its journal,
  // and changes that did not happen or only a rollback undoes are left out.
  InstallJournal journal;
  journal.entries.resize(6);
  journal.entries[0].kind = kJournalFolderCreated;
  journal.entries[0].path = "D:\\Chosen\\";
  journal.entries[1].path = "D:\\Chosen\\demo.exe";
  journal.entries[2].kind = kJournalFileReplaced;
  journal.entries[2].path = "D:\\Chosen\\old.dll";
  journal.entries[2].keptPath = "D:\\Chosen\\~qvs00000001.old";
  journal.entries[3].path = "D:\\Chosen\\locked.dll";
  journal.entries[3].undone = true;
  journal.entries[4].kind = kJournalTaskChange;
  journal.entries[4].change.ID = 12345;
  journal.entries[4].change.Type = kDoneRegistryKey;
  journal.entries[4].change.BaseKey = (int32_t)0x80000001u;
  journal.entries[4].change.KeyPath = "Software\\Demo";
  journal.entries[5] = journal.entries[4];
  journal.entries[5].listed = false;
  const std::vector<std::string> strings = {"Information", "Uninstalled"};

  UninstallerDataSources sources;
  sources.settings = &s;
  sources.choices = &choices;
  sources.journal = &journal;
  sources.productKey = "_$_INSTALLER_Data_1234567_$_";
  sources.uninstallerStrings = &strings;
  sources.startMenuFolder = "C:\\Menu\\Demo\\";
  sources.uninstallerExePath = "D:\\Chosen\\Uninst0.exe";
  sources.uninstallerDataPath = "D:\\Chosen\\Uninst0.dat";
  sources.addRemoveForAllUsers = 1;
  sources.expand = ExpandApp;
  const UninstallerData data = MakeUninstallerData(sources);

  EXPECT_EQ(data.localization, strings);
  EXPECT_EQ(data.config.StartMenuPath, "C:\\Menu\\Demo\\");
  EXPECT_EQ(data.config.AddRemoveForAllUsers, 1);
  EXPECT_EQ(data.config.RebootRequired, 1);
  ASSERT_EQ(data.closeItems.size(), 1u);
  EXPECT_EQ(data.closeItems[0].MutexName, "DemoMutex");
  ASSERT_EQ(data.components.size(), 1u);
  EXPECT_EQ(data.components[0].InstallationPath, "D:\\Chosen\\");
  ASSERT_EQ(data.uninstallerTasks.size(), 3u);
  EXPECT_TRUE(data.uninstallerTasks[0].selected);
  EXPECT_EQ(data.uninstallerTasks[0].ProgramPath, "D:\\Chosen\\cleanup.exe");
  // A value task names its key Key in the file.
  EXPECT_EQ(data.uninstallerTasks[1].Key, "Software\\Demo");
  EXPECT_FALSE(data.uninstallerTasks[2].selected);
  EXPECT_EQ(data.createdFiles,
            (std::vector<std::string>{"D:\\Chosen\\demo.exe", "D:\\Chosen\\old.dll",
                                      "D:\\Chosen\\Uninst0.exe", "D:\\Chosen\\Uninst0.dat"}));
  EXPECT_EQ(data.createdFolders, (std::vector<std::string>{"D:\\Chosen\\"}));
  EXPECT_EQ(data.leaveFiles, (std::vector<std::string>{"D:\\Chosen\\user.cfg"}));

  // The uninstaller reads back what the installer writes.
  UninstallerData read;
  std::string error;
  ASSERT_TRUE(ReadUninstallerData(WriteUninstallerData(data), &read, &error)) << error;
  EXPECT_EQ(read.uninstallerTasks[0].ProgramPath, "D:\\Chosen\\cleanup.exe");
  EXPECT_EQ(read.doneTasks.size(), 1u);
  EXPECT_EQ(read.createdFiles, data.createdFiles);
  EXPECT_EQ(read.config.ProductKey, "_$_INSTALLER_Data_1234567_$_");
}
