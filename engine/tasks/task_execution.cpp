#include "engine/tasks/task_execution.h"

#include "checks/path_expansion.h"
#include "engine/tasks/association_plan.h"
#include "engine/tasks/done_tasks.h"
#include "engine/tasks/file_tasks.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/state/install_log.h"
#include "engine/state/install_state.h"
#include "engine/state/pause_points.h"
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

// Gives a done record its ID and name (the current local time). Only the
// thread running the tasks calls this.
bool NameRecord(DoneTaskRecord *record) {
  static DoneIdSource source;
  static bool seeded = false;
  if (!seeded) {
    SeedDoneIdSource(&source, ReadRandomSeed());
    seeded = true;
  }
  return NameDoneRecord(record, std::to_string(LocalSecondsSince1970()), &source,
                        &InstallerScript().settings.usedIds);
}

// What one task is about to change, noted in the journal before the change
// (ChangeAhead) with what it found; the notes of a change that then failed
// are marked undone.
struct TaskNotes {
  DoneTaskRecord record;  // the change, without what it found yet
  std::vector<size_t> numbers;
};

bool NoteChange(DoneTaskRecord change, TaskNotes *notes) {
  size_t number = 0;
  if (!NameRecord(&change) || !NoteTaskChanging(change, true, true, &number)) return false;
  notes->numbers.push_back(number);
  return true;
}

bool NoteWithFound(const PreviousValue &found, void *context) {
  TaskNotes *notes = static_cast<TaskNotes *>(context);
  DoneTaskRecord change = notes->record;
  change.hasPrevious = found.present;
  change.PreviousType = found.type;
  change.PreviousData = found.data;
  return NoteChange(change, notes);
}

ChangeAhead AheadFor(TaskNotes *notes) {
  ChangeAhead ahead;
  ahead.before = NoteWithFound;
  ahead.context = notes;
  return ahead;
}

void Finish(const TaskNotes &notes, bool done) {
  if (done) return;
  for (size_t number : notes.numbers) NoteUndone(number, false);
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
  TaskNotes notes;
  notes.record.Type = kDoneFileAssociation;
  notes.record.ExePath = program;
  notes.record.Extension = extension;
  const ChangeAhead ahead = AheadFor(&notes);
  Finish(notes, RegisterFileAssociation(
                    extension, Expand(task.Description), program,
                    AssociationIconSpec(Expand(task.Icon), task.IconIndex, program),
                    FileNamePartOf(program), Expand(task.ExplorerDescription),
                    Expand(task.CommandLine), &ahead) == 1);
}

void DllTask(const TaskDetails &task) {
  if (task.DllPath.empty()) return;
  TaskNotes notes;
  notes.record.Type = kDoneDllRegistration;
  notes.record.DLLPath = Expand(task.DllPath);
  if (!NoteChange(notes.record, &notes)) return;
  Finish(notes, RegisterDll(notes.record.DLLPath, WaitCallback) == 1);
}

void EnvironmentTask(const TaskDetails &task) {
  const std::string name = Expand(task.VariableName);
  const std::string value = Expand(task.VariableData);
  if (name.empty() || value.empty()) return;
  TaskNotes notes;
  notes.record.Type = kDoneEnvironmentVariable;
  notes.record.VariableName = name;
  // So that undoing it can tell whether the variable changed since.
  notes.record.hasWritten = true;
  notes.record.WrittenData = value;
  const ChangeAhead ahead = AheadFor(&notes);
  Finish(notes, SetEnvironmentVariableTask(name, value, &ahead) == 1);
}

void IniGroupTask(const TaskDetails &task) {
  TaskNotes notes;
  notes.record.Type = kDoneIniGroup;
  notes.record.IniPath = Expand(task.IniPath);
  notes.record.GroupName = Expand(task.GroupName);
  if (notes.record.IniPath.empty() || notes.record.GroupName.empty()) return;
  const ChangeAhead ahead = AheadFor(&notes);
  Finish(notes, WriteIniGroup(notes.record.GroupName, notes.record.IniPath, &ahead) != 0);
}

void IniValueTask(const TaskDetails &task) {
  TaskNotes notes;
  notes.record.Type = kDoneIniValue;
  notes.record.IniPath = Expand(task.IniPath);
  notes.record.Group = Expand(task.Group);
  notes.record.ValueName = Expand(task.ValueName);
  const DoneTaskRecord &r = notes.record;
  if (r.IniPath.empty() || r.Group.empty() || r.ValueName.empty()) return;
  const ChangeAhead ahead = AheadFor(&notes);
  Finish(notes, WriteIniValue(r.Group, r.ValueName, Expand(task.ValueData), r.IniPath, &ahead) != 0);
}

// The value's record is complete only once the earlier value is read:
// WriteRegistryValueTask fills it before it asks ahead.
struct ValueNotes {
  TaskNotes notes;
  const DoneTaskRecord *record = nullptr;
};

bool NoteValue(const PreviousValue &, void *context) {
  ValueNotes *value = static_cast<ValueNotes *>(context);
  return NoteChange(*value->record, &value->notes);
}

void RegistryValueTask(const TaskDetails &details) {
  DoneTaskRecord done;
  ValueNotes value;
  value.record = &done;
  ChangeAhead ahead;
  ahead.before = NoteValue;
  ahead.context = &value;
  Finish(value.notes, WriteRegistryValueTask(details, &done, &ahead));
}

void RegistryKeyTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> changes;
  if (!PlanRegistryKeyTask(details, &changes)) return;
  TaskNotes notes;
  for (const DoneTaskRecord &change : changes)
    if (!NoteChange(change, &notes)) {
      Finish(notes, false);
      return;
    }
  Finish(notes, CreateRegistryKeyOfTask(details));
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
    case kTaskWriteRegistryValue: RegistryValueTask(task); break;
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

// True when the journal gained, from entry `from` on, a change the
// uninstaller will see.
bool RecordedSince(size_t from) {
  const std::vector<JournalEntry> &entries = Journal().entries;
  for (size_t i = from; i < entries.size(); i++)
    if (entries[i].listed && !entries[i].undone) return true;
  return false;
}

// Runs one selected task and writes its result to the log.
void ExecuteAndLog(const TaskItem &item, int phase) {
  const size_t entriesBefore = Journal().entries.size();
  std::string result;
  if (ExecuteTask(&item.details, item.Type, item.systems, phase) == 0)
    result = "not for this system";
  else if (RecordedSince(entriesBefore))
    result = "done, recorded for the uninstaller";
  else if (RecordsEverySuccess(item.Type) && phase == kPhaseAfterCopy)
    result = "not done (it failed or had nothing to change)";
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
    // No change may be made that the journal does not name first.
    if (JournalBroken()) break;
    PausePoint(kPauseAfterTask);
  }
  return 0;
}
