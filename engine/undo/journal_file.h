// The journal's file (format/install_journal.h): where it lives and its
// life beside the run that writes it.
//
// It lives in the application-data folder of all users when the run has
// administrator rights, else in the user's own (the local one where the
// system has it), below "Quorvantis\Journals\", named after the product's
// configuration prefix + ".journal": so the next start of the same
// product's installer, or its uninstaller, finds it without knowing the
// install folder. An administrator's run makes that folder for
// administrators and the system alone (others may read it), like the
// folder of a product in Program Files. The folders go again once no
// journal is left in them.
//
// While the run lives it keeps the file open and lets others only read
// it: no other process can write, delete or take it for the journal of an
// interrupted run.
#ifndef QVS_ENGINE_UNDO_JOURNAL_FILE_H
#define QVS_ENGINE_UNDO_JOURNAL_FILE_H

#include <string>

#include "format/install_journal.h"

// The file's path for the product `productKey` in the run's place; empty
// when no folder for it can be named.
std::string JournalFilePath(const std::string &productKey, bool administrator);

// Creates the journal's file (it must not exist yet), keeps it open and
// begins the process's journal with `identity` (BeginJournal, writing
// through the file). False, with *problem the message for the user, when
// any of that failed: nothing has been changed then.
bool StartJournalFile(const JournalIdentity &identity, bool administrator, std::string *problem);

// The path of the file the run writes; empty when none is open.
const std::string &OpenJournalPath();

// The run is over: closes the file and deletes it (with `remove`) or
// leaves it for the next start to finish (without).
void EndJournalFile(bool remove);

// An administrator's run trusts the journals' folder only when no one but
// administrators can change it: a folder of that name that others could
// change (made by a user before any administrator's run) is renamed,
// "Quorvantis.unprotected", and never read, since a journal in it could
// have been planted. Returns the name it was set aside as; empty when
// nothing had to be (or a user's run, whose folder is the user's own);
// the folder's own name when it could not be renamed.
std::string SetAsideUnprotectedJournals(bool administrator);
// Where the journal file `journalPath` lies once its folders were set
// aside as `aside`.
std::string JournalPathSetAside(const std::string &journalPath, const std::string &aside);

// Deletes a journal's file, and its folders once they are empty.
void DeleteJournalFile(const std::string &path);

#endif
