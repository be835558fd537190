// The installation driver: what happens between leaving the review page and
// the finish page. Runs on the interface thread and keeps the window alive
// throughout (its own event loop hands every event to the view); the files
// are written by a worker thread.
#ifndef QVS_ENGINE_INSTALL_RUN_INSTALLATION_H
#define QVS_ENGINE_INSTALL_RUN_INSTALLATION_H

#include "engine/install/install_view.h"

// Installs the product while the progress page shows. The user's choices
// must be frozen in UserChoices() first. Every change is journalled before
// it is made (engine/undo/install_journal.h), in the journal's file
// (engine/undo/journal_file.h), which goes once the run has completed or
// been rolled back. Returns 1 when files and tasks completed; 0 when the
// installation was cancelled or failed and has been rolled back. Ends the
// process through CleanExit, after undoing what the run had made, when the
// journal or the install folder cannot be created, the installer turns
// out to be damaged or its archive cannot be read.
int RunInstallation(const InstallView &view);

// How the last RunInstallation ended.
enum InstallEnd {
  kInstallEndCompleted,
  kInstallEndCancelled,
  kInstallEndFailed,
  kInstallEndNoSpace,  // a disk ran full
};
InstallEnd LastInstallationEnd();

// The user asks to stop (Cancel, the window's close request, a quit
// request). While an installation runs and may still be cancelled, asks
// the cancel question with the workers standing still and, on Yes, stops
// it; the rollback follows in RunInstallation. Returns false when no
// installation runs: the wizard then handles the request itself. In a
// silent run there is nobody to ask: the request stops the installation.
bool RequestInstallationCancel();

#endif
