#include "engine/undo/journal_file.h"

#include "engine/undo/install_journal.h"
#include "platform/access_rights.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/folder_security.h"
#include "platform/shell_folders.h"

namespace {

// The shell's numbers of the application-data folders (CSIDL values).
const int kCsidlCommonAppData = 35;
const int kCsidlLocalAppData = 28;
const int kCsidlAppData = 26;

const std::string kJournalFolder = "Quorvantis\\Journals\\";
// Names tried for a folder set aside.
const int kSetAsideAttempts = 100;
const char kJournalExtension[] = ".journal";

struct OpenJournal {
  FileHandle file = NULL;
  std::string path;
};

OpenJournal &Current() {
  static OpenJournal journal;
  return journal;
}

bool AppendToFile(void *context, const std::string &bytes, bool flush) {
  FileHandle file = static_cast<OpenJournal *>(context)->file;
  if (!bytes.empty() && !WriteToFile(file, bytes.data(), bytes.size())) return false;
  return !flush || FlushFileToDisk(file);
}

std::string WithBackslash(const std::string &folder) {
  return !folder.empty() && folder[folder.size() - 1] != '\\' ? folder + "\\" : folder;
}

// The folder that holds the application-data folders' "Quorvantis".
std::string BaseFolder(bool administrator) {
  const int all[] = {kCsidlCommonAppData};
  const int own[] = {kCsidlLocalAppData, kCsidlAppData};
  const int *csidls = administrator ? all : own;
  const size_t count = administrator ? 1 : 2;
  for (size_t i = 0; i < count; i++) {
    const std::string folder = ReadSpecialFolder(csidls[i]);
    if (!folder.empty()) return WithBackslash(folder);
  }
  // Windows 95 and NT 4.0 without the shell update have none of them.
  std::string temporary;
  return GetTemporaryFolder(&temporary) ? WithBackslash(temporary) : std::string();
}

// Makes the journal folder a level at a time; an administrator's run makes
// the levels it creates for administrators and the system alone.
bool MakeJournalFolder(const std::string &path, bool administrator) {
  const std::string base = BaseFolder(administrator);
  std::string folder = base;
  const std::string rest = path.substr(base.size());
  for (size_t at = rest.find('\\'); at != std::string::npos; at = rest.find('\\', at + 1)) {
    folder = base + rest.substr(0, at);
    if (ReadPathKind(folder) == kPathFolder) continue;
    const bool made = administrator ? CreateAdministratorsFolder(folder) : CreateFolderAt(folder);
    if (!made && ReadPathKind(folder) != kPathFolder) return false;
  }
  return true;
}

std::string FolderOf(const std::string &path) { return path.substr(0, path.rfind('\\') + 1); }

// The parent of `folder` (ending in "\"), ending in "\".
std::string ParentOf(const std::string &folder) {
  const size_t last = folder.rfind('\\', folder.size() - 2);
  return last == std::string::npos ? std::string() : folder.substr(0, last + 1);
}

// Suffix of a journals' folder that others could change, set aside.
const char kUnprotectedSuffix[] = ".unprotected";

// The "Quorvantis" folder and the journals' folder inside it, without
// their trailing "\".
std::string VendorFolder(const std::string &base) {
  return base + kJournalFolder.substr(0, kJournalFolder.find('\\'));
}
std::string JournalsFolder(const std::string &base) {
  return base + kJournalFolder.substr(0, kJournalFolder.size() - 1);
}

// True when `folder` is a folder (no link) that only administrators can
// change; with `orMissing`, also when there is none.
bool IsProtectedFolder(const std::string &folder, bool orMissing = false) {
  const PathKind kind = ReadPathKind(folder);
  return (orMissing && kind == kPathMissing) ||
         (kind == kPathFolder && IsChangeableOnlyByAdministrators(folder));
}

}  // namespace

std::string SetAsideUnprotectedJournals(bool administrator) {
  const std::string base = BaseFolder(administrator);
  if (!administrator || base.empty()) return std::string();
  const std::string vendor = VendorFolder(base);
  if (ReadPathKind(vendor) == kPathMissing ||
      (IsProtectedFolder(vendor) && IsProtectedFolder(JournalsFolder(base), true)))
    return std::string();
  // Only names taken already are passed over: a rename that failed with a
  // free name fails with any.
  for (int n = 0; n < kSetAsideAttempts; n++) {
    const std::string aside = vendor + kUnprotectedSuffix + (n > 0 ? std::to_string(n) : "");
    if (ReadPathKind(aside) != kPathMissing) continue;
    return RenameFileOver(vendor, aside) ? aside : vendor;
  }
  return vendor;
}

std::string JournalPathSetAside(const std::string &journalPath, const std::string &aside) {
  const size_t at = journalPath.rfind(kJournalFolder);
  if (at == std::string::npos) return std::string();
  return aside + journalPath.substr(at + kJournalFolder.find('\\'));
}

void DeleteJournalFile(const std::string &path) {
  DeleteFileAt(path);
  // The folders go once no journal is left in them: a machine without an
  // installation under way keeps nothing of them.
  const std::string journals = FolderOf(path);
  if (RemoveFolderAt(journals.substr(0, journals.size() - 1))) {
    const std::string vendor = ParentOf(journals);
    if (!vendor.empty()) RemoveFolderAt(vendor.substr(0, vendor.size() - 1));
  }
}

std::string JournalFilePath(const std::string &productKey, bool administrator) {
  const std::string base = BaseFolder(administrator);
  if (base.empty() || productKey.empty()) return std::string();
  return base + kJournalFolder + productKey + kJournalExtension;
}

bool StartJournalFile(const JournalIdentity &identity, bool administrator, std::string *problem) {
  OpenJournal &journal = Current();
  EndJournalFile(false);
  SetAsideUnprotectedJournals(administrator);
  journal.path = JournalFilePath(identity.productKey, administrator);
  bool exists = false;
  // An administrator's journal goes only into folders that others cannot
  // change, checked once they are there (a user could otherwise turn one
  // into a link meanwhile, or plant a journal of their own for the next
  // start): a folder of that name that could not be set aside stops the run.
  const std::string base = BaseFolder(administrator);
  const bool made =
      !journal.path.empty() && MakeJournalFolder(FolderOf(journal.path), administrator);
  const bool protectedFolders = !made || !administrator ||
                                (IsProtectedFolder(VendorFolder(base)) &&
                                 IsProtectedFolder(JournalsFolder(base)));
  if (made && protectedFolders)
    journal.file = CreateNewFileForWriting(journal.path, &exists);
  JournalSink sink;
  sink.append = AppendToFile;
  sink.context = &journal;
  if (journal.file != NULL && BeginJournal(identity, sink)) return true;
  *problem = "The installer keeps a record of every change it makes, so that an installation "
             "cut off by a crash can be undone, in " +
             (journal.path.empty() ? std::string("the application data folder") : journal.path) +
             (exists             ? ", where the record of another installation of this product "
                                   "is still kept"
              : !protectedFolders ? ", whose folder others than administrators could change"
                                  : ", which could not be written") +
             ". Nothing has been changed.";
  EndJournalFile(journal.file != NULL);
  return false;
}

const std::string &OpenJournalPath() { return Current().path; }

void EndJournalFile(bool remove) {
  OpenJournal &journal = Current();
  DetachJournalSink();
  if (journal.file != NULL) {
    CloseFileHandle(&journal.file);
    if (remove) DeleteJournalFile(journal.path);
  }
  journal.path.clear();
}
