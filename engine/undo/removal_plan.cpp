#include "engine/undo/removal_plan.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/undo/folder_protection.h"
#include "engine/tasks/task_rules.h"
#include "engine/undo/undo_rules.h"
#include "format/uninstaller_data_text.h"
#include "script/registry_text.h"
#include "script/script_settings.h"

const char kAddRemoveKeyPrefix[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

namespace {

// Uninstaller task types.
enum UninstallerTaskType {
  kUninstallRunProgram = 0,
  kUninstallDeleteKey = 1,
  kUninstallDeleteValue = 2,
  kUninstallCopyFile = 3,
  kUninstallDeleteFile = 4,
  kUninstallDeleteFolderTree = 5,
  kUninstallRemoveFolder = 6,
  kUninstallOpenAddress = 7,
};
// A program with this ExecutionTime runs after the files and folders are gone.
const int32_t kRunAfterRemoval = 1;
const char kWildcards[] = "*?";

size_t Depth(const std::string &normal) {
  return (size_t)std::count(normal.begin(), normal.end(), '\\');
}

bool IsRootPath(const std::string &normal) {
  const bool share = normal.compare(0, 2, "\\\\") == 0;
  return share ? Depth(normal) <= 3 : Depth(normal) == 0;
}

struct Planner {
  const UninstallerData *data = nullptr;
  RemovalContext context;
  RemovalPlan plan;
  std::vector<RemovalStep> laterPrograms;

  void Refuse(const std::string &what, const std::string &why) {
    plan.refused.push_back(what + ": " + why);
  }
  void Add(const RemovalStep &step) { plan.steps.push_back(step); }
};

RemovalStep Step(RemovalStepKind kind, const std::string &path) {
  RemovalStep step;
  step.kind = kind;
  step.path = path;
  return step;
}

OsFlags FlagsOf(const UninstallerTaskRecord &task) {
  OsFlags flags;
  flags.Win95 = task.Win95;
  flags.WinNT4 = task.WinNT4;
  flags.Win98 = task.Win98;
  flags.WinMe = task.WinMe;
  flags.Win2000 = task.Win2000;
  flags.WinXP = task.WinXP;
  flags.WinServer2003 = task.WinServer2003;
  flags.WinVista = task.WinVista;
  flags.WinServer2008 = task.WinServer2008;
  flags.Win7 = task.Win7;
  return flags;
}

// Registry steps of a task: the script's root code and a clean key.
bool TaskKey(Planner *p, const std::string &what, int32_t rootCode, const std::string &key,
             RemovalStep *step) {
  step->rootCode = rootCode;
  step->keyPath = CleanKeyPath(key);
  if (!IsRegistryRootCode(rootCode)) {
    p->Refuse(what, "BaseKey " + DecimalText(rootCode) + " names no root");
    return false;
  }
  if (step->keyPath.empty()) {
    p->Refuse(what, "the key path is empty");
    return false;
  }
  return true;
}

bool PathOk(Planner *p, const std::string &what, const std::string &path) {
  if (IsRemovablePath(path)) return true;
  p->Refuse(what, "not a full path of a file or folder: \"" + path + "\"");
  return false;
}

void PlanTask(Planner *p, const UninstallerTaskRecord &task) {
  if (!task.selected || TaskFlagForOs(FlagsOf(task), p->context.osCode) == 0) return;
  const std::string what = "uninstaller task " + DecimalText(task.ID);
  RemovalStep step;
  switch (task.Type) {
    case kUninstallRunProgram:
      if (task.ProgramPath.empty()) return;
      step = Step(kStepRunProgram, task.ProgramPath);
      step.otherPath = task.CommandLine;
      step.runMode = task.RunMode;
      step.runHidden = task.RunHidden;
      step.waitUntilQuit = task.WaitUntilQuit;
      if (task.ExecutionTime == kRunAfterRemoval) {
        p->laterPrograms.push_back(step);
        return;
      }
      break;
    case kUninstallDeleteKey:
      step.kind = kStepDeleteKeyTree;
      if (!TaskKey(p, what, task.BaseKey, task.Key, &step)) return;
      if (IsKeyTreeDeletionRefused(step.rootCode, step.keyPath)) {
        p->Refuse(what, "the system's shared key " + step.keyPath + " is not deleted");
        return;
      }
      break;
    case kUninstallDeleteValue:
      step.kind = kStepDeleteValue;
      if (!TaskKey(p, what, task.BaseKey, task.Key, &step)) return;
      step.valueName = task.ValueName;
      break;
    case kUninstallCopyFile:
      if (!PathOk(p, what, task.SourceFile) || !PathOk(p, what, task.DestinationFile)) return;
      step = Step(kStepCopyFile, task.SourceFile);
      step.otherPath = task.DestinationFile;
      break;
    case kUninstallDeleteFile:
      if (!PathOk(p, what, task.FilePath)) return;
      step = Step(kStepDeleteTaskFile, task.FilePath);
      break;
    case kUninstallDeleteFolderTree:
    case kUninstallRemoveFolder:
      if (!PathOk(p, what, task.Address)) return;
      step = Step(task.Type == kUninstallRemoveFolder ? kStepRemoveTaskFolder
                                                      : kStepDeleteFolderTree,
                  task.Address);
      break;
    case kUninstallOpenAddress:
      if (task.Address.empty() || p->context.silent) return;
      step = Step(kStepOpenWebAddress, task.Address);
      break;
    default:
      p->Refuse(what, "type " + DecimalText(task.Type) + " is not an uninstaller task");
      return;
  }
  p->Add(step);
}

bool DoneKey(Planner *p, const std::string &what, RemovalStep *step) {
  if (!RootCodeOfHandleValue(step->done.BaseKey, &step->rootCode)) {
    p->Refuse(what, "BaseKey " + DecimalText(step->done.BaseKey) + " names no root");
    return false;
  }
  step->keyPath = CleanKeyPath(step->done.KeyPath);
  if (step->keyPath.empty()) {
    p->Refuse(what, "the key path is empty");
    return false;
  }
  return true;
}

bool HasWildcard(const std::string &text) {
  return text.find_first_of(kWildcards) != std::string::npos;
}

void PlanDone(Planner *p, const DoneTaskRecord &record) {
  const std::string what = "done record " + DecimalText(record.ID);
  RemovalStep step;
  step.kind = kStepUndoDone;
  step.done = record;
  AssociationKeys keys;
  switch (record.Type) {
    case kDoneRegistryKey:
    case kDoneRegistryValue:
      if (!DoneKey(p, what, &step)) return;
      step.valueName = record.ValueName;
      break;
    case kDoneFileAssociation:
      if (!AssociationKeysFor(record.Extension, record.ExePath, p->context.osCode, &keys)) {
        p->Refuse(what, "no association keys for \"" + record.Extension + "\" here");
        return;
      }
      break;
    case kDoneDllRegistration:
      if (!PathOk(p, what, record.DLLPath)) return;
      break;
    case kDoneEnvironmentVariable:
      if (record.VariableName.empty() || record.VariableName.find('=') != std::string::npos) {
        p->Refuse(what, "no variable name");
        return;
      }
      break;
    case kDoneIniGroup:
    case kDoneIniValue: {
      const std::string &group = record.Type == kDoneIniGroup ? record.GroupName : record.Group;
      if (record.IniPath.empty() || HasWildcard(record.IniPath) || group.empty() ||
          (record.Type == kDoneIniValue && record.ValueName.empty())) {
        p->Refuse(what, "no INI file, group or value name");
        return;
      }
      break;
    }
    default:
      p->Refuse(what, "type " + DecimalText(record.Type) + " is not a done type");
      return;
  }
  p->Add(step);
}

// The created folders, each once, deepest first; later created first among
// equal depths.
std::vector<std::string> FoldersDeepestFirst(const std::vector<std::string> &folders,
                                             Planner *p) {
  std::vector<std::pair<std::string, std::string>> ordered;  // normal form, as recorded
  std::set<std::string> seen;
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (!PathOk(p, "created folder", *it)) continue;
    const std::string normal = NormalizeFolderPath(*it);
    if (seen.insert(normal).second) ordered.push_back(std::make_pair(normal, *it));
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const std::pair<std::string, std::string> &a,
                      const std::pair<std::string, std::string> &b) {
                     return Depth(a.first) > Depth(b.first);
                   });
  std::vector<std::string> result;
  for (const auto &folder : ordered) result.push_back(folder.second);
  return result;
}

// True when `folder` is `path` or holds it (both normal).
bool IsOrHolds(const std::string &folder, const std::string &path) {
  if (path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
  return path.size() == folder.size() || path[folder.size()] == '\\';
}

// The created folders as the plan's table, and each one's place in it by
// its normal form.
struct FolderTable {
  std::map<std::string, int32_t> index;

  // The nearest created folder above `normal` (a normal path), walking up
  // from its own folder; -1 when none is.
  int32_t NearestAbove(const std::string &normal) const {
    for (size_t at = normal.rfind('\\'); at != std::string::npos && at > 0;
         at = normal.rfind('\\', at - 1)) {
      const auto found = index.find(normal.substr(0, at));
      if (found != index.end()) return found->second;
    }
    return -1;
  }
};

// Fills the plan's table of created folders (deepest first, as given),
// each with the nearest created folder above it.
FolderTable MakeFolderTable(Planner *p, const std::vector<std::string> &folders) {
  FolderTable table;
  std::vector<PlannedFolder> &planned = p->plan.createdFolders;
  for (const std::string &folder : folders) {
    table.index[NormalizeFolderPath(folder)] = (int32_t)planned.size();
    PlannedFolder entry;
    entry.path = folder;
    planned.push_back(entry);
  }
  for (PlannedFolder &entry : planned) entry.parent = table.NearestAbove(NormalizeFolderPath(entry.path));
  return table;
}

// Deleting the file `path` (normal form `normal`), unless it lies below a
// created folder that has become a link.
RemovalStep DeleteFileStep(const std::string &path, const std::string &normal,
                           const FolderTable &table) {
  RemovalStep step = Step(kStepDeleteFile, path);
  step.createdFolder = table.NearestAbove(normal);
  return step;
}

void PlanFiles(Planner *p, const std::vector<std::string> &folders) {
  std::set<std::string> leave;
  for (const std::string &path : p->data->leaveFiles) {
    const std::string normal = NormalizeFolderPath(path);
    if (!normal.empty()) leave.insert(normal);
  }
  const std::string own = NormalizeFolderPath(p->context.uninstallerPath);
  const std::string ownData = NormalizeFolderPath(p->context.dataPath);
  const FolderTable table = MakeFolderTable(p, folders);
  std::set<std::string> planned;
  for (const std::string &path : p->data->createdFiles) {
    if (!PathOk(p, "created file", path)) continue;
    const std::string normal = NormalizeFolderPath(path);
    if (leave.count(normal) != 0 || normal == own || normal == ownData) continue;
    if (!planned.insert(normal).second) continue;
    p->Add(DeleteFileStep(path, normal, table));
  }
}

void PlanFolders(Planner *p) {
  const std::vector<std::string> folders = FoldersDeepestFirst(p->data->createdFolders, p);
  PlanFiles(p, folders);
  const std::string group = NormalizeFolderPath(p->data->config.StartMenuPath);
  std::vector<RemovalStep> groupSteps;
  for (const std::string &folder : folders) {
    const std::string normal = NormalizeFolderPath(folder);
    const bool ofGroup = !group.empty() && IsOrHolds(normal, group);
    RemovalStep step = Step(ofGroup ? kStepRemoveGroupFolder : kStepRemoveFolder, folder);
    if (ofGroup)
      groupSteps.push_back(step);
    else
      p->Add(step);
  }
  for (const RemovalStep &step : groupSteps) p->Add(step);
}

void PlanAddRemoveEntry(Planner *p) {
  const UninstallerConfig &config = p->data->config;
  if (config.CreateAddRemoveEntry != 1) return;
  const std::string &name = config.AddRemoveEntryName;
  if (name.empty() || name.find('\\') != std::string::npos) {
    p->Refuse("Add/Remove entry", "\"" + name + "\" is not a key name");
    return;
  }
  RemovalStep step = Step(kStepRemoveAddRemoveEntry, p->context.uninstallerPath);
  step.rootCode = config.AddRemoveForAllUsers == 1 ? kRootLocalMachine : kRootCurrentUser;
  step.keyPath = kAddRemoveKeyPrefix + name;
  p->Add(step);
}

void PlanFinal(Planner *p) {
  p->plan.finalSteps.push_back(Step(kStepDeleteOwnFile, p->context.dataPath));
  p->plan.finalSteps.push_back(Step(kStepDeleteOwnFile, p->context.uninstallerPath));
  for (const RemovalStep &step : p->plan.steps)
    if (step.kind == kStepRemoveFolder || step.kind == kStepRemoveGroupFolder)
      p->plan.finalSteps.push_back(step);
}

}  // namespace

bool IsRemovablePath(const std::string &path) {
  if (path.empty() || HasWildcard(path)) return false;
  const std::string normal = NormalizeFolderPath(path);
  return !normal.empty() && !IsRootPath(normal);
}

bool IsSamePath(const std::string &a, const std::string &b) {
  const std::string normal = NormalizeFolderPath(a);
  return !normal.empty() && normal == NormalizeFolderPath(b);
}

RemovalPlan PlanRemoval(const UninstallerData &data, const RemovalContext &context) {
  Planner p;
  p.data = &data;
  p.context = context;
  for (const UninstallerTaskRecord &task : data.uninstallerTasks) PlanTask(&p, task);
  for (auto it = data.doneTasks.rbegin(); it != data.doneTasks.rend(); ++it) PlanDone(&p, *it);
  PlanFolders(&p);
  for (const RemovalStep &step : p.laterPrograms) p.Add(step);
  PlanAddRemoveEntry(&p);
  PlanFinal(&p);
  return p.plan;
}

RemovalPlan PlanRollback(const InstallJournal &journal, const RemovalContext &context) {
  Planner p;
  p.context = context;
  if (journal.completed) {
    for (const JournalEntry &entry : journal.entries)
      if (entry.kind == kJournalFileReplaced && !entry.undone &&
          PathOk(&p, "kept copy", entry.keptPath))
        p.Add(Step(kStepDeleteKeptCopy, entry.keptPath));
    return p.plan;
  }
  std::vector<std::string> folders;
  for (const JournalEntry &entry : journal.entries)
    if (entry.kind == kJournalFolderCreated && !entry.undone) folders.push_back(entry.path);
  const std::vector<std::string> ordered = FoldersDeepestFirst(folders, &p);
  const FolderTable table = MakeFolderTable(&p, ordered);
  // Newest first: a file the run wrote, kept aside and wrote again comes
  // back as it was before the run, and values go before their keys.
  for (auto it = journal.entries.rbegin(); it != journal.entries.rend(); ++it) {
    const JournalEntry &entry = *it;
    if (entry.undone) continue;
    RemovalStep step;
    switch (entry.kind) {
      case kJournalFileCreated:
        if (PathOk(&p, "created file", entry.path))
          p.Add(DeleteFileStep(entry.path, NormalizeFolderPath(entry.path), table));
        break;
      case kJournalFileReplaced:
        if (!PathOk(&p, "replaced file", entry.path) || !PathOk(&p, "kept copy", entry.keptPath))
          break;
        step = Step(kStepRestoreKeptFile, entry.path);
        step.otherPath = entry.keptPath;
        step.attributes = entry.attributes;
        p.Add(step);
        break;
      case kJournalTaskChange: PlanDone(&p, entry.change); break;
      case kJournalFolderCreated: break;
    }
  }
  for (const std::string &folder : ordered) p.Add(Step(kStepRemoveFolder, folder));
  return p.plan;
}
