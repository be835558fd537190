// The journal of one installation run: what the run changed, in the order
// it changed it, kept in memory by the installer and written to a file
// ahead of every change, so that a run cut off at any point (a crash, a
// forced log-off, a power cut) can be undone by the next start of the
// product's installer or uninstaller. This header holds the record, the
// file's writer and its reader; portable, no OS call.
//
// The file, integers little-endian, a text a u32 length and that many
// bytes (a zero byte only in PreviousData and WrittenData, never in a
// name or path):
//
//   header   "QVSJRNL" 0x1A, u32 version (1), texts product key, product
//            name, install folder, u32 CRC-32 of everything before it
//   records  each: u32 body length, u32 CRC-32 of the body, the body
//     body   u8 tag, then by tag:
//            1 folder created  u8 flags, text path
//            2 file created    u8 flags, text path
//            3 file replaced   u8 flags, text path, text kept path,
//                              u32 the file's attributes before
//            4 task change     u8 flags, the change (below)
//            5 undone          u32 entry number (0 is the first entry)
//            6 completed       nothing more
//     flags  bit 0: the entry is listed for the uninstaller
//     change i32 ID, Type, ComponentID, BaseKey, PreviousType; u8
//            hasPrevious, hasWritten; texts Name, KeyPath, ValueName,
//            ExePath, Extension, DLLPath, VariableName, GroupName, IniPath,
//            Group, PreviousData, WrittenData
//
// An entry (tags 1 to 4) is written before the change it names; so it may
// name a change that never happened, and undoing it must then be harmless:
// a folder or file that is not there is left alone, a kept copy that is not
// there means the file was never moved, a registry value written back with
// what it holds changes nothing. "Undone" says that an entry's change did
// not happen after all (the folder could not be made, the file was there
// when its turn came) or that the run undid it itself. "Completed" says the
// run completed: only its kept copies are left to delete.
//
// The last write a crash cut short leaves the file ending inside a record
// (or in zero bytes, as a power cut may leave a file's end): that record's
// change had not begun, and the file reads as the records before it. Any
// other fault makes the whole file damaged.
#ifndef QVS_FORMAT_INSTALL_JOURNAL_H
#define QVS_FORMAT_INSTALL_JOURNAL_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "format/uninstaller_data.h"

enum JournalEntryKind {
  kJournalFolderCreated = 1,  // path: a folder the run makes
  kJournalFileCreated = 2,    // path: a file the run writes where none was
  kJournalFileReplaced = 3,   // path: a file the run writes over; the one there before is
                              // moved to keptPath first
  kJournalTaskChange = 4,     // change: what a task changes, with what it replaces
};

struct JournalEntry {
  JournalEntryKind kind = kJournalFileCreated;
  // Goes to the uninstaller's data (created files and folders, done
  // tasks); the others are undone only by a rollback or a recovery (the
  // uninstaller's own files, the Add/Remove entry's values).
  bool listed = true;
  // The change did not happen after all, or the run undid it itself.
  bool undone = false;
  std::string path;
  std::string keptPath;     // kJournalFileReplaced
  uint32_t attributes = 0;  // kJournalFileReplaced: the file's attributes before the run
  DoneTaskRecord change;    // kJournalTaskChange
};

// Whose journal it is: a reader refuses the journal of another product.
struct JournalIdentity {
  std::string productKey;  // the installer's configuration prefix
  std::string productName;
  std::string installFolder;
};

struct InstallJournal {
  JournalIdentity identity;
  std::vector<JournalEntry> entries;
  bool completed = false;
};

// Limits shared by writer and reader: they bound what a damaged file makes
// a reader allocate, far above what a real run writes (a product of a
// million files writes about 200 MB).
const size_t kMaxJournalSize = 256u << 20;
const size_t kMaxJournalEntries = 4u << 20;
const size_t kMaxJournalText = 1u << 20;  // one path or one earlier value
const uint32_t kJournalVersion = 1;

// The file's first bytes.
std::string JournalHeaderBytes(const JournalIdentity &identity);
// One entry's record; false (nothing in *bytes) when a text exceeds
// kMaxJournalText or a name holds a zero byte: such a change cannot be
// journalled.
bool JournalEntryBytes(const JournalEntry &entry, std::string *bytes);
std::string JournalUndoneBytes(uint32_t entryNumber);
std::string JournalCompletedBytes();

enum JournalReadResult {
  kJournalReadOk,
  kJournalDamaged,       // not a journal, or a fault other than a cut-off end
  kJournalForeign,       // a sound journal of another product
  kJournalNewerVersion,  // written by a newer installer
};

// Reads a journal file's bytes into *out (cleared first). A journal whose
// product key is not `productKey` is foreign. Besides the header and the
// records' own form, a damaged file is one that is larger than
// kMaxJournalSize, holds more than kMaxJournalEntries entries, an entry
// without its path or kept path, an undone record naming no earlier entry
// or one undone before, or any record after "completed". *error (when not
// null) says what was wrong, naming the byte offset.
JournalReadResult ReadInstallJournal(const std::string &bytes, const std::string &productKey,
                                     InstallJournal *out, std::string *error);

#endif
