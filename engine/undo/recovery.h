// What an interrupted installation left behind is undone the next time the
// product's installer or uninstaller starts: each looks for the product's
// journal (engine/undo/journal_file.h) before anything else and undoes it
// exactly as the rollback undoes the journal of a run that did not
// complete (engine/undo/rollback.h). A journal is read only through a
// handle that no other process shares, so the journal of a run that is
// still going is never taken; a damaged, foreign or newer one is set
// aside unread.
#ifndef QVS_ENGINE_UNDO_RECOVERY_H
#define QVS_ENGINE_UNDO_RECOVERY_H

#include <string>
#include <vector>

enum RecoveryOutcome {
  kRecoveryNothing,     // no journal, or one that a running installation holds
  kRecoveryUndone,      // an interrupted run was undone and its journal deleted
  kRecoveryFinished,    // a run that had completed: its kept copies deleted
  // Undone but for kept copies that could not be given back (files in
  // use): the journal stays, for the next start to try again.
  kRecoveryIncomplete,
  kRecoveryRefused,     // the journal could not be read: set aside, nothing undone
};

struct RecoveryReport {
  RecoveryOutcome outcome = kRecoveryNothing;
  std::string productName;  // as the journal names it
  std::string journalPath;  // where it was found, or where it was set aside
  std::string detail;       // why it was refused
  std::vector<std::string> notRestored;  // kept copies still holding a user's file
};

// Looks for the journal of the product `productKey` (the configuration
// prefix) in the place of a run with or without administrator rights, and
// undoes it. Each step goes to the log.
RecoveryReport RecoverInterruptedRun(const std::string &productKey, bool administrator);

// The one message that tells the user what happened; empty when there is
// nothing to tell. `productName` names the product when the journal does
// not.
std::string RecoveryMessage(const RecoveryReport &report, const std::string &productName);

#endif
