#include "engine/install/extract_worker.h"

#include <math.h>
#include <stdio.h>

#include <atomic>

#include "engine/undo/install_journal.h"
#include "engine/state/install_log.h"
#include "engine/state/install_state.h"
#include "engine/install/interface_questions.h"
#include "engine/state/payload_state.h"
#include "engine/install/remaining_time.h"
#include "engine/install/replace_dialog.h"
#include "engine/install/replace_rules.h"
#include "platform/disk_info.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/threads.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

// An unknown result of the module is tried again this often before it
// counts as an internal error.
const int kUnknownResultRetries = 3;
// How long a held worker sleeps between looks at the flags, when no signal
// wakes it earlier.
const uint32_t kHoldPollMs = 100;
const uint32_t kRemainingTimeIntervalMs = 1000;

// What the extraction worker knows about the file being written; the
// module calls both callbacks on the worker's thread.
struct CurrentFile {
  std::string backupPath;  // where the existing file was kept aside
  bool kept = false;       // the existing file stays (replace answer "keep")
};

struct ExtractionShared {
  ExtractionPlan plan;
  LockHandle lock = NULL;
  SignalHandle resume = NULL;
  SignalHandle stopTimer = NULL;
  ExtractionDisplay display;
  bool changed = false;
  std::atomic<int> outcome{kExtractionRunning};
  // Worker only.
  CurrentFile current;
  double filePercent = 0.0;
};

ExtractionShared &Shared() {
  static ExtractionShared shared;
  return shared;
}

void StopRunning() {
  Install().Running.store(0);
  RaiseSignal(Shared().resume);
  RaiseSignal(Shared().stopTimer);
}

// A safe point: the worker holds no lock and no half-done step here.
void WaitWhileHeld() {
  InstallState &state = Install();
  while (state.PauseRequested.load() != 0 && state.Running.load() != 0)
    WaitForSignal(Shared().resume, kHoldPollMs);
}

void Publish(void (*change)(ExtractionDisplay *display, const void *value), const void *value) {
  ExtractionShared &shared = Shared();
  EnterLock(shared.lock);
  change(&shared.display, value);
  shared.changed = true;
  LeaveLock(shared.lock);
}

void SetStatus(ExtractionDisplay *display, const void *value) {
  display->status = *(const std::string *)value;
}
void SetRemaining(ExtractionDisplay *display, const void *value) {
  display->remainingTime = *(const std::string *)value;
}
void WithdrawCancel(ExtractionDisplay *display, const void *) { display->cancelOffered = false; }

std::string FilePartOf(const std::string &path) {
  return path.substr(FolderPartOf(path).size());
}

std::string FormatPercent(double percent) {
  char text[32];
  snprintf(text, sizeof text, "%.2f", percent);
  return text;
}

int Ask(int textIndex, const std::string &placeholder, MessageButtons buttons) {
  InterfaceQuestion question;
  question.text = ReplacePlaceholder(LangString(textIndex), "$P", placeholder);
  question.caption = LangString(kStrErrorCaption);
  question.buttons = buttons;
  question.icon = kIconError;
  return AskOnInterfaceThread(&question);
}

// The first end that is reported stands: a stop that follows a fatal error
// is part of that error.
void End(ExtractionEnd outcome) {
  int running = kExtractionRunning;
  if (Shared().outcome.compare_exchange_strong(running, outcome) &&
      (outcome == kExtractionFailed || outcome == kExtractionFatal))
    Install().Failed.store(1);
  StopRunning();
}

// The existing file kept aside for the current entry goes back where it
// was: the entry was not written after all. When it was only copied aside
// (it was in use), the original never left and the copy goes.
void PutBackOriginal(const std::string &destination) {
  std::string &backup = Shared().current.backupPath;
  if (backup.empty()) return;
  if (PathExists(destination) && DeleteFileClearingAttributes(backup)) {
    backup.clear();
    return;
  }
  if (RestoreFileFromAside(backup, destination)) backup.clear();
}

// The journal (and the log) learn what became of the destination.
void RecordOutcome(const std::string &destination, bool written) {
  const CurrentFile &current = Shared().current;
  if (!current.backupPath.empty()) {
    RecordFile(&Journal(), kJournalFileReplaced, destination, current.backupPath);
    LogLine((written ? "Replaced " : "Not replaced ") + destination);
  } else if (current.kept) {
    RecordFile(&Journal(), kJournalFileKept, destination);
    LogLine("Kept existing " + destination);
  } else {
    RecordFile(&Journal(), written ? kJournalFileWritten : kJournalFileSkipped, destination);
    LogLine((written ? "Installed " : "Not installed ") + destination);
  }
}

enum EntryResult { kEntryDone, kEntryStop };

// The user let the installation go on without this file: what it replaced
// comes back.
EntryResult SkipEntry(const std::string &destination) {
  PutBackOriginal(destination);
  RecordOutcome(destination, false);
  return kEntryDone;
}

EntryResult StopOnEntry(const std::string &destination, ExtractionEnd outcome) {
  RecordOutcome(destination, false);
  End(outcome);
  return kEntryStop;
}

// Extracts one entry with the answers the user gives to its errors.
EntryResult ExtractEntry(const ModuleExports &module, const EntryDestination &entry) {
  Shared().current = CurrentFile();
  int unknownResults = 0;
  for (;;) {
    const int result = module.Archive_Extract(entry.folder.c_str(), 0);
    int message = 0;
    switch (result) {
      case UNPACK_DONE: RecordOutcome(entry.destination, true); return kEntryDone;
      case UNPACK_STOPPED: return StopOnEntry(entry.destination, kExtractionStopped);
      case UNPACK_DECOMPRESSION_ERROR: message = kStrDecompressionError; break;
      case UNPACK_OUT_OF_MEMORY: message = kStrMemoryError; break;
      case UNPACK_INTERNAL_ERROR: message = kStrInternalError; break;
      case UNPACK_CANNOT_WRITE: {
        const int answer = Ask(kStrCannotWrite, entry.destination, kButtonsAbortRetryIgnore);
        if (answer == kAnswerRetry) continue;
        if (answer == kAnswerIgnore) return SkipEntry(entry.destination);
        return StopOnEntry(entry.destination, kExtractionFailed);
      }
      case UNPACK_CRC_MISMATCH:
        if (Ask(kStrCrcError, entry.destination, kButtonsYesNo) == kAnswerYes)
          return SkipEntry(entry.destination);
        return StopOnEntry(entry.destination, kExtractionFailed);
      default:
        if (++unknownResults < kUnknownResultRetries) continue;
        message = kStrInternalError;
        break;
    }
    LogLine("Extraction error " + std::to_string(result) + " for " + entry.relative);
    Ask(message, entry.relative, kButtonsOk);
    return StopOnEntry(entry.destination, kExtractionFailed);
  }
}

bool IsPlannedComponent(int32_t componentId, void *context) {
  const std::vector<ComponentFolder> &folders = *(const std::vector<ComponentFolder> *)context;
  for (const ComponentFolder &folder : folders)
    if (folder.componentId == componentId) return true;
  return false;
}

void ShowSkipping(const std::string &entryName) {
  const std::string status =
      ReplacePlaceholder(LangString(kStrSkipping), "$P", FilePartOf(entryName));
  Publish(SetStatus, &status);
}

// Walks the archive; false when the walk ended early (the outcome says why).
bool WalkEntries(const ModuleExports &module, UnpackerFileInfo info) {
  ExtractionShared &shared = Shared();
  InstallState &state = Install();
  int64_t walked = 0;
  for (int more = module.Archive_FindFirst(); more != 0; more = module.Archive_FindNext()) {
    walked++;
    WaitWhileHeld();
    if (state.Running.load() == 0) {
      End(kExtractionStopped);
      return false;
    }
    module.Archive_FileInfo(info);
    const char *rawName = module.Archive_FileInfo_GetFilename(info);
    const std::string name = rawName != NULL ? rawName : "";
    EntryDestination entry;
    switch (PlaceArchiveEntry(name, shared.plan.configPrefix, shared.plan.folders,
                              IsPlannedComponent, &shared.plan.folders, shared.plan.reservedNames,
                              &entry)) {
      case kEntryConfiguration: continue;
      case kEntryUnselected: ShowSkipping(name); continue;
      case kEntryDamaged:
        Ask(kStrArchiveUnreadable, std::string(), kButtonsOk);
        End(kExtractionFatal);
        return false;
      case kEntryInstall: break;
    }
    if (ExtractEntry(module, entry) == kEntryStop) return false;
    const int32_t done = state.FilesDone.fetch_add(1) + 1;
    // The last file is written without the offer to cancel.
    if (done == state.TotalFiles.load() - 1) Publish(WithdrawCancel, NULL);
  }
  // The walk also stops at a damaged entry record: stopping short of the
  // archive's own count means entries were never seen.
  if (walked != module.Archive_GetEntryCount()) {
    Ask(kStrArchiveUnreadable, std::string(), kButtonsOk);
    End(kExtractionFatal);
    return false;
  }
  return true;
}

}  // namespace

void PrepareExtraction(const ExtractionPlan &plan) {
  ExtractionShared &shared = Shared();
  shared.plan = plan;
  if (shared.lock == NULL) shared.lock = CreateLock();
  if (shared.resume == NULL) shared.resume = CreateSignal();
  if (shared.stopTimer == NULL) shared.stopTimer = CreateSignal();
  shared.display = ExtractionDisplay();
  shared.changed = false;
  shared.outcome.store(kExtractionRunning);
  shared.current = CurrentFile();
  shared.filePercent = 0.0;
}

int ExtractFilesWorker(void *) {
  const ModuleExports &module = Payload().moduleExports;
  InstallState &state = Install();
  UnpackerFileInfo info = module.Archive_FileInfo_Alloc();
  if (info == NULL || OpenPayloadArchive() == 0) {
    if (info != NULL) module.Archive_FileInfo_Free(info);
    Ask(kStrArchiveUnreadable, std::string(), kButtonsOk);
    End(kExtractionFatal);
    return 0;
  }
  state.StartTime.store(LocalSecondsSince1970());
  const bool walked = WalkEntries(module, info);
  module.Archive_Close();
  module.Archive_FileInfo_Free(info);
  if (!walked) return 0;
  End(kExtractionComplete);
  return 1;
}

int RemainingTimeWorker(void *) {
  InstallState &state = Install();
  const TimeWords words = {LangString(kStrHour),    LangString(kStrHours),
                           LangString(kStrMinute),  LangString(kStrMinutes),
                           LangString(kStrSecond),  LangString(kStrSeconds),
                           LangString(kStrNotAvailable)};
  while (state.Running.load() != 0) {
    // The estimate stands still while a question waits for the user.
    if (state.PauseRequested.load() == 0 && !IsQuestionPending()) {
      const int64_t elapsed = LocalSecondsSince1970() - state.StartTime.load();
      const std::string text = ReplacePlaceholder(
          LangString(kStrRemainingTime), "$P",
          FormatRemainingTime(elapsed, OverallPercent(state), words));
      Publish(SetRemaining, &text);
    }
    WaitForSignal(Shared().stopTimer, kRemainingTimeIntervalMs);
  }
  return 0;
}

int QVS_CALL OnFileProgress(const char *path, int64_t fileSize, int64_t bytesJustWritten,
                            int64_t fileBytesWritten) {
  ExtractionShared &shared = Shared();
  InstallState &state = Install();
  state.BytesDone.fetch_add(bytesJustWritten);
  const std::string reported = path != NULL ? path : "";
  bool isFolder = !reported.empty() && reported[reported.size() - 1] == '\\';
  // Folders are reported with nothing written; only then can the report
  // be one without the trailing "\".
  if (!isFolder && bytesJustWritten == 0 && fileBytesWritten == 0)
    isFolder = FolderExists(reported);
  if (isFolder) {
    RecordFolderCreated(&Journal(), reported);
  } else {
    if (bytesJustWritten > 0 && fileBytesWritten > 0 && fileSize > 0)
      shared.filePercent = (double)fileBytesWritten / (double)fileSize * 100.0;
    double overall = OverallPercent(state);
    int percent = (int)lround(overall > 100.0 ? 100.0 : overall);
    std::string status = ReplacePlaceholder(LangString(kStrExtracting), "$P", reported);
    status = ReplacePlaceholder(status, "$Q", FormatPercent(shared.filePercent));
    EnterLock(shared.lock);
    shared.display.status = status;
    shared.display.percent = percent;
    shared.changed = true;
    LeaveLock(shared.lock);
  }
  WaitWhileHeld();
  return state.Running.load() != 0 ? UNPACK_CONTINUE : UNPACK_CANCEL;
}

int QVS_CALL OnReplaceExisting(const char *path, int64_t newSize, int32_t newDate) {
  ExtractionShared &shared = Shared();
  InstallState &state = Install();
  const std::string existing = path != NULL ? path : "";
  uint64_t existingSize = 0;
  int64_t existingDate = 0;
  if (!ReadFileStamp(existing, &existingSize, &existingDate)) return UNPACK_NO_SUCH_FILE;
  // Archive times are unsigned 32-bit seconds.
  const int64_t archivedDate = (int64_t)(uint32_t)newDate;
  int32_t sticky = state.ReplaceAnswerSticky.load();
  ReplaceVerdict verdict =
      DecideReplace(shared.plan.replaceStatus, existingDate, archivedDate, sticky);
  if (verdict == kReplaceAsk) {
    InterfaceQuestion question;
    question.kind = kQuestionReplaceFile;
    question.path = existing;
    question.existingSize = (int64_t)existingSize;
    question.existingDate = existingDate;
    question.newSize = newSize;
    question.newDate = archivedDate;
    const int answer = AskOnInterfaceThread(&question);
    if (answer == kReplaceDialogFailed) {
      End(kExtractionFatal);
      return UNPACK_CANCEL;
    }
    verdict = ApplyReplaceAnswer(answer, &sticky);
    state.ReplaceAnswerSticky.store(sticky);
  }
  if (verdict == kReplaceKeep) {
    shared.current.kept = true;
    return UNPACK_CANCEL;
  }
  // The module writes over the file (for "no answer" too): keep the old
  // one aside, so that a rollback can put it back.
  if (shared.current.backupPath.empty()) MoveFileAside(existing, &shared.current.backupPath);
  return verdict == kReplaceNoAnswer ? UNPACK_NO_SUCH_FILE : UNPACK_CONTINUE;
}

ExtractionEnd ExtractionOutcome() { return (ExtractionEnd)Shared().outcome.load(); }

bool TakeExtractionDisplay(ExtractionDisplay *display) {
  ExtractionShared &shared = Shared();
  EnterLock(shared.lock);
  const bool changed = shared.changed;
  if (changed) *display = shared.display;
  shared.changed = false;
  LeaveLock(shared.lock);
  return changed;
}

void HoldWorkers(bool hold) {
  Install().PauseRequested.store(hold ? 1 : 0);
  if (!hold) RaiseSignal(Shared().resume);
}
