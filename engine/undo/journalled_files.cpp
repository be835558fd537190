#include "engine/undo/journalled_files.h"

#include <stdio.h>

#include "engine/install/install_plan.h"
#include "engine/tasks/file_tasks.h"
#include "engine/undo/install_journal.h"
#include "format/payload_limits.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/system_info.h"
#include "script/path_rules.h"
#include "script/registry_text.h"

namespace {

// Kept-copy names tried before giving up: only names already taken count.
const int kNameAttempts = 64;

std::string KeptCopyName(const std::string &folder, uint32_t number) {
  char name[kInstallerNameLength + 1];
  snprintf(name, sizeof name, "~qvs%08x.old", (unsigned)number);
  return folder + name;
}

// A kept-copy name in the file's folder that nothing holds yet.
bool ChooseKeptPath(const std::string &path, std::string *keptPath) {
  static uint32_t counter = 0;
  const std::string folder = FolderPartOf(path);
  const uint32_t seed = ReadRandomSeed();
  for (int attempt = 0; attempt < kNameAttempts; attempt++) {
    const std::string candidate = KeptCopyName(folder, seed + counter++);
    if (!PathExists(candidate)) {
      *keptPath = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace

bool NoteMissingFolders(const std::string &folder, bool listed, std::set<std::string> *known,
                        std::vector<NotedFolder> *noted) {
  const std::vector<std::string> levels = FolderLevels(folder);
  // The deepest level that is there, found from the inside: usually only
  // the last level or two are new.
  size_t first = levels.size();
  while (first > 0) {
    const std::string &level = levels[first - 1];
    if (known != nullptr && known->count(level) != 0) break;
    if (ReadPathKind(StripTrailingBackslash(level)) != kPathMissing) {
      if (known != nullptr) known->insert(level);
      break;
    }
    first--;
  }
  for (size_t i = first; i < levels.size(); i++) {
    NotedFolder folderNote;
    folderNote.path = levels[i];
    if (!NoteFolderCreating(levels[i], listed, false, &folderNote.number)) return false;
    noted->push_back(folderNote);
    if (known != nullptr) known->insert(levels[i]);
  }
  return true;
}

void MakeNotedFolders(const std::vector<NotedFolder> &noted) {
  for (const NotedFolder &folder : noted)
    if (!MakeFolderLevel(folder.path)) NoteUndone(folder.number, false);
}

bool MakeFolderLevels(const std::string &folder, bool listed) {
  std::vector<NotedFolder> noted;
  if (!NoteMissingFolders(folder, listed, nullptr, &noted)) return false;
  if (noted.empty()) return true;
  if (!FlushJournal()) return false;
  MakeNotedFolders(noted);
  return true;
}

KeepResult KeepFileAside(const std::string &path, bool listed, size_t *number) {
  uint32_t attributes = 0;
  std::string keptPath;
  if (!ReadFileAttributesAt(path, &attributes) || !ChooseKeptPath(path, &keptPath))
    return kKeepFailed;
  size_t entry = 0;
  if (!NoteFileReplacing(path, keptPath, attributes, listed, &entry)) return kKeepNotJournalled;
  if (number != nullptr) *number = entry;
  if (MoveFileToKeptPath(path, keptPath)) return kKeptAside;
  NoteUndone(entry, false);
  return kKeepFailed;
}

bool PutBackKeptFile(size_t number) {
  InstallJournal &journal = Journal();
  if (number >= journal.entries.size()) return false;
  const JournalEntry &entry = journal.entries[number];
  if (entry.kind != kJournalFileReplaced || entry.undone) return false;
  if (!PutKeptFileBack(entry.keptPath, entry.path, entry.attributes)) return false;
  // A crash before this mark finds no kept copy and leaves the file alone.
  NoteUndone(number, false);
  return true;
}

bool PrepareFileSpot(const std::string &path, bool listed, FileSpot *spot) {
  switch (ReadPathKind(path)) {
    case kPathMissing:
      return NoteFileCreating(path, listed, true, &spot->number);
    case kPathFile:
    case kPathFileLink:
      if (RunWroteFile(Journal(), path)) {
        spot->ours = true;
        return true;
      }
      spot->kept = KeepFileAside(path, listed, &spot->number) == kKeptAside;
      return spot->kept;
    default:
      return false;
  }
}

bool FinishFileSpot(const FileSpot &spot, bool written) {
  if (written || spot.ours) return written;
  if (spot.kept)
    PutBackKeptFile(spot.number);
  else
    NoteUndone(spot.number, false);
  return false;
}
