#include "engine/undo/removal_run.h"

#include "checks/web_address.h"
#include "engine/tasks/file_tasks.h"
#include "engine/undo/safe_removal.h"
#include "engine/undo/undo_actions.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/processes.h"

namespace {

// The uninstaller's own executable may be held a moment longer by the
// process that started it; it is tried this often before it is left to
// the next restart.
const int kOwnFileAttempts = 40;
const uint32_t kOwnFileRetryMs = 250;

void NoteRemoval(RemovalResult result, const std::string &path, RemovalRun *run) {
  if (result != kRemovalScheduled) return;
  run->scheduled.push_back(path);
  run->restartNeeded = true;
}

bool IsScheduled(const std::string &path, const RemovalRun &run) {
  for (const std::string &scheduled : run.scheduled)
    if (scheduled == path) return true;
  return false;
}

void RemoveFolder(const std::string &path, RemovalRun *run) {
  if (RemoveEmptyFolder(path) != kRemovalFailed || IsScheduled(path, *run)) return;
  if (ScheduleFolderAfterFiles(path, run->scheduled)) run->scheduled.push_back(path);
}

enum LinkAnswer : uint8_t { kLinkNotAsked = 0, kNoLinkAbove = 1, kLinkAbove = 2 };

// Whether created folder `index` of the plan, or one above it, has become a
// link: each folder is asked once.
bool IsOrBelowLink(int32_t index, const RemovalPlan &plan, RemovalRun *run) {
  std::vector<uint8_t> &answers = run->linkAnswers;
  if (answers.size() != plan.createdFolders.size())
    answers.assign(plan.createdFolders.size(), kLinkNotAsked);
  // The chain up to the first folder already answered, then the answers
  // down again.
  std::vector<int32_t> chain;
  int32_t at = index;
  while (at >= 0 && (size_t)at < answers.size() && answers[(size_t)at] == kLinkNotAsked) {
    chain.push_back(at);
    at = plan.createdFolders[(size_t)at].parent;
  }
  bool link = at >= 0 && (size_t)at < answers.size() && answers[(size_t)at] == kLinkAbove;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    link = link || IsFolderLinkAt(plan.createdFolders[(size_t)*it].path);
    answers[(size_t)*it] = link ? kLinkAbove : kNoLinkAbove;
  }
  return link;
}

// A created folder above the file that has become a link since would lead
// the deletion somewhere else.
bool LeadsThroughLink(const RemovalStep &step, const RemovalPlan &plan, RemovalRun *run) {
  return step.createdFolder >= 0 && IsOrBelowLink(step.createdFolder, plan, run);
}

// The user's file back from its kept copy; only a plain file is taken back.
void RestoreKeptFile(const RemovalStep &step, RemovalRun *run) {
  const PathKind kept = ReadPathKind(step.otherPath);
  if (kept == kPathMissing) return;  // never moved, or given back already
  if (kept != kPathFile || !PutKeptFileBack(step.otherPath, step.path, step.attributes))
    run->notRestored.push_back(step.otherPath);
}

void RemoveOwnFile(const std::string &path, RemovalRun *run) {
  for (int attempt = 0; attempt < kOwnFileAttempts; attempt++) {
    const RemovalResult result = RemoveFileAt(path, false);
    if (result != kRemovalFailed) return;
    SleepMilliseconds(kOwnFileRetryMs);
  }
  NoteRemoval(RemoveFileAt(path, true), path, run);
}

}  // namespace

void RunRemovalStep(const RemovalStep &step, const RemovalPlan &plan, RemovalRun *run) {
  switch (step.kind) {
    case kStepRunProgram:
      RunProgram(step.path, step.otherPath, step.runMode, step.runHidden, step.waitUntilQuit,
                 run->waitCallback);
      break;
    case kStepDeleteKeyTree: DeleteKeyTree(step.rootCode, step.keyPath); break;
    case kStepDeleteValue: DeleteValueOf(step.rootCode, step.keyPath, step.valueName); break;
    case kStepCopyFile: CopyFileOver(step.path, step.otherPath); break;
    case kStepDeleteTaskFile: NoteRemoval(RemoveFileAt(step.path, true), step.path, run); break;
    case kStepDeleteFolderTree: DeleteFolderWithContents(step.path); break;
    case kStepRemoveTaskFolder: RemoveFolder(step.path, run); break;
    case kStepOpenWebAddress: OpenWebAddress(step.path); break;
    case kStepUndoDone:
      UndoDoneRecord(step.done, step.rootCode, step.keyPath, run->osCode, run->waitCallback);
      break;
    case kStepDeleteFile:
      if (!LeadsThroughLink(step, plan, run))
        NoteRemoval(RemoveFileAt(step.path, run->scheduleInUse), step.path, run);
      break;
    case kStepRemoveFolder:
    case kStepRemoveGroupFolder: RemoveFolder(step.path, run); break;
    case kStepRemoveAddRemoveEntry:
      RemoveAddRemoveEntry(step.rootCode, step.keyPath, step.path);
      break;
    case kStepDeleteOwnFile: RemoveOwnFile(step.path, run); break;
    case kStepRestoreKeptFile: RestoreKeptFile(step, run); break;
    case kStepDeleteKeptCopy: RemoveFileAt(step.path, false); break;
  }
}
