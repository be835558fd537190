#include "engine/undo/install_journal.h"

#include "script/ansi_text.h"
#include "script/registry_text.h"

namespace {

struct JournalWriter {
  JournalSink sink;
  bool broken = false;
};

JournalWriter &Writer() {
  static JournalWriter writer;
  return writer;
}

bool Write(const std::string &bytes, bool flush) {
  JournalWriter &writer = Writer();
  if (writer.broken) return false;
  if (writer.sink.append != nullptr && !writer.sink.append(writer.sink.context, bytes, flush)) {
    writer.broken = true;
    return false;
  }
  return true;
}

bool Note(const JournalEntry &entry, bool flush, size_t *number) {
  std::string bytes;
  if (Writer().broken || !JournalEntryBytes(entry, &bytes) || !Write(bytes, flush)) return false;
  InstallJournal &journal = Journal();
  if (number != nullptr) *number = journal.entries.size();
  journal.entries.push_back(entry);
  return true;
}

JournalEntry Entry(JournalEntryKind kind, const std::string &path, bool listed) {
  JournalEntry entry;
  entry.kind = kind;
  entry.path = path;
  entry.listed = listed;
  return entry;
}

bool Counts(const JournalEntry &entry, JournalEntryKind kind) {
  return entry.kind == kind && entry.listed && !entry.undone;
}

}  // namespace

InstallJournal &Journal() {
  static InstallJournal journal;
  return journal;
}

bool BeginJournal(const JournalIdentity &identity, const JournalSink &sink) {
  JournalWriter &writer = Writer();
  Journal() = InstallJournal();
  Journal().identity = identity;
  writer.sink = sink;
  writer.broken = false;
  if (Write(JournalHeaderBytes(identity), true)) return true;
  writer.sink = JournalSink();
  return false;
}

void DetachJournalSink() { Writer().sink = JournalSink(); }

bool NoteFolderCreating(const std::string &path, bool listed, bool flush, size_t *number) {
  return Note(Entry(kJournalFolderCreated, path, listed), flush, number);
}

bool NoteFileCreating(const std::string &path, bool listed, bool flush, size_t *number) {
  return Note(Entry(kJournalFileCreated, path, listed), flush, number);
}

bool NoteFileReplacing(const std::string &path, const std::string &keptPath, uint32_t attributes,
                       bool listed, size_t *number) {
  JournalEntry entry = Entry(kJournalFileReplaced, path, listed);
  entry.keptPath = keptPath;
  entry.attributes = attributes;
  return Note(entry, true, number);
}

bool NoteTaskChanging(const DoneTaskRecord &change, bool listed, bool flush, size_t *number) {
  JournalEntry entry;
  entry.kind = kJournalTaskChange;
  entry.listed = listed;
  entry.change = change;
  return Note(entry, flush, number);
}

bool NoteUndone(size_t number, bool flush) {
  InstallJournal &journal = Journal();
  if (number >= journal.entries.size() || journal.entries[number].undone) return true;
  // In memory at once: even when the file cannot say so, this run must
  // not list or undo what did not happen.
  journal.entries[number].undone = true;
  return Write(JournalUndoneBytes((uint32_t)number), flush);
}

bool NoteCompleted() {
  if (!Write(JournalCompletedBytes(), true)) return false;
  Journal().completed = true;
  return true;
}

bool FlushJournal() { return Write(std::string(), true); }

bool JournalBroken() { return Writer().broken; }

std::vector<std::string> CreatedFilesOf(const InstallJournal &journal) {
  std::vector<std::string> files;
  for (const JournalEntry &entry : journal.entries)
    if (Counts(entry, kJournalFileCreated) || Counts(entry, kJournalFileReplaced))
      files.push_back(entry.path);
  return files;
}

std::vector<std::string> CreatedFoldersOf(const InstallJournal &journal) {
  std::vector<std::string> folders;
  for (const JournalEntry &entry : journal.entries)
    if (Counts(entry, kJournalFolderCreated)) folders.push_back(entry.path);
  return folders;
}

std::vector<DoneTaskRecord> DoneTasksOf(const InstallJournal &journal) {
  std::vector<DoneTaskRecord> changes;
  for (const JournalEntry &entry : journal.entries)
    if (Counts(entry, kJournalTaskChange)) changes.push_back(entry.change);
  return changes;
}

bool RunWroteFile(const InstallJournal &journal, const std::string &path) {
  const std::string wanted = AnsiLower(path);
  for (const JournalEntry &entry : journal.entries) {
    if (entry.undone || (entry.kind != kJournalFileCreated && entry.kind != kJournalFileReplaced))
      continue;
    if (AnsiLower(entry.path) == wanted) return true;
  }
  return false;
}

bool RunMadeFolder(const InstallJournal &journal, const std::string &path) {
  const std::string wanted = AnsiLower(StripTrailingBackslash(path));
  // From the newest: a parent is usually made just before what it holds.
  for (size_t i = journal.entries.size(); i-- > 0;) {
    const JournalEntry &entry = journal.entries[i];
    if (entry.kind == kJournalFolderCreated && !entry.undone &&
        AnsiLower(StripTrailingBackslash(entry.path)) == wanted)
      return true;
  }
  return false;
}
