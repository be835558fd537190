#include "engine/tasks/task_execution.h"

#include "checks/path_expansion.h"
#include "engine/tasks/association_plan.h"
#include "engine/tasks/done_tasks.h"
#include "engine/tasks/file_tasks.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/state/install_log.h"
#include "engine/state/install_state.h"
#include "engine/state/installer_script.h"
#include "engine/tasks/registry_tasks.h"
#include "engine/tasks/run_program.h"
#include "engine/tasks/shortcuts.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "platform/local_time.h"
#include "platform/program_run.h"
#include "platform/system_info.h"

namespace {

// Adds a done record with a fresh ID and the current local time as its
// name. Only the thread running the tasks calls this.
void AddDoneTask(const DoneTaskRecord &record) {
  static DoneIdSource source;
  static bool seeded = false;
  if (!seeded) {
    SeedDoneIdSource(&source, ReadRandomSeed());
    seeded = true;
  }
  AppendDoneTask(record, std::to_string(LocalSecondsSince1970()), &source,
                 &InstallerScript().settings.usedIds, &DoneTasks());
}

void KeepPrevious(const PreviousValue &previous, DoneTaskRecord *done) {
  done->hasPrevious = previous.present;
  done->PreviousType = previous.type;
  done->PreviousData = previous.data;
}

std::string Expand(const std::string &text) { return ReplacePathVariables(text); }

void RunProgramTask(const TaskDetails &task, int phase) {
  if (task.ExecutionTime != phase || task.ProgramPath.empty()) return;
  RunProgram(Expand(task.ProgramPath), Expand(task.CommandLine), task.RunMode, task.RunHidden,
             task.WaitUntilQuit, WaitCallback);
}

void FileAssociationTask(const TaskDetails &task) {
  const std::string program = Expand(task.ExePath);
  const std::string extension = Expand(task.Extension);
  if (program.empty() || extension.empty()) return;
  PreviousValue previous;
  if (RegisterFileAssociation(extension, Expand(task.Description), program,
                              AssociationIconSpec(Expand(task.Icon), task.IconIndex, program),
                              FileNamePartOf(program), Expand(task.ExplorerDescription),
                              Expand(task.CommandLine), &previous) != 1) {
    return;
  }
  DoneTaskRecord done;
  done.Type = kDoneFileAssociation;
  done.ExePath = program;
  done.Extension = extension;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
}

void DllTask(const TaskDetails &task) {
  if (task.DllPath.empty()) return;
  const std::string path = Expand(task.DllPath);
  if (RegisterDll(path, WaitCallback) != 1) return;
  DoneTaskRecord done;
  done.Type = kDoneDllRegistration;
  done.DLLPath = path;
  AddDoneTask(done);
}

void EnvironmentTask(const TaskDetails &task) {
  const std::string name = Expand(task.VariableName);
  const std::string value = Expand(task.VariableData);
  PreviousValue previous;
  if (name.empty() || value.empty() || SetEnvironmentVariableTask(name, value, &previous) != 1)
    return;
  DoneTaskRecord done;
  done.Type = kDoneEnvironmentVariable;
  done.VariableName = name;
  KeepPrevious(previous, &done);
  // So that undoing it can tell whether the variable changed since.
  done.hasWritten = true;
  done.WrittenData = value;
  AddDoneTask(done);
}

void IniGroupTask(const TaskDetails &task) {
  const std::string iniPath = Expand(task.IniPath);
  const std::string group = Expand(task.GroupName);
  PreviousValue previous;
  if (iniPath.empty() || group.empty() || WriteIniGroup(group, iniPath, &previous) == 0) return;
  DoneTaskRecord done;
  done.Type = kDoneIniGroup;
  done.IniPath = iniPath;
  done.GroupName = group;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
}

void IniValueTask(const TaskDetails &task) {
  const std::string iniPath = Expand(task.IniPath);
  const std::string group = Expand(task.Group);
  const std::string name = Expand(task.ValueName);
  PreviousValue previous;
  if (iniPath.empty() || group.empty() || name.empty() ||
      WriteIniValue(group, name, Expand(task.ValueData), iniPath, &previous) == 0) {
    return;
  }
  DoneTaskRecord done;
  done.Type = kDoneIniValue;
  done.IniPath = iniPath;
  done.Group = group;
  done.ValueName = name;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
}

void RegistryTask(bool (*task)(const TaskDetails &, DoneTaskRecord *), const TaskDetails &details) {
  DoneTaskRecord done;
  if (task(details, &done)) AddDoneTask(done);
}

void RegistryKeyTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> done;
  if (!CreateRegistryKeyTask(details, &done)) return;
  for (const DoneTaskRecord &record : done) AddDoneTask(record);
}

void NonEmpty(void (*task)(const std::string &), const std::string &text) {
  const std::string expanded = Expand(text);
  if (!expanded.empty()) task(expanded);
}

void InstallFontTask(const std::string &path) { InstallFont(path); }
void CreateFolderTaskOf(const std::string &path) { CreateFolderTask(path); }
void DeleteFolderTaskOf(const std::string &path) { DeleteFolderWithContents(path); }

void Dispatch(const TaskDetails &task, int32_t type, int phase) {
  switch (type) {
    case kTaskRunProgram: RunProgramTask(task, phase); break;
    case kTaskCreateRegistryKey: RegistryKeyTask(task); break;
    case kTaskWriteRegistryValue: RegistryTask(WriteRegistryValueTask, task); break;
    case kTaskShortcut: RunShortcutTask(task); break;
    case kTaskInternetShortcut: RunInternetShortcutTask(task); break;
    case kTaskFileAssociation: FileAssociationTask(task); break;
    case kTaskRegisterDll: DllTask(task); break;
    case kTaskEnvironmentVariable: EnvironmentTask(task); break;
    case kTaskInstallFont: NonEmpty(InstallFontTask, task.FontPath); break;
    case kTaskIniGroup: IniGroupTask(task); break;
    case kTaskIniValue: IniValueTask(task); break;
    case kTaskCreateFolder: NonEmpty(CreateFolderTaskOf, task.Address); break;
    case kTaskDeleteFolder: NonEmpty(DeleteFolderTaskOf, task.Address); break;
    case kTaskCopyFile: {
      const std::string source = Expand(task.SourceFile);
      const std::string destination = Expand(task.DestinationFile);
      if (!source.empty() && !destination.empty()) CopyFileTask(source, destination);
      break;
    }
    case kTaskDeleteFile: NonEmpty(DeleteFileTask, task.Address); break;
    default: break;
  }
}

}  // namespace

int ExecuteTask(const TaskDetails *record, int32_t type, const OsFlags &systemFlags, int phase) {
  if (TaskFlagForOs(systemFlags, ActingOsCode()) == 0) return 0;
  // Only programs run before the files are there.
  if (record != NULL && (phase == kPhaseAfterCopy || type == kTaskRunProgram))
    Dispatch(*record, type, phase);
  return 1;
}

namespace {

// The task types whose every success leaves a record for the uninstaller:
// no new record means the change was not made, which the log must not call
// done.
bool RecordsEverySuccess(int type) {
  return type == kTaskCreateRegistryKey || type == kTaskWriteRegistryValue ||
         type == kTaskFileAssociation || type == kTaskRegisterDll ||
         type == kTaskEnvironmentVariable || type == kTaskIniGroup || type == kTaskIniValue;
}

// Runs one selected task and writes its result to the log.
void ExecuteAndLog(const TaskItem &item, int phase) {
  const size_t recordsBefore = DoneTasks().size();
  const size_t entriesBefore = Journal().entries.size();
  std::string result;
  if (ExecuteTask(&item.details, item.Type, item.systems, phase) == 0)
    result = "not for this system";
  else if (DoneTasks().size() > recordsBefore || Journal().entries.size() > entriesBefore)
    result = "done, recorded for the uninstaller";
  else if (RecordsEverySuccess(item.Type) && phase == kPhaseAfterCopy)
    result = "not done (it failed or had nothing to change)";
  else
    result = "done";
  LogLine("Task " + std::to_string((long)item.ID) + " \"" + item.Name + "\" (type " +
          std::to_string((long)item.Type) + "): " + result);
}

}  // namespace

void RunBeforeCopyTasks(bool (*stopRequested)()) {
  const InstallChoices &choices = UserChoices();
  for (const TaskItem &item : InstallerScript().settings.installerTasks) {
    if (item.Type != kTaskRunProgram || !IsComponentSelected(choices, item.ComponentID)) continue;
    // A cancel confirmed while an earlier program ran starts no further one.
    if (stopRequested != NULL && stopRequested()) {
      LogLine("Task " + std::to_string((long)item.ID) + " \"" + item.Name +
              "\": not started, the installation was cancelled");
      continue;
    }
    ExecuteAndLog(item, kPhaseBeforeCopy);
    ProcessPendingWindowEvents();
  }
}

int RunAfterCopyTasks(int phase) {
  const InstallChoices &choices = UserChoices();
  const std::vector<TaskItem> &items = InstallerScript().settings.installerTasks;
  for (size_t i = 0; i < items.size(); i++) {
    const TaskItem &item = items[i];
    if (IsComponentSelected(choices, item.ComponentID))
      ExecuteAndLog(item, phase);
    else
      LogLine("Task " + std::to_string((long)item.ID) + ": its component is not installed");
    Install().TaskPercent = TaskProgressPercent(i + 1, items.size());
  }
  return 0;
}
