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

// Why a change was not made when the journal could not note it first.
const char kNotJournalled[] = "the journal could not note it";

// The task's result: empty when its change took effect, else `why`, and
// the notes of the change that did not happen are marked undone.
std::string Finish(const TaskNotes &notes, bool done, const std::string &why) {
  if (done) return std::string();
  for (size_t number : notes.numbers) NoteUndone(number, false);
  return why;
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
  TaskNotes notes;
  notes.record.Type = kDoneFileAssociation;
  notes.record.ExePath = program;
  notes.record.Extension = extension;
  const ChangeAhead ahead = AheadFor(&notes);
  const bool done = RegisterFileAssociation(
                        extension, Expand(task.Description), program,
                        AssociationIconSpec(Expand(task.Icon), task.IconIndex, program),
                        FileNamePartOf(program), Expand(task.ExplorerDescription),
                        Expand(task.CommandLine), &ahead) == 1;
  return Finish(notes, done, "the association could not be registered");
}

std::string DllTask(const TaskDetails &task) {
  if (task.DllPath.empty()) return "DllPath is empty";
  TaskNotes notes;
  notes.record.Type = kDoneDllRegistration;
  notes.record.DLLPath = Expand(task.DllPath);
  if (!NoteChange(notes.record, &notes)) return kNotJournalled;
  return Finish(notes, RegisterDll(notes.record.DLLPath, WaitCallback) == 1,
                "regsvr32 did not register it");
}

std::string EnvironmentTask(const TaskDetails &task) {
  const std::string name = Expand(task.VariableName);
  const std::string value = Expand(task.VariableData);
  if (name.empty() || value.empty()) return "VariableName or VariableData is empty";
  TaskNotes notes;
  notes.record.Type = kDoneEnvironmentVariable;
  notes.record.VariableName = name;
  // So that undoing it can tell whether the variable changed since.
  notes.record.hasWritten = true;
  notes.record.WrittenData = value;
  const ChangeAhead ahead = AheadFor(&notes);
  return Finish(notes, SetEnvironmentVariableTask(name, value, &ahead) == 1,
                "the variable could not be set");
}

std::string IniGroupTask(const TaskDetails &task) {
  TaskNotes notes;
  notes.record.Type = kDoneIniGroup;
  notes.record.IniPath = Expand(task.IniPath);
  notes.record.GroupName = Expand(task.GroupName);
  if (notes.record.IniPath.empty() || notes.record.GroupName.empty())
    return "IniPath or GroupName is empty";
  const ChangeAhead ahead = AheadFor(&notes);
  return Finish(notes, WriteIniGroup(notes.record.GroupName, notes.record.IniPath, &ahead) != 0,
                "the INI file could not be written");
}

std::string IniValueTask(const TaskDetails &task) {
  TaskNotes notes;
  notes.record.Type = kDoneIniValue;
  notes.record.IniPath = Expand(task.IniPath);
  notes.record.Group = Expand(task.Group);
  notes.record.ValueName = Expand(task.ValueName);
  const DoneTaskRecord &r = notes.record;
  if (r.IniPath.empty() || r.Group.empty() || r.ValueName.empty())
    return "IniPath, Group or ValueName is empty";
  const ChangeAhead ahead = AheadFor(&notes);
  return Finish(notes,
                WriteIniValue(r.Group, r.ValueName, Expand(task.ValueData), r.IniPath, &ahead) != 0,
                "the INI file could not be written");
}

std::string RegistryKeyTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> changes;
  if (!PlanRegistryKeyTask(details, &changes)) return "BaseKey or KeyPath names no key";
  TaskNotes notes;
  for (const DoneTaskRecord &change : changes)
    if (!NoteChange(change, &notes)) return Finish(notes, false, kNotJournalled);
  return Finish(notes, CreateRegistryKeyOfTask(details), "the key could not be created");
}

// A value's records are complete only once the key's missing levels are
// known and the earlier value is read: WriteRegistryValueTask adds them to
// `records` before it asks ahead, and each is noted once.
struct ValueNotes {
  TaskNotes notes;
  const std::vector<DoneTaskRecord> *records = nullptr;
  size_t noted = 0;
};

bool NoteValueRecords(const PreviousValue &, void *context) {
  ValueNotes *value = static_cast<ValueNotes *>(context);
  for (; value->noted < value->records->size(); value->noted++)
    if (!NoteChange((*value->records)[value->noted], &value->notes)) return false;
  return true;
}

std::string RegistryValueTask(const TaskDetails &details) {
  std::vector<DoneTaskRecord> done;
  ValueNotes value;
  value.records = &done;
  ChangeAhead ahead;
  ahead.before = NoteValueRecords;
  ahead.context = &value;
  std::string why;
  const bool written = WriteRegistryValueTask(details, &done, &why, &ahead);
  return Finish(value.notes, written, why);
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

// True when the journal gained, from entry `from` on, a change the
// uninstaller will see.
bool RecordedSince(size_t from) {
  const std::vector<JournalEntry> &entries = Journal().entries;
  for (size_t i = from; i < entries.size(); i++)
    if (entries[i].listed && !entries[i].undone) return true;
  return false;
}

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
  const size_t entriesBefore = Journal().entries.size();
  std::string why;
  std::string result;
  if (ExecuteTask(&item.details, item.Type, item.systems, phase, &why) == 0)
    result = "not for this system";
  else if (!why.empty())
    result = "not done (" + why + ")";
  else if (RecordedSince(entriesBefore))
    result = "done, recorded for the uninstaller";
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
    // No change may be made that the journal does not name first.
    if (JournalBroken()) break;
    PausePoint(kPauseAfterTask);
  }
  return 0;
}
