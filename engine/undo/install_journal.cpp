#include "engine/undo/install_journal.h"

#include <algorithm>

namespace {

bool IsFileEntry(JournalEntryKind kind) { return kind != kJournalFolderCreated; }

size_t Depth(const std::string &path) { return (size_t)std::count(path.begin(), path.end(), '\\'); }

}  // namespace

InstallJournal &Journal() {
  static InstallJournal journal;
  return journal;
}

void RecordFolderCreated(InstallJournal *journal, const std::string &path) {
  JournalEntry entry;
  entry.kind = kJournalFolderCreated;
  entry.path = path;
  journal->entries.push_back(entry);
}

void RecordFile(InstallJournal *journal, JournalEntryKind kind, const std::string &path,
                const std::string &backupPath) {
  JournalEntry entry;
  entry.kind = kind;
  entry.path = path;
  entry.backupPath = backupPath;
  journal->entries.push_back(entry);
}

std::vector<std::string> CreatedFilesOf(const InstallJournal &journal) {
  std::vector<std::string> files;
  for (const JournalEntry &entry : journal.entries)
    if (IsFileEntry(entry.kind)) files.push_back(entry.path);
  return files;
}

std::vector<std::string> CreatedFoldersOf(const InstallJournal &journal) {
  std::vector<std::string> folders;
  for (const JournalEntry &entry : journal.entries)
    if (entry.kind == kJournalFolderCreated) folders.push_back(entry.path);
  return folders;
}

std::vector<std::string> BackupsOf(const InstallJournal &journal) {
  std::vector<std::string> backups;
  for (const JournalEntry &entry : journal.entries)
    if (entry.kind == kJournalFileReplaced && !entry.backupPath.empty())
      backups.push_back(entry.backupPath);
  return backups;
}

std::vector<RollbackStep> PlanRollback(const InstallJournal &journal) {
  std::vector<RollbackStep> steps;
  std::vector<const JournalEntry *> folders;
  // Newest first: a file the run wrote, kept aside and wrote again comes
  // back as it was before the run, not as the run's first version.
  for (auto it = journal.entries.rbegin(); it != journal.entries.rend(); ++it) {
    const JournalEntry &entry = *it;
    RollbackStep step;
    step.path = entry.path;
    switch (entry.kind) {
      case kJournalFolderCreated: folders.push_back(&entry); continue;
      case kJournalFileKept:
      case kJournalFileSkipped: continue;
      case kJournalFileWritten: step.action = kRollbackDeleteFile; break;
      case kJournalFileReplaced:
        // Without a copy to restore there is nothing the rollback may do:
        // deleting would destroy what was there before.
        if (entry.backupPath.empty()) continue;
        step.action = kRollbackRestoreFile;
        step.backupPath = entry.backupPath;
        break;
    }
    steps.push_back(step);
  }
  // Later-created first among equal depths (the walk above was newest
  // first), so a folder recorded twice is tried in reverse order too.
  std::stable_sort(folders.begin(), folders.end(),
                   [](const JournalEntry *a, const JournalEntry *b) {
                     return Depth(a->path) > Depth(b->path);
                   });
  for (const JournalEntry *folder : folders) {
    RollbackStep step;
    step.action = kRollbackRemoveFolder;
    step.path = folder->path;
    steps.push_back(step);
  }
  return steps;
}
