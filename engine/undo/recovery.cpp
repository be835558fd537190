#include "engine/undo/recovery.h"

#include "engine/state/install_log.h"
#include "engine/undo/journal_file.h"
#include "engine/undo/rollback.h"
#include "format/install_journal.h"
#include "platform/files.h"
#include "platform/folder_security.h"

namespace {

const char kSetAsideSuffix[] = ".unread";

// Reads the whole journal through the one handle that shuts others out.
// False with *inUse when a running installation holds it.
bool ReadJournalBytes(const std::string &path, std::string *bytes, bool *inUse,
                      std::string *problem) {
  FileHandle file = OpenFileExclusively(path, inUse);
  if (file == NULL) {
    *problem = "it could not be opened";
    return false;
  }
  uint64_t size = 0;
  bool ok = ReadOpenFileSize(file, &size);
  if (ok && size > kMaxJournalSize) {
    *problem = "it is larger than a journal can be";
    ok = false;
  } else if (ok) {
    bytes->resize((size_t)size);
    size_t read = 0;
    ok = ReadFromFile(file, bytes->empty() ? NULL : &(*bytes)[0], bytes->size(), &read) &&
         read == bytes->size();
    if (!ok) *problem = "it could not be read";
  }
  CloseFileHandle(&file);
  return ok;
}

RecoveryReport SetAside(RecoveryReport report, const std::string &why) {
  report.outcome = kRecoveryRefused;
  report.detail = why;
  const std::string aside = report.journalPath + kSetAsideSuffix;
  if (RenameFileOver(report.journalPath, aside)) report.journalPath = aside;
  LogLine("The journal of an interrupted installation was not undone (" + why + "); kept as " +
          report.journalPath);
  return report;
}

std::string Listed(const std::vector<std::string> &paths) {
  std::string list;
  for (const std::string &path : paths) list += "\r\n" + path;
  return list;
}

}  // namespace

RecoveryReport RecoverInterruptedRun(const std::string &productKey, bool administrator) {
  RecoveryReport report;
  report.journalPath = JournalFilePath(productKey, administrator);
  if (report.journalPath.empty()) return report;
  const std::string aside = SetAsideUnprotectedJournals(administrator);
  if (!aside.empty()) {
    LogLine("The journals' folder could be changed by others; set aside as " + aside);
    if (!FileExists(report.journalPath) &&
        !FileExists(JournalPathSetAside(report.journalPath, aside)))
      return report;
    report.outcome = kRecoveryRefused;
    report.detail = "it lay in a folder that others than administrators could change";
    report.journalPath = aside;
    return report;
  }
  if (!FileExists(report.journalPath)) return report;
  if (administrator && !IsChangeableOnlyByAdministrators(report.journalPath))
    return SetAside(report, "others than administrators could change it");
  std::string bytes, problem;
  bool inUse = false;
  if (!ReadJournalBytes(report.journalPath, &bytes, &inUse, &problem)) {
    if (inUse) {
      LogLine("The journal " + report.journalPath + " belongs to an installation still running");
      return report;
    }
    return SetAside(report, problem);
  }
  InstallJournal journal;
  std::string error;
  if (ReadInstallJournal(bytes, productKey, &journal, &error) != kJournalReadOk)
    return SetAside(report, error);
  report.productName = journal.identity.productName;
  const bool completed = journal.completed;
  LogLine(std::string(completed ? "Finishing" : "Undoing") + " the installation into " +
          journal.identity.installFolder + " that " +
          (completed ? "completed" : "was cut off") + " (journal " + report.journalPath + ")");
  report.notRestored = UndoJournal(journal, nullptr, nullptr);
  if (!report.notRestored.empty()) {
    report.outcome = kRecoveryIncomplete;
    return report;
  }
  DeleteJournalFile(report.journalPath);
  report.outcome = completed ? kRecoveryFinished : kRecoveryUndone;
  return report;
}

std::string RecoveryMessage(const RecoveryReport &report, const std::string &productName) {
  const std::string name = !report.productName.empty() ? report.productName : productName;
  const std::string earlier = "An earlier installation of " + name +
                              " was cut off before it completed";
  switch (report.outcome) {
    case kRecoveryUndone:
      return earlier + ". Everything it had changed has been undone.";
    case kRecoveryIncomplete:
      return earlier + ". It has been undone except for these files, which are in use; their "
                       "earlier contents are kept beside them:" +
             Listed(report.notRestored) +
             "\r\n\r\nClose the programs that use them and start again.";
    case kRecoveryRefused:
      return "The record of an earlier, interrupted installation of " + name +
             " could not be read (" + report.detail +
             "), so what it changed has not been undone. The record is kept as " +
             report.journalPath + ".";
    default:
      return std::string();
  }
}
