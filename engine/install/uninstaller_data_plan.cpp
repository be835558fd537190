#include "engine/install/uninstaller_data_plan.h"

namespace {

std::string Expanded(const UninstallerDataSources &sources, const std::string &text) {
  return sources.expand != nullptr ? sources.expand(text) : text;
}

UninstallerTaskRecord TaskRecordOf(const TaskItem &task, const UninstallerDataSources &sources) {
  UninstallerTaskRecord record;
  record.ID = task.ID;
  record.selected = IsComponentSelected(*sources.choices, task.ComponentID);
  record.Type = task.Type;
  const OsFlags &os = task.systems;
  record.Win95 = os.Win95;
  record.WinNT4 = os.WinNT4;
  record.Win98 = os.Win98;
  record.WinMe = os.WinMe;
  record.Win2000 = os.Win2000;
  record.WinXP = os.WinXP;
  record.WinServer2003 = os.WinServer2003;
  record.WinVista = os.WinVista;
  record.WinServer2008 = os.WinServer2008;
  record.Win7 = os.Win7;
  const TaskDetails &d = task.details;
  record.ProgramPath = Expanded(sources, d.ProgramPath);
  record.CommandLine = Expanded(sources, d.CommandLine);
  record.RunMode = d.RunMode;
  record.ExecutionTime = d.ExecutionTime;
  record.RunHidden = d.RunHidden;
  record.WaitUntilQuit = d.WaitUntilQuit;
  record.BaseKey = d.BaseKey;
  // Type 2 names its key KeyPath in the script and Key in the file.
  record.Key = Expanded(sources, task.Type == 2 ? d.KeyPath : d.Key);
  record.ValueName = Expanded(sources, d.ValueName);
  record.SourceFile = Expanded(sources, d.SourceFile);
  record.DestinationFile = Expanded(sources, d.DestinationFile);
  record.FilePath = Expanded(sources, d.FilePath);
  record.Address = Expanded(sources, d.Address);
  return record;
}

}  // namespace

UninstallerData MakeUninstallerData(const UninstallerDataSources &sources) {
  const ScriptSettings &s = *sources.settings;
  UninstallerData data;
  data.localization = *sources.uninstallerStrings;
  UninstallerConfig &config = data.config;
  config.ProgramName = s.ProgramName;
  config.ProgramVersion = s.ProgramVersion;
  config.CompanyName = s.CompanyName;
  config.ProgramWebsite = s.ProgramWebsite;
  config.SupportEmail = s.SupportEmail;
  config.StartMenuPath = sources.startMenuFolder;
  config.CreateAddRemoveEntry = s.CreateAddRemoveEntry;
  config.AddRemoveEntryName = s.AddRemoveEntryName;
  config.AddRemoveForAllUsers = sources.addRemoveForAllUsers;
  config.RebootRequired = s.UninstRestartPC;

  data.UninstCheckForInstances = s.CheckForInstancesUninstaller;
  for (const CloseItem &item : s.closeItemsUninstaller) {
    UninstallerCloseItem closeItem;
    closeItem.ID = item.ID;
    closeItem.Type = item.Type;
    closeItem.MutexName = item.MutexName;
    closeItem.WindowName = item.WindowName;
    closeItem.WindowClass = item.WindowClass;
    closeItem.MatchExactly = item.MatchExactly;
    data.closeItems.push_back(closeItem);
  }
  for (const Component &component : s.components)
    data.components.push_back({component.ID, component.PathVariable, component.InstallationPath});
  config.ProductKey = sources.productKey;
  data.doneTasks = DoneTasksOf(*sources.journal);
  for (const TaskItem &task : s.uninstallerTasks)
    data.uninstallerTasks.push_back(TaskRecordOf(task, sources));

  data.createdFiles = CreatedFilesOf(*sources.journal);
  data.createdFiles.push_back(sources.uninstallerExePath);
  data.createdFiles.push_back(sources.uninstallerDataPath);
  data.createdFolders = CreatedFoldersOf(*sources.journal);
  for (const std::string &file : s.SkipUninstallFiles)
    data.leaveFiles.push_back(Expanded(sources, file));
  return data;
}
