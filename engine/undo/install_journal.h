// The journal of one installation run: every file and folder the run
// created, replaced or decided to keep, in the order it happened. It is the
// one truth of what the run changed: the rollback undoes it, the list of
// created files and folders that the uninstaller receives is read from it.
//
// Portable: the decisions here make no system call. One writer at a time
// (the interface thread before extraction, the extraction worker during it,
// the task thread after it); readers look only while no writer runs.
#ifndef QVS_ENGINE_UNDO_INSTALL_JOURNAL_H
#define QVS_ENGINE_UNDO_INSTALL_JOURNAL_H

#include <string>
#include <vector>

enum JournalEntryKind {
  kJournalFolderCreated,  // a folder the run made (as its maker named it)
  kJournalFileWritten,    // a file where none was before
  kJournalFileReplaced,   // a file written over an existing one, kept aside at backupPath
  kJournalFileKept,       // an existing file left as it was (replace answer "keep")
  kJournalFileSkipped,    // a file that could not be written and was ignored
};

struct JournalEntry {
  JournalEntryKind kind = kJournalFileWritten;
  std::string path;
  std::string backupPath;  // kJournalFileReplaced only
};

struct InstallJournal {
  std::vector<JournalEntry> entries;
};

// The process's journal.
InstallJournal &Journal();

void RecordFolderCreated(InstallJournal *journal, const std::string &path);
void RecordFile(InstallJournal *journal, JournalEntryKind kind, const std::string &path,
                const std::string &backupPath = std::string());

// The installed files in journal order: every file the run wrote, replaced,
// kept or skipped (the uninstaller removes them all, save those it is told
// to leave).
std::vector<std::string> CreatedFilesOf(const InstallJournal &journal);
// The folders the run created, in creation order.
std::vector<std::string> CreatedFoldersOf(const InstallJournal &journal);
// The copies of replaced files, to delete once the installation has
// completed.
std::vector<std::string> BackupsOf(const InstallJournal &journal);

enum RollbackAction {
  kRollbackDeleteFile,    // the run made it: delete
  kRollbackRestoreFile,   // the run overwrote it: move backupPath back over path
  kRollbackRemoveFolder,  // the run made it: remove when empty
};

struct RollbackStep {
  RollbackAction action = kRollbackDeleteFile;
  std::string path;
  std::string backupPath;
};

// What undoing the run takes, in order: the files newest first (written
// ones deleted, replaced ones restored; kept and skipped ones left alone,
// since they are not the run's), then the created folders deepest first
// (more "\" first; among equals, the later created first).
std::vector<RollbackStep> PlanRollback(const InstallJournal &journal);

#endif
