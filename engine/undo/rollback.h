// Undoing an installation that did not complete, on the interface thread.
#ifndef QVS_ENGINE_UNDO_ROLLBACK_H
#define QVS_ENGINE_UNDO_ROLLBACK_H

#include "engine/install/install_view.h"

// Shows that the installation is being rolled back, then undoes the
// journal (journal.h's PlanRollback: created files deleted, replaced files
// restored, kept files left, created folders removed deepest first when
// empty) while the progress bar runs back from `startPercent` to 0, and
// empties the journal. Returns 1.
int RollBackInstallation(const InstallView &view, double startPercent);

// The same undo without showing anything, for an installation that ends
// before the progress page has anything to show.
void UndoJournalQuietly();

#endif
