#include "engine/install/extract_worker.h"

#include <math.h>
#include <stdio.h>

#include <atomic>
#include <set>

#include "engine/state/pause_points.h"
#include "engine/undo/install_journal.h"
#include "engine/undo/journal_file.h"
#include "engine/undo/journalled_files.h"
#include "engine/install/install_messages.h"
#include "engine/state/install_log.h"
#include "engine/state/install_state.h"
#include "engine/install/interface_questions.h"
#include "engine/state/payload_state.h"
#include "engine/install/remaining_time.h"
#include "engine/install/replace_dialog.h"
#include "engine/install/replace_rules.h"
#include "platform/disk_info.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/threads.h"
#include "script/ansi_text.h"
#include "script/format_size.h"
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
// Files whose notes go to the journal in one flushed write.
const size_t kJournalBatch = 256;
// A write that failed with less free space than the file and this much
// more counts as a full disk.
const uint64_t kFullDiskSlack = 64 * 1024;
const size_t kNone = (size_t)-1;

// What the extraction worker knows about the file being written; the
// module calls both callbacks on the worker's thread.
struct CurrentFile {
  size_t created = kNone;   // the journal entry of the file as a new one
  size_t replaced = kNone;  // the journal entry of the file kept aside for it
  bool kept = false;        // the existing file stays (replace answer "keep")
  bool keepFailed = false;  // it was to be replaced, but could not be kept aside
  bool notJournalled = false;  // a change the journal could not take
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
  // The planned file expected next, the first one not noted yet, and the
  // journal entry of each planned file noted as new (kNone: it was there).
  size_t cursor = 0;
  size_t notedEnd = 0;
  std::vector<size_t> createdEntries;
  // Folders known to be there or noted to be made.
  std::set<std::string> knownFolders;
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

enum EntryResult { kEntryDone, kEntryStop };

// What became of the destination goes to the log; a file that was not
// written leaves the journal as if it had not been tried.
void FinishEntry(const std::string &destination, bool written) {
  CurrentFile &current = Shared().current;
  if (!written) {
    // The module removed what it had begun; what the file replaced comes
    // back.
    if (current.replaced != kNone && PutBackKeptFile(current.replaced)) current.replaced = kNone;
    if (current.created != kNone) NoteUndone(current.created, false);
  } else if (current.created == kNone && current.replaced == kNone && !current.kept) {
    // It vanished between its note and its turn: noted now, late.
    NoteFileCreating(destination, true, true, &current.created);
  }
  if (current.kept) {
    LogLine("Kept existing " + destination);
  } else if (current.replaced != kNone) {
    LogLine((written ? "Replaced " : "Not replaced ") + destination);
  } else {
    LogLine((written ? "Installed " : "Not installed ") + destination);
  }
}

// The user let the installation go on without this file.
EntryResult SkipEntry(const std::string &destination) {
  FinishEntry(destination, false);
  return kEntryDone;
}

EntryResult StopOnEntry(const std::string &destination, ExtractionEnd outcome) {
  FinishEntry(destination, false);
  End(outcome);
  return kEntryStop;
}

// The journal could not take a note: nothing more may change.
EntryResult StopForJournal() {
  LogLine("The journal " + OpenJournalPath() + " could not be written");
  InterfaceQuestion question;
  question.text = JournalWriteFailedText(OpenJournalPath());
  question.caption = LangString(kStrErrorCaption);
  question.icon = kIconError;
  AskOnInterfaceThread(&question);
  End(kExtractionFailed);
  return kEntryStop;
}

// The volume a path lies on: "c:" or "\\server\share", lower case.
std::string VolumeOf(const std::string &path) {
  size_t end = 2;
  if (path.compare(0, 2, "\\\\") == 0) {
    const size_t server = path.find('\\', 2);
    end = server == std::string::npos ? path.size() : path.find('\\', server + 1);
  }
  std::string volume = path.substr(0, end == std::string::npos ? path.size() : end);
  for (char &c : volume) c = (char)AnsiLowerChar((unsigned char)c);
  return volume;
}

// When a write failed on a disk with less free space than the file needs:
// how much the files still to come need on that disk, and what is free.
bool IsDiskFull(const EntryDestination &entry, size_t position, int64_t entrySize,
                uint64_t *needed, uint64_t *free) {
  uint64_t total = 0;
  if (!QueryDiskSpace(entry.folder, &total, free) ||
      *free >= (uint64_t)(entrySize > 0 ? entrySize : 0) + kFullDiskSlack)
    return false;
  const std::vector<PlannedFile> &files = Shared().plan.files;
  const std::string volume = VolumeOf(entry.destination);
  *needed = entrySize > 0 ? (uint64_t)entrySize : 0;
  if (position != kNone) {
    *needed = 0;
    for (size_t i = position; i < files.size(); i++)
      if (files[i].size > 0 && VolumeOf(files[i].destination) == volume)
        *needed += (uint64_t)files[i].size;
  }
  return true;
}

int AskDiskFull(const EntryDestination &entry, uint64_t needed, uint64_t free) {
  LogLine("Not enough free space in " + entry.folder + ": " + std::to_string(needed) +
          " bytes needed, " + std::to_string(free) + " free");
  InterfaceQuestion question;
  question.text = DiskFullText(entry.folder, FormatSize(needed, 1), FormatSize(free, 1));
  question.caption = LangString(kStrErrorCaption);
  question.buttons = kButtonsRetryCancel;
  question.icon = kIconError;
  return AskOnInterfaceThread(&question);
}

// Extracts one entry with the answers the user gives to its errors.
// `position` is its place in the plan (kNone: not planned), `size` its
// size.
EntryResult ExtractEntry(const ModuleExports &module, const EntryDestination &entry,
                         size_t position, int64_t size) {
  CurrentFile &current = Shared().current;
  int unknownResults = 0;
  for (;;) {
    current.kept = current.keepFailed = false;
    int result = module.Archive_Extract(entry.folder.c_str(), 0);
    if (current.notJournalled) return StopForJournal();
    // It was to be replaced but could not be kept aside: not written.
    if (result == UNPACK_DONE && current.keepFailed) result = UNPACK_CANNOT_WRITE;
    int message = 0;
    switch (result) {
      case UNPACK_DONE: FinishEntry(entry.destination, !current.kept); return kEntryDone;
      case UNPACK_STOPPED: return StopOnEntry(entry.destination, kExtractionStopped);
      case UNPACK_DECOMPRESSION_ERROR: message = kStrDecompressionError; break;
      case UNPACK_OUT_OF_MEMORY: message = kStrMemoryError; break;
      case UNPACK_INTERNAL_ERROR: message = kStrInternalError; break;
      case UNPACK_CANNOT_WRITE: {
        uint64_t needed = 0, free = 0;
        if (IsDiskFull(entry, position, size, &needed, &free)) {
          if (AskDiskFull(entry, needed, free) == kAnswerRetry) continue;
          return StopOnEntry(entry.destination, kExtractionNoSpace);
        }
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

// Notes the next batch of planned files from `from` on: the folders they
// need and, for each that is not there yet, the new file, all in one
// flushed write; then makes the folders. False when the journal could not
// be written.
bool NoteUpcomingFiles(size_t from) {
  ExtractionShared &shared = Shared();
  const std::vector<PlannedFile> &files = shared.plan.files;
  const size_t end = from + kJournalBatch < files.size() ? from + kJournalBatch : files.size();
  std::vector<NotedFolder> folders;
  std::set<std::string> newFolders;
  for (size_t i = from; i < end; i++) {
    const std::string &destination = files[i].destination;
    const std::string folder = FolderPartOf(destination);
    const size_t before = folders.size();
    if (!NoteMissingFolders(folder, true, &shared.knownFolders, &folders)) return false;
    for (size_t f = before; f < folders.size(); f++) newFolders.insert(folders[f].path);
    // Nothing is in a folder about to be made.
    const bool missing = newFolders.count(folder) != 0 || ReadPathKind(destination) == kPathMissing;
    if (missing && !NoteFileCreating(destination, true, false, &shared.createdEntries[i]) &&
        JournalBroken())
      return false;
  }
  shared.notedEnd = end;
  if (!FlushJournal()) return false;
  MakeNotedFolders(folders);
  return true;
}

// Journals what writing `entry` will change, ahead of it: its place in
// the plan (kNone when it is not there) through *position.
bool NoteEntry(const EntryDestination &entry, size_t *position) {
  ExtractionShared &shared = Shared();
  const std::vector<PlannedFile> &files = shared.plan.files;
  CurrentFile &current = shared.current;
  *position = kNone;
  if (shared.cursor < files.size() && files[shared.cursor].destination == entry.destination)
    *position = shared.cursor++;
  if (*position != kNone) {
    if (*position >= shared.notedEnd && !NoteUpcomingFiles(*position)) return false;
    current.created = shared.createdEntries[*position];
    return true;
  }
  // An entry the plan did not foresee is noted on its own.
  if (!MakeFolderLevels(entry.folder, true)) return false;
  if (ReadPathKind(entry.destination) != kPathMissing) return true;
  return NoteFileCreating(entry.destination, true, true, &current.created) || !JournalBroken();
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
    shared.current = CurrentFile();
    size_t position = kNone;
    if (!NoteEntry(entry, &position)) {
      StopForJournal();
      return false;
    }
    const int64_t size = module.Archive_FileInfo_GetUncompressedSize(info);
    if (ExtractEntry(module, entry, position, size) == kEntryStop) return false;
    if (JournalBroken()) {
      StopForJournal();
      return false;
    }
    const int32_t done = state.FilesDone.fetch_add(1) + 1;
    // The last file is written without the offer to cancel.
    if (done == state.TotalFiles.load() - 1) Publish(WithdrawCancel, NULL);
    PausePoint(kPauseAfterFile);
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
  shared.cursor = 0;
  shared.notedEnd = 0;
  shared.createdEntries.assign(plan.files.size(), kNone);
  shared.knownFolders.clear();
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
    // A folder the module made itself, where the extraction's own could
    // not be made first: noted now.
    if (!NoteFolderCreating(reported, true, true, NULL) && JournalBroken()) {
      shared.current.notJournalled = true;
      return UNPACK_CANCEL;
    }
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
  CurrentFile &current = shared.current;
  const std::string existing = path != NULL ? path : "";
  uint64_t existingSize = 0;
  int64_t existingDate = 0;
  if (!ReadFileStamp(existing, &existingSize, &existingDate)) return UNPACK_NO_SUCH_FILE;
  // The file is there after all: it is not the run's new file, whatever
  // was noted when it was missing.
  const bool wasNoted = current.created != kNone;
  if (wasNoted) {
    NoteUndone(current.created, false);
    current.created = kNone;
  }
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
    current.kept = true;
    if (wasNoted && !FlushJournal()) current.notJournalled = true;
    return UNPACK_CANCEL;
  }
  // The module writes over the file (for "no answer" too): it is kept
  // aside first, so that a rollback can give it back. A file that cannot
  // be kept aside is not written over.
  switch (KeepFileAside(existing, true, &current.replaced)) {
    case kKeptAside: break;
    case kKeepFailed: current.keepFailed = true; return UNPACK_CANCEL;
    case kKeepNotJournalled: current.notJournalled = true; return UNPACK_CANCEL;
  }
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
