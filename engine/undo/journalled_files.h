// Changes to files and folders that are journalled before they are made
// (engine/undo/install_journal.h), shared by the extraction, the shortcuts
// and the folder tasks.
//
// Folders are made a level at a time, each level noted first. Files the
// run replaces are kept until it completes, so that its rollback, or the
// recovery after a crash, can give them back byte for byte: each is moved,
// never copied, to a short hidden name in its own folder, "~qvs" + 8
// hexadecimal digits + ".old" (kInstallerNameLength characters,
// format/payload_limits.h), so that the kept copy fits wherever the
// installer may write a file.
#ifndef QVS_ENGINE_UNDO_JOURNALLED_FILES_H
#define QVS_ENGINE_UNDO_JOURNALLED_FILES_H

#include <stddef.h>

#include <set>
#include <string>
#include <vector>

// A folder noted before it is made.
struct NotedFolder {
  std::string path;
  size_t number = 0;  // its journal entry
};

// Notes the levels of `folder` (ending in "\") that do not exist yet,
// outermost first, without flushing, and appends them to *noted. `known`
// (may be null) holds folders known to exist or noted already: they are
// not asked about again, and the noted ones join them. False only when the
// journal could not take a note.
bool NoteMissingFolders(const std::string &folder, bool listed, std::set<std::string> *known,
                        std::vector<NotedFolder> *noted);

// Makes the noted folders, once their notes are on the disk, each with
// the protection MakeFolderLevel (engine/tasks/file_tasks.h) gives it; a
// folder that could not be made (or that someone else made meanwhile) is
// marked undone.
void MakeNotedFolders(const std::vector<NotedFolder> &noted);

// NoteMissingFolders, FlushJournal and MakeNotedFolders for one folder.
// False only when the journal could not be written; whether the folder is
// there afterwards is the caller's to ask.
bool MakeFolderLevels(const std::string &folder, bool listed);

enum KeepResult {
  kKeptAside,         // moved to its kept copy; the journal names both
  kKeepFailed,        // it could not be moved: the file stays as it was
  kKeepNotJournalled  // nothing was done: the journal could not take it
};

// Journals the replacement of the file `path` (listed for the uninstaller
// or not) and moves it to a free kept-copy name; *number receives the
// journal entry. When the move fails the entry is marked undone.
KeepResult KeepFileAside(const std::string &path, bool listed, size_t *number);

// A file written whole by a task (a link, a copied file, a font), made
// ready and journalled first: a new file is noted, an earlier one kept
// aside, and a file the run wrote itself is simply written over.
struct FileSpot {
  bool ours = false;  // the run wrote it already
  bool kept = false;  // an earlier file kept aside (entry `number`)
  size_t number = 0;
};
// False when the path is a folder, or a file that cannot be kept aside
// (it is then left alone and must not be written), or the journal cannot
// take the note.
bool PrepareFileSpot(const std::string &path, bool listed, FileSpot *spot);
// After the write: a file that could not be written leaves what was there
// (the earlier file put back, the note marked undone). Returns `written`.
bool FinishFileSpot(const FileSpot &spot, bool written);

// The run's own undo of one replacement: the file kept for journal entry
// `number` goes back over whatever is at its path now, and the entry is
// marked undone. False when it could not be put back (the journal still
// names it, for the rollback or the recovery).
bool PutBackKeptFile(size_t number);

#endif
