// The journal of an installation run: its file's writer and reader (a
// crash's cut-off end, damage, another product's journal), the notes the
// engine writes ahead of each change, and what undoing a journal takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/undo/install_journal.h"
#include "engine/undo/removal_plan.h"
#include "format/install_journal.h"

namespace {

const char kProduct[] = "_$_INSTALLER_Data_1234567_$_";

JournalEntry Entry(JournalEntryKind kind, const std::string &path,
                   const std::string &kept = std::string()) {
  JournalEntry entry;
  entry.kind = kind;
  entry.path = path;
  entry.keptPath = kept;
  entry.attributes = kept.empty() ? 0 : 0x21;
  return entry;
}

JournalEntry Change(int32_t type, const std::string &keyPath, const std::string &valueName) {
  JournalEntry entry;
  entry.kind = kJournalTaskChange;
  entry.change.Type = type;
  entry.change.ID = 77;
  entry.change.BaseKey = (int32_t)0x80000001u;  // HKEY_CURRENT_USER
  entry.change.KeyPath = keyPath;
  entry.change.ValueName = valueName;
  return entry;
}

// A journal file's bytes as the engine writes them, through a sink.
struct FileSink {
  std::string bytes;
  size_t flushedSize = 0;
  bool failNext = false;
};

bool Append(void *context, const std::string &bytes, bool flush) {
  FileSink *sink = static_cast<FileSink *>(context);
  if (sink->failNext) return false;
  sink->bytes += bytes;
  if (flush) sink->flushedSize = sink->bytes.size();
  return true;
}

JournalSink SinkTo(FileSink *file) {
  JournalSink sink;
  sink.append = Append;
  sink.context = file;
  return sink;
}

JournalIdentity Identity() {
  JournalIdentity identity;
  identity.productKey = kProduct;
  identity.productName = "Demo";
  identity.installFolder = "C:\\P\\";
  return identity;
}

std::vector<RemovalStepKind> Kinds(const RemovalPlan &plan) {
  std::vector<RemovalStepKind> kinds;
  for (const RemovalStep &step : plan.steps) kinds.push_back(step.kind);
  return kinds;
}

}  // namespace

TEST(JournalFile, WhatTheEngineNotesReadsBackAndACutOffEndIsDropped) {
  FileSink file;
  ASSERT_TRUE(BeginJournal(Identity(), SinkTo(&file)));
  EXPECT_EQ(file.flushedSize, file.bytes.size());  // the header is on the disk first
  size_t folder = 0, created = 0, replaced = 0, change = 0;
  ASSERT_TRUE(NoteFolderCreating("C:\\P\\", true, false, &folder));
  ASSERT_TRUE(NoteFileCreating("C:\\P\\new.txt", true, false, &created));
  const size_t unflushed = file.flushedSize;
  ASSERT_TRUE(FlushJournal());
  EXPECT_GT(file.flushedSize, unflushed);
  ASSERT_TRUE(NoteFileReplacing("C:\\P\\app.txt", "C:\\P\\~qvs0000002a.old", 0x21, true, &replaced));
  JournalEntry value = Change(kDoneRegistryValue, "Software\\Demo", "Path");
  value.change.hasPrevious = true;
  value.change.PreviousType = 3;
  value.change.PreviousData = std::string("\0\x01\xff", 3);  // binary data survives
  ASSERT_TRUE(NoteTaskChanging(value.change, false, true, &change));
  ASSERT_TRUE(NoteUndone(created, true));
  EXPECT_EQ(file.flushedSize, file.bytes.size());

  InstallJournal read;
  std::string error;
  ASSERT_EQ(ReadInstallJournal(file.bytes, kProduct, &read, &error), kJournalReadOk) << error;
  EXPECT_EQ(read.identity.productName, "Demo");
  EXPECT_EQ(read.identity.installFolder, "C:\\P\\");
  ASSERT_EQ(read.entries.size(), 4u);
  EXPECT_EQ(read.entries[folder].kind, kJournalFolderCreated);
  EXPECT_TRUE(read.entries[created].undone);
  EXPECT_EQ(read.entries[replaced].keptPath, "C:\\P\\~qvs0000002a.old");
  EXPECT_EQ(read.entries[replaced].attributes, 0x21u);
  EXPECT_FALSE(read.entries[change].listed);
  EXPECT_EQ(read.entries[change].change.PreviousData, value.change.PreviousData);
  EXPECT_FALSE(read.completed);

  // A crash inside the last write, or a power cut's zeros at the end: the
  // records before it stand.
  const std::string whole = file.bytes;
  for (size_t cut = 1; cut < 12; cut++) {
    ASSERT_EQ(ReadInstallJournal(whole.substr(0, whole.size() - cut), kProduct, &read, &error),
              kJournalReadOk)
        << cut;
    EXPECT_EQ(read.entries.size(), 4u);
    EXPECT_FALSE(read.entries[created].undone) << "the undone mark was cut off";
  }
  ASSERT_EQ(ReadInstallJournal(whole + std::string(4096, '\0'), kProduct, &read, &error),
            kJournalReadOk);
  ASSERT_TRUE(NoteCompleted());
  ASSERT_EQ(ReadInstallJournal(file.bytes, kProduct, &read, &error), kJournalReadOk);
  EXPECT_TRUE(read.completed);
  DetachJournalSink();
}

TEST(JournalFile, DamageAnotherProductAndANewerVersionAreRefused) {
  InstallJournal journal;
  journal.identity = Identity();
  std::string bytes = JournalHeaderBytes(journal.identity), record;
  ASSERT_TRUE(JournalEntryBytes(Entry(kJournalFileCreated, "C:\\P\\a.txt"), &record));
  bytes += record;
  ASSERT_TRUE(JournalEntryBytes(Entry(kJournalFileCreated, "C:\\P\\b.txt"), &record));
  bytes += record + JournalUndoneBytes(1);
  InstallJournal read;
  std::string error;
  ASSERT_EQ(ReadInstallJournal(bytes, kProduct, &read, &error), kJournalReadOk) << error;

  EXPECT_EQ(ReadInstallJournal(bytes, "_$_INSTALLER_Data_7654321_$_", &read, &error),
            kJournalForeign);
  EXPECT_EQ(read.identity.productName, "Demo");
  EXPECT_TRUE(read.entries.empty());
  // One flipped byte in the middle: every record must be sound, not just
  // the ones a reader gets to.
  std::string flipped = bytes;
  flipped[JournalHeaderBytes(journal.identity).size() + 12] ^= 0x40;
  EXPECT_EQ(ReadInstallJournal(flipped, kProduct, &read, &error), kJournalDamaged);
  EXPECT_NE(error.find("damaged record"), std::string::npos) << error;
  EXPECT_TRUE(read.entries.empty());
  std::string header = bytes;
  header[20] ^= 1;
  EXPECT_EQ(ReadInstallJournal(header, kProduct, &read, &error), kJournalDamaged);
  EXPECT_EQ(ReadInstallJournal("MZ\x90", kProduct, &read, &error), kJournalDamaged);
  // An undone mark that names no entry, or one undone twice.
  EXPECT_EQ(ReadInstallJournal(bytes + JournalUndoneBytes(9), kProduct, &read, &error),
            kJournalDamaged);
  EXPECT_EQ(ReadInstallJournal(bytes + JournalUndoneBytes(1), kProduct, &read, &error),
            kJournalDamaged);
  EXPECT_EQ(ReadInstallJournal(bytes + JournalCompletedBytes() + record, kProduct, &read, &error),
            kJournalDamaged);
  std::string newer = bytes;
  newer[8] = 2;
  EXPECT_EQ(ReadInstallJournal(newer, kProduct, &read, &error), kJournalDamaged)
      << "the header's CRC covers the version";
  // Texts the journal cannot carry are refused when they are written.
  EXPECT_FALSE(JournalEntryBytes(Entry(kJournalFileCreated, std::string("C:\\a\0b", 6)), &record));
  EXPECT_FALSE(JournalEntryBytes(Entry(kJournalFileCreated, std::string(kMaxJournalText + 1, 'a')),
                                 &record));
}

TEST(JournalNotes, AFailedWriteBreaksTheJournalAndListsLeaveOutWhatDidNotHappen) {
  FileSink file;
  ASSERT_TRUE(BeginJournal(Identity(), SinkTo(&file)));
  size_t kept = 0, folder = 0;
  ASSERT_TRUE(NoteFolderCreating("C:\\P\\", true, true, &folder));
  ASSERT_TRUE(NoteFileCreating("C:\\P\\a.txt", true, true, nullptr));
  ASSERT_TRUE(NoteFileReplacing("C:\\P\\b.txt", "C:\\P\\~qvs00000001.old", 0, true, nullptr));
  ASSERT_TRUE(NoteFileReplacing("C:\\P\\c.txt", "C:\\P\\~qvs00000002.old", 0, true, &kept));
  ASSERT_TRUE(NoteUndone(kept, false));  // put back: the user's file again
  ASSERT_TRUE(NoteFileCreating("C:\\P\\Uninst0.exe", false, true, nullptr));
  JournalEntry key = Change(kDoneRegistryKey, "Software\\Demo", "");
  ASSERT_TRUE(NoteTaskChanging(key.change, true, true, nullptr));
  // Too long to journal: only this change is left out.
  EXPECT_FALSE(NoteFileCreating(std::string(kMaxJournalText + 1, 'a'), true, true, nullptr));
  EXPECT_FALSE(JournalBroken());

  EXPECT_EQ(CreatedFilesOf(Journal()),
            (std::vector<std::string>{"C:\\P\\a.txt", "C:\\P\\b.txt"}));
  EXPECT_EQ(CreatedFoldersOf(Journal()), (std::vector<std::string>{"C:\\P\\"}));
  ASSERT_EQ(DoneTasksOf(Journal()).size(), 1u);
  EXPECT_TRUE(RunWroteFile(Journal(), "c:\\p\\B.TXT"));
  EXPECT_FALSE(RunWroteFile(Journal(), "C:\\P\\c.txt"));
  // Whether a folder's parent was made here decides its protection.
  EXPECT_TRUE(RunMadeFolder(Journal(), "c:\\p"));
  EXPECT_FALSE(RunMadeFolder(Journal(), "C:\\"));
  ASSERT_TRUE(NoteUndone(folder, false));
  EXPECT_FALSE(RunMadeFolder(Journal(), "C:\\P\\")) << "it was not made after all";

  file.failNext = true;
  EXPECT_FALSE(NoteFileCreating("C:\\P\\d.txt", true, true, nullptr));
  EXPECT_TRUE(JournalBroken());
  file.failNext = false;
  EXPECT_FALSE(NoteFileCreating("C:\\P\\e.txt", true, true, nullptr)) << "broken for good";
  EXPECT_FALSE(RunWroteFile(Journal(), "C:\\P\\d.txt"));
  DetachJournalSink();
}

TEST(JournalUndo, NewestFirstThenFoldersDeepestFirstAndNothingThatDidNotHappen) {
  InstallJournal journal;
  journal.entries = {
      Entry(kJournalFolderCreated, "C:\\P\\"),
      Entry(kJournalFileCreated, "C:\\Menu\\Group\\App.lnk"),
      Entry(kJournalFolderCreated, "C:\\P\\A\\B\\"),
      Entry(kJournalFolderCreated, "C:\\P\\A\\"),
      Entry(kJournalFileCreated, "C:\\P\\A\\B\\new.txt"),
      Entry(kJournalFileReplaced, "C:\\P\\old.dll", "C:\\P\\~qvs00000001.old"),
      Entry(kJournalFileCreated, "C:\\P\\locked.exe"),  // its write failed
      Change(kDoneRegistryKey, "Software\\Demo", ""),
      Change(kDoneRegistryValue, "Software\\Demo", "Path"),
      // The same file written, kept aside and written again by the run.
      Entry(kJournalFileReplaced, "C:\\P\\A\\B\\new.txt", "C:\\P\\A\\B\\~qvs00000002.old"),
      Entry(kJournalFolderCreated, "relative\\"),
  };
  journal.entries[6].undone = true;
  RemovalContext context;
  context.osCode = 80;
  const RemovalPlan plan = PlanRollback(journal, context);
  EXPECT_EQ(Kinds(plan),
            (std::vector<RemovalStepKind>{kStepRestoreKeptFile, kStepUndoDone, kStepUndoDone,
                                          kStepRestoreKeptFile, kStepDeleteFile, kStepDeleteFile,
                                          kStepRemoveFolder, kStepRemoveFolder,
                                          kStepRemoveFolder}));
  EXPECT_EQ(plan.steps[0].otherPath, "C:\\P\\A\\B\\~qvs00000002.old");
  EXPECT_EQ(plan.steps[1].done.ValueName, "Path");  // the value before its key
  EXPECT_EQ(plan.steps[3].attributes, 0x21u);
  EXPECT_EQ(plan.steps[4].path, "C:\\P\\A\\B\\new.txt");
  // A file below created folders is deleted only while they are no links:
  // its step names the nearest, and each folder the next one up.
  ASSERT_GE(plan.steps[4].createdFolder, 0);
  const PlannedFolder &nearest = plan.createdFolders[(size_t)plan.steps[4].createdFolder];
  EXPECT_EQ(nearest.path, "C:\\P\\A\\B\\");
  ASSERT_GE(nearest.parent, 0);
  EXPECT_EQ(plan.createdFolders[(size_t)nearest.parent].path, "C:\\P\\A\\");
  EXPECT_EQ(plan.steps[5].createdFolder, -1);  // the group's link: no created folder above it
  EXPECT_EQ(plan.steps[6].path, "C:\\P\\A\\B\\");
  EXPECT_EQ(plan.steps[8].path, "C:\\P\\");
  ASSERT_EQ(plan.refused.size(), 1u);
  EXPECT_NE(plan.refused[0].find("relative"), std::string::npos);

  // A completed run leaves only its kept copies to delete.
  journal.completed = true;
  const RemovalPlan finish = PlanRollback(journal, context);
  ASSERT_EQ(Kinds(finish), (std::vector<RemovalStepKind>{kStepDeleteKeptCopy, kStepDeleteKeptCopy}));
  EXPECT_EQ(finish.steps[0].path, "C:\\P\\~qvs00000001.old");
}
