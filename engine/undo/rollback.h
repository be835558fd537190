// Undoing the journal of the current run (engine/undo/install_journal.h)
// on the interface thread: the rollback of an installation that did not
// complete. The recovery after a crash (engine/undo/recovery.h) undoes a
// journal read from its file the same way.
#ifndef QVS_ENGINE_UNDO_ROLLBACK_H
#define QVS_ENGINE_UNDO_ROLLBACK_H

#include <string>
#include <vector>

#include "engine/install/install_view.h"
#include "format/install_journal.h"

// Shows that the installation is being rolled back, then undoes the
// journal (PlanRollback: created files deleted, replaced files given back
// their kept copy, task changes undone, created folders removed deepest
// first when empty) while the progress bar runs back from `startPercent`
// to 0, and ends the journal's file. Returns 1.
int RollBackInstallation(const InstallView &view, double startPercent);

// The same undo without showing anything, for an installation that ends
// before the progress page has anything to show.
void UndoJournalQuietly();

// What undoing `journal` takes, run step by step; `progress` (may be
// null) is told after each step how many of how many are done. Returns
// the kept copies that could not be given back (the user's files are still
// in them); the plan's refusals go to the log.
std::vector<std::string> UndoJournal(const InstallJournal &journal,
                                     void (*progress)(size_t done, size_t total, void *context),
                                     void *context);

#endif
