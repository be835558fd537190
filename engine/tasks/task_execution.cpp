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

// Each task below returns why its change was not made, or the empty text
// when it was.
const char kDone[] = "";

std::string RunProgramTask(const TaskDetails &task, int phase) {
  if (task.ExecutionTime != kPhaseBeforeCopy && task.ExecutionTime != kPhaseAfterCopy)
    return "ExecutionTime " + std::to_string((long)task.ExecutionTime) + " names no moment to run";
  if (task.ExecutionTime != phase) return "it runs at the other moment";
  if (task.ProgramPath.empty()) return "ProgramPath is empty";
  bool started = false;
  RunProgram(Expand(task.ProgramPath), Expand(task.CommandLine), task.RunMode, task.RunHidden,
             task.WaitUntilQuit, WaitCallback, &started);
  return started ? kDone : "the program could not be started";
}

std::string FileAssociationTask(const TaskDetails &task) {
  const std::string program = Expand(task.ExePath);
  const std::string extension = Expand(task.Extension);
  if (program.empty() || extension.empty()) return "ExePath or Extension is empty";
  PreviousValue previous;
  if (RegisterFileAssociation(extension, Expand(task.Description), program,
                              AssociationIconSpec(Expand(task.Icon), task.IconIndex, program),
                              FileNamePartOf(program), Expand(task.ExplorerDescription),
                              Expand(task.CommandLine), &previous) != 1) {
    return "the association could not be registered";
  }
  DoneTaskRecord done;
  done.Type = kDoneFileAssociation;
  done.ExePath = program;
  done.Extension = extension;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
  return kDone;
}

std::string DllTask(const TaskDetails &task) {
  if (task.DllPath.empty()) return "DllPath is empty";
  const std::string path = Expand(task.DllPath);
  if (RegisterDll(path, WaitCallback) != 1) return "regsvr32 did not register it";
  DoneTaskRecord done;
  done.Type = kDoneDllRegistration;
  done.DLLPath = path;
  AddDoneTask(done);
  return kDone;
}

std::string EnvironmentTask(const TaskDetails &task) {
  const std::string name = Expand(task.VariableName);
  const std::string value = Expand(task.VariableData);
  if (name.empty() || value.empty()) return "VariableName or VariableData is empty";
  PreviousValue previous;
  if (SetEnvironmentVariableTask(name, value, &previous) != 1) return "the variable could not be set";
  DoneTaskRecord done;
  done.Type = kDoneEnvironmentVariable;
  done.VariableName = name;
  KeepPrevious(previous, &done);
  // So that undoing it can tell whether the variable changed since.
  done.hasWritten = true;
  done.WrittenData = value;
  AddDoneTask(done);
  return kDone;
}

std::string IniGroupTask(const TaskDetails &task) {
  const std::string iniPath = Expand(task.IniPath);
  const std::string group = Expand(task.GroupName);
  if (iniPath.empty() || group.empty()) return "IniPath or GroupName is empty";
  PreviousValue previous;
  if (WriteIniGroup(group, iniPath, &previous) == 0) return "the INI file could not be written";
  DoneTaskRecord done;
  done.Type = kDoneIniGroup;
  done.IniPath = iniPath;
  done.GroupName = group;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
  return kDone;
}

std::string IniValueTask(const TaskDetails &task) {
  const std::string iniPath = Expand(task.IniPath);
  const std::string group = Expand(task.Group);
  const std::string name = Expand(task.ValueName);
  if (iniPath.empty() || group.empty() || name.empty()) return "IniPath, Group or ValueName is empty";
  PreviousValue previous;
  if (WriteIniValue(group, name, Expand(task.ValueData), iniPath, &previous) == 0)
    return "the INI file could not be written";
  DoneTaskRecord done;
  done.Type = kDoneIniValue;
  done.IniPath = iniPath;
  done.Group = group;
  done.ValueName = name;
  KeepPrevious(previous, &done);
  AddDoneTask(done);
  return kDone;
}

std::string RegistryKeyTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> done;
  if (!CreateRegistryKeyTask(details, &done)) return "the key could not be created";
  for (const DoneTaskRecord &record : done) AddDoneTask(record);
  return kDone;
}

std::string RegistryValueTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> done;
  std::string why;
  if (!WriteRegistryValueTask(details, &done, &why)) return why;
  for (const DoneTaskRecord &record : done) AddDoneTask(record);
  return kDone;
}

std::string FontTask(const TaskDetails &task) {
  const std::string path = Expand(task.FontPath);
  if (path.empty()) return "FontPath is empty";
  switch (InstallFont(path)) {
    case kFontInstalled: return kDone;
    case kFontNotRegistered: return "the font was added, but its registry entry failed";
    case kFontNotAdded: return "the font was copied, but the system did not take it";
    default: return "the font could not be copied into the fonts folder";
  }
}

std::string FolderTask(const TaskDetails &task, bool create) {
  const std::string folder = Expand(task.Address);
  if (folder.empty()) return "Address is empty";
  if (create)
    return CreateFolderTask(folder) ? kDone : "the folder is there already, or its parent is not";
  return DeleteFolderWithContents(folder) ? kDone : "the folder is not there, or is refused";
}

std::string CopyTask(const TaskDetails &task) {
  const std::string source = Expand(task.SourceFile);
  const std::string destination = Expand(task.DestinationFile);
  if (source.empty() || destination.empty()) return "SourceFile or DestinationFile is empty";
  return CopyFileTask(source, destination) ? kDone : "the copy failed";
}

std::string DeleteTask(const TaskDetails &task) {
  const std::string path = Expand(task.Address);
  if (path.empty()) return "Address is empty";
  return DeleteFileTask(path) ? kDone : "there is no such file, or it could not be deleted";
}

std::string Dispatch(const TaskDetails &task, int32_t type, int phase) {
  switch (type) {
    case kTaskRunProgram: return RunProgramTask(task, phase);
    case kTaskCreateRegistryKey: return RegistryKeyTask(task);
    case kTaskWriteRegistryValue: return RegistryValueTask(task);
    case kTaskShortcut: return RunShortcutTask(task);
    case kTaskInternetShortcut: return RunInternetShortcutTask(task);
    case kTaskFileAssociation: return FileAssociationTask(task);
    case kTaskRegisterDll: return DllTask(task);
    case kTaskEnvironmentVariable: return EnvironmentTask(task);
    case kTaskInstallFont: return FontTask(task);
    case kTaskIniGroup: return IniGroupTask(task);
    case kTaskIniValue: return IniValueTask(task);
    case kTaskCreateFolder: return FolderTask(task, true);
    case kTaskDeleteFolder: return FolderTask(task, false);
    case kTaskCopyFile: return CopyTask(task);
    case kTaskDeleteFile: return DeleteTask(task);
    default: return "type " + std::to_string((long)type) + " is no task type";
  }
}

}  // namespace

int ExecuteTask(const TaskDetails *record, int32_t type, const OsFlags &systemFlags, int phase,
                std::string *notDone) {
  std::string why = "it has no details";
  if (TaskFlagForOs(systemFlags, ActingOsCode()) == 0) return 0;
  // Only programs run before the files are there.
  if (phase != kPhaseAfterCopy && type != kTaskRunProgram)
    why = "it runs after the files are copied";
  else if (record != NULL)
    why = Dispatch(*record, type, phase);
  if (notDone != NULL) *notDone = why;
  return 1;
}

namespace {

// Runs one selected task and writes its result to the log: "done" only
// for a change that took effect.
void ExecuteAndLog(const TaskItem &item, int phase) {
  // A program has its line at its moment: before the files when its
  // ExecutionTime says so, else after them.
  if (item.Type == kTaskRunProgram) {
    const int moment =
        item.details.ExecutionTime == kPhaseBeforeCopy ? kPhaseBeforeCopy : kPhaseAfterCopy;
    if (moment != phase) return;
  }
  const size_t recordsBefore = DoneTasks().size();
  const size_t entriesBefore = Journal().entries.size();
  std::string why;
  std::string result;
  if (ExecuteTask(&item.details, item.Type, item.systems, phase, &why) == 0)
    result = "not for this system";
  else if (!why.empty())
    result = "not done (" + why + ")";
  else if (DoneTasks().size() > recordsBefore || Journal().entries.size() > entriesBefore)
    result = "done, recorded for the uninstaller";
  else
    result = "done";
  LogLine("Task " + std::to_string((long)item.ID) + " \"" + item.Name + "\" (type " +
          std::to_string((long)item.Type) + "): " + result);
}

}  // namespace

void RunBeforeCopyTasks() {
  const InstallChoices &choices = UserChoices();
  for (const TaskItem &item : InstallerScript().settings.installerTasks) {
    if (item.Type != kTaskRunProgram || !IsComponentSelected(choices, item.ComponentID)) continue;
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
