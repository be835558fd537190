#include "engine/undo/rollback.h"

#include <math.h>

#include "engine/undo/install_journal.h"
#include "engine/undo/safe_removal.h"
#include "platform/files.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

void Undo(const RollbackStep &step) {
  switch (step.action) {
    case kRollbackDeleteFile: RemoveFileAt(step.path, false); break;
    case kRollbackRestoreFile: RestoreFileFromAside(step.backupPath, step.path); break;
    // A folder that still holds foreign files stays.
    case kRollbackRemoveFolder: RemoveEmptyFolder(step.path); break;
  }
}

// No folder the run created may be the current folder while it goes.
void LeaveCreatedFolders() {
  std::string ownPath;
  if (GetOwnExecutablePath(&ownPath)) SetCurrentFolder(FolderPartOf(ownPath));
}

}  // namespace

int RollBackInstallation(const InstallView &view, double startPercent) {
  view.setStatus(LangString(kStrRollingBack));
  view.setCancelEnabled(false);
  view.setRemainingTime(std::string(), false);
  view.showCancelled();
  const std::vector<RollbackStep> steps = PlanRollback(Journal());
  Journal().entries.clear();
  LeaveCreatedFolders();
  int shown = -1;
  for (size_t i = 0; i < steps.size(); i++) {
    Undo(steps[i]);
    const int percent =
        (int)lround(startPercent - (double)(i + 1) / (double)steps.size() * startPercent);
    if (percent != shown) view.setProgress(percent);
    shown = percent;
  }
  view.setProgress(0);
  return 1;
}

void UndoJournalQuietly() {
  const std::vector<RollbackStep> steps = PlanRollback(Journal());
  Journal().entries.clear();
  LeaveCreatedFolders();
  for (const RollbackStep &step : steps) Undo(step);
}
