#include "engine/undo/rollback.h"

#include <math.h>

#include "engine/state/install_log.h"
#include "engine/state/startup_state.h"
#include "engine/undo/install_journal.h"
#include "engine/undo/journal_file.h"
#include "engine/undo/removal_plan.h"
#include "engine/undo/removal_run.h"
#include "platform/files.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

// No folder the run created may be the current folder while it goes.
void LeaveCreatedFolders() {
  std::string ownPath;
  if (GetOwnExecutablePath(&ownPath)) SetCurrentFolder(FolderPartOf(ownPath));
}

struct BarBack {
  const InstallView *view = nullptr;
  double startPercent = 0.0;
  int shown = -1;
};

void MoveBarBack(size_t done, size_t total, void *context) {
  BarBack *bar = static_cast<BarBack *>(context);
  const int percent =
      (int)lround(bar->startPercent - (double)done / (double)total * bar->startPercent);
  if (percent != bar->shown) bar->view->setProgress(percent);
  bar->shown = percent;
}

// Undoes the process's journal, then ends its file: the journal of a run
// that undid itself is not needed any more, unless a user's file could not
// be given back (the next start tries again).
void UndoAndEnd(void (*progress)(size_t, size_t, void *), void *context) {
  DetachJournalSink();
  const std::vector<std::string> notRestored = UndoJournal(Journal(), progress, context);
  Journal() = InstallJournal();
  EndJournalFile(notRestored.empty());
}

}  // namespace

std::vector<std::string> UndoJournal(const InstallJournal &journal,
                                     void (*progress)(size_t done, size_t total, void *context),
                                     void *context) {
  RemovalContext removalContext;
  removalContext.osCode = ActingOsCode();
  const RemovalPlan plan = PlanRollback(journal, removalContext);
  for (const std::string &refused : plan.refused) LogLine("Not undone: " + refused);
  LeaveCreatedFolders();
  RemovalRun run;
  run.osCode = removalContext.osCode;
  run.scheduleInUse = false;
  for (size_t i = 0; i < plan.steps.size(); i++) {
    RunRemovalStep(plan.steps[i], plan, &run);
    if (progress != nullptr) progress(i + 1, plan.steps.size(), context);
  }
  for (const std::string &kept : run.notRestored)
    LogLine("Could not give back the kept copy " + kept);
  return run.notRestored;
}

int RollBackInstallation(const InstallView &view, double startPercent) {
  view.setStatus(LangString(kStrRollingBack));
  view.setCancelEnabled(false);
  view.setRemainingTime(std::string(), false);
  view.showCancelled();
  BarBack bar;
  bar.view = &view;
  bar.startPercent = startPercent;
  UndoAndEnd(MoveBarBack, &bar);
  view.setProgress(0);
  return 1;
}

void UndoJournalQuietly() { UndoAndEnd(nullptr, nullptr); }
