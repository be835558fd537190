#include "engine/undo/removal_run.h"

#include "checks/web_address.h"
#include "engine/tasks/file_tasks.h"
#include "engine/undo/safe_removal.h"
#include "engine/undo/undo_actions.h"
#include "platform/file_tasks.h"
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

// A created folder above the file that has become a link since would lead
// the deletion somewhere else.
bool LeadsThroughLink(const RemovalStep &step) {
  for (const std::string &folder : step.createdAncestors)
    if (IsFolderLinkAt(folder)) return true;
  return false;
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

void RunRemovalStep(const RemovalStep &step, RemovalRun *run) {
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
      if (!LeadsThroughLink(step)) NoteRemoval(RemoveFileAt(step.path, true), step.path, run);
      break;
    case kStepRemoveFolder:
    case kStepRemoveGroupFolder: RemoveFolder(step.path, run); break;
    case kStepRemoveAddRemoveEntry:
      RemoveAddRemoveEntry(step.rootCode, step.keyPath, step.path);
      break;
    case kStepDeleteOwnFile: RemoveOwnFile(step.path, run); break;
  }
}
