// The process's journal of the current installation run (the record of
// format/install_journal.h): each change the run makes is noted here, and
// written to the journal file through a sink, before it is made. It is the
// one truth of what the run changed: the rollback and the recovery after a
// crash undo it (PlanRollback, engine/undo/removal_plan.h), and the
// uninstaller's data lists what it made (CreatedFilesOf, ...).
//
// Portable: the file is reached only through the sink. One writer at a
// time (the interface thread before extraction, the extraction worker
// during it, the task thread after it, the interface thread for the
// uninstaller's files); readers look only while no writer runs.
#ifndef QVS_ENGINE_UNDO_INSTALL_JOURNAL_H
#define QVS_ENGINE_UNDO_INSTALL_JOURNAL_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "format/install_journal.h"

// The process's journal.
InstallJournal &Journal();

// Where the notes go besides memory: `append` writes the bytes at the
// file's end and, with `flush`, returns only once everything written is on
// the disk, so that it survives a power cut. False on any failure.
struct JournalSink {
  bool (*append)(void *context, const std::string &bytes, bool flush) = nullptr;
  void *context = nullptr;
};

// Begins a run's journal: empties Journal(), gives it `identity` and writes
// its header through `sink`, flushed. False when that failed: the run must
// not begin. Without an `append` the notes stay in memory.
bool BeginJournal(const JournalIdentity &identity, const JournalSink &sink);
// Writes no more: Journal() stays as it is, to read and undo.
void DetachJournalSink();

// The Note functions record one change before it is made and give its
// entry's number (may be null). False when it could not be noted, and the
// change must then not be made, for one of two reasons:
//   - the change cannot be journalled (a text over the journal's limit):
//     only this change is left out, JournalBroken() stays false;
//   - the file could not be written: JournalBroken() is true from then on,
//     every later note fails, and the run must stop and roll back.
// A note with `flush` is on the disk when it returns (with every note
// before it); one without is flushed with the next flushed note or
// FlushJournal, which the caller calls before the change is made.
bool NoteFolderCreating(const std::string &path, bool listed, bool flush, size_t *number);
bool NoteFileCreating(const std::string &path, bool listed, bool flush, size_t *number);
bool NoteFileReplacing(const std::string &path, const std::string &keptPath, uint32_t attributes,
                       bool listed, size_t *number);
bool NoteTaskChanging(const DoneTaskRecord &change, bool listed, bool flush, size_t *number);
// Entry `number`'s change did not happen after all, or the run undid it.
bool NoteUndone(size_t number, bool flush);
// The run completed: only the kept copies remain to be deleted. Flushed.
bool NoteCompleted();
bool FlushJournal();
bool JournalBroken();

// What the uninstaller receives: the listed entries that were not undone,
// in journal order.
std::vector<std::string> CreatedFilesOf(const InstallJournal &journal);
std::vector<std::string> CreatedFoldersOf(const InstallJournal &journal);
std::vector<DoneTaskRecord> DoneTasksOf(const InstallJournal &journal);

// True when the run has written the file `path` itself (created or
// replaced, not undone), letter case ignored.
bool RunWroteFile(const InstallJournal &journal, const std::string &path);
// True when the run has made the folder `path` itself (not undone), letter
// case and a trailing "\" ignored.
bool RunMadeFolder(const InstallJournal &journal, const std::string &path);

#endif
