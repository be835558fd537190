#include "engine/install/run_installation.h"

#include <math.h>

#include "checks/path_expansion.h"
#include "engine/state/exits.h"
#include "engine/install/extract_worker.h"
#include "engine/tasks/file_tasks.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/undo/journal_file.h"
#include "engine/undo/journalled_files.h"
#include "engine/install/install_messages.h"
#include "engine/install/install_plan.h"
#include "engine/state/install_state.h"
#include "engine/state/install_log.h"
#include "engine/state/installer_script.h"
#include "engine/install/interface_questions.h"
#include "engine/state/payload_state.h"
#include "engine/undo/rollback.h"
#include "engine/tasks/shortcuts.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/task_execution.h"
#include "engine/install/uninstaller_output.h"
#include "engine/state/unattended_options.h"
#include "platform/disk_info.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/threads.h"
#include "script/language_strings.h"
#include "script/string_ids.h"

namespace {

// Status lines are shortened to this width, in pixels.
const int kStatusWidth = 440;
// The progress page is updated at most this often while files are written.
const uint32_t kRefreshIntervalMs = 33;
// Uninstaller names tried: Uninst0 to Uninst9999.
const int kUninstallerNumbers = 10000;

enum RunPhase {
  kPhaseIdle,
  kPhasePreparing,   // before the workers start
  kPhaseExtracting,  // the workers write files
  kPhaseFinishing,   // tasks and uninstaller: no way back any more
};

struct Run {
  const InstallView *view = nullptr;
  InstallEnd end = kInstallEndCompleted;
  RunPhase phase = kPhaseIdle;
  bool cancelOffered = true;
  bool cancelConfirmed = false;
  // What the progress page shows now.
  std::string status;
  std::string remainingTime;
  int percent = -1;
};

Run gRun;

void PumpEvents() {
  UiEvent event;
  UiEventKind kind = kUiEventOther;
  while (TakeUiEvent(&event, &kind)) {
    if (kind == kUiEventQuit) {
      RequestInstallationCancel();
      continue;
    }
    gRun.view->handleEvent(&event, kind);
  }
}

void ShowStatus(const std::string &text) {
  const std::string shown = gRun.view->compactText(text, kStatusWidth);
  if (shown == gRun.status) return;
  gRun.status = shown;
  gRun.view->setStatus(shown);
}

void ShowProgress(int percent) {
  if (percent == gRun.percent) return;
  gRun.percent = percent;
  gRun.view->setProgress(percent);
}

void RefreshFromWorkers() {
  ExtractionDisplay display;
  if (!TakeExtractionDisplay(&display)) return;
  if (!display.status.empty()) ShowStatus(display.status);
  ShowProgress(display.percent);
  if (display.remainingTime != gRun.remainingTime) {
    gRun.remainingTime = display.remainingTime;
    gRun.view->setRemainingTime(display.remainingTime, true);
  }
  if (!display.cancelOffered && gRun.cancelOffered) {
    gRun.cancelOffered = false;
    gRun.view->setCancelEnabled(false);
  }
}

// An error that ends the installer before anything could be installed:
// what the run made so far goes, then the process.
[[noreturn]] void EndWithError(const std::string &text) {
  ShowMessage(gRun.view->owner, text.c_str(), LangString(kStrErrorCaption).c_str(), kButtonsOk,
              kIconError);
  UndoJournalQuietly();
  CleanExit();
}

// Every product entry's name is checked before anything is written: a name
// that would land outside its component's folder comes only from a
// tampered installer.
void RefuseDamagedEntries() {
  // A product entry that names no component comes from no sound installer.
  if (!Payload().unfiledProductFiles.empty()) EndWithError(LangString(kStrArchiveUnreadable));
  const std::vector<ComponentFolder> anyFolder;
  for (const ComponentFileGroup &group : Payload().componentFiles) {
    for (const ProductFile &file : group.files) {
      EntryDestination unused;
      if (PlaceArchiveEntry(file.entryName, Payload().configPrefix, anyFolder, NULL, NULL,
                            Startup().reservedNames, &unused) == kEntryDamaged)
        EndWithError(LangString(kStrArchiveUnreadable));
    }
  }
}

// The journal's file, before the first change: without it the
// installation does not begin.
void StartJournal(const std::string &installPath) {
  JournalIdentity identity;
  identity.productKey = Payload().configPrefix;
  identity.productName = InstallerScript().settings.ProgramName;
  identity.installFolder = installPath;
  std::string problem;
  if (StartJournalFile(identity, Startup().isAdministrator, &problem)) {
    LogLine("Journal " + OpenJournalPath());
    return;
  }
  LogLine("No journal: " + problem);
  EndWithError(problem);
}

// The journal could not be written: nothing more may change, and what the
// run made goes.
[[noreturn]] void EndForJournal() { EndWithError(JournalWriteFailedText(OpenJournalPath())); }

// The install folder, made level by level; each level is journalled first.
void CreateInstallFolder(const std::string &installPath) {
  if (FolderExists(installPath)) return;
  if (!MakeFolderLevels(installPath, true)) EndForJournal();
  PumpEvents();
  if (!FolderExists(installPath))
    EndWithError(ReplacePlaceholder(LangString(kStrInvalidInstallPath), "$P", installPath));
}

void ChooseUninstallerFiles(InstallState *state) {
  const int number = ChooseUninstallerNumber(state->InstallPath, PathExists, kUninstallerNumbers);
  state->UninstallerExePath.clear();
  state->UninstallerDataPath.clear();
  if (number < 0) return;
  state->UninstallerExePath = state->InstallPath + UninstallerFileName(number, ".exe");
  state->UninstallerDataPath = state->InstallPath + UninstallerFileName(number, ".dat");
}

// A folder given as a full path ("C:\..." or "\\server\share\...").
bool IsAbsoluteFolder(const std::string &folder) {
  return (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') ||
         (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\');
}

// The components' folders for this run: the principal component's is the
// install folder, the others' expand their InstallationPath now. A folder
// that expands to nothing or to a relative path goes below the install
// folder rather than below the root of the current drive.
std::vector<ComponentFolder> ResolveComponentFolders(const std::string &installPath) {
  std::vector<ComponentFolder> folders;
  for (Component &component : InstallerScript().settings.components) {
    std::string folder =
        component.IsPrincipal == 1 ? installPath : ReplacePathVariables(component.InstallationPath);
    if (!IsAbsoluteFolder(folder)) folder = installPath + folder;
    component.InstallationPath = folder;
    if (IsComponentSelected(UserChoices(), component.ID))
      folders.push_back({component.ID, WithTrailingBackslash(folder)});
  }
  return folders;
}

void CountSelectedFiles(InstallState *state) {
  int32_t files = 0;
  int64_t bytes = 0;
  for (const ComponentFileGroup &group : Payload().componentFiles) {
    if (!IsComponentSelected(UserChoices(), group.componentId)) continue;
    files += (int32_t)group.files.size();
    for (const ProductFile &file : group.files) bytes += file.uncompressedSize;
  }
  state->TotalFiles.store(files);
  state->FilesDone.store(0);
  state->BytesTotal.store(bytes);
  state->BytesDone.store(0);
}

bool IsFolderOfPlan(int32_t componentId, void *context) {
  for (const ComponentFolder &folder : *static_cast<const std::vector<ComponentFolder> *>(context))
    if (folder.componentId == componentId) return true;
  return false;
}

ExtractionPlan MakeExtractionPlan(const std::vector<ComponentFolder> &folders) {
  ExtractionPlan plan;
  plan.configPrefix = Payload().configPrefix;
  plan.folders = folders;
  plan.reservedNames = Startup().reservedNames;
  plan.replaceStatus = InstallerScript().settings.ReplaceStatus;
  void *context = const_cast<std::vector<ComponentFolder> *>(&folders);
  for (const ComponentFileGroup &group : Payload().componentFiles) {
    for (const ProductFile &file : group.files) {
      EntryDestination entry;
      if (PlaceArchiveEntry(file.entryName, plan.configPrefix, folders, IsFolderOfPlan, context,
                            plan.reservedNames, &entry) != kEntryInstall)
        continue;
      PlannedFile planned;
      planned.destination = entry.destination;
      planned.size = file.uncompressedSize;
      plan.files.push_back(planned);
    }
  }
  return plan;
}

// Runs the two workers while the interface thread keeps the window alive,
// answers the workers' questions and shows their progress.
void RunWorkers() {
  InstallState &state = Install();
  state.Running.store(1);
  state.Failed.store(0);
  ThreadHandle extractor = StartThread(ExtractFilesWorker, NULL);
  ThreadHandle timer = StartThread(RemainingTimeWorker, NULL);
  if (extractor == NULL) {
    state.Running.store(0);
    state.Failed.store(1);
  }
  uint32_t lastRefresh = MillisecondsTicking();
  while (!IsThreadFinished(extractor) || !IsThreadFinished(timer)) {
    void *handles[] = {extractor, timer, QuestionArrivedSignal()};
    WaitForMessagesOrHandles(handles, 3, kRefreshIntervalMs, NULL);
    PumpEvents();
    AnswerPendingQuestion(gRun.view->owner, gRun.cancelConfirmed);
    if (MillisecondsTicking() - lastRefresh >= kRefreshIntervalMs) {
      RefreshFromWorkers();
      lastRefresh = MillisecondsTicking();
    }
  }
  RefreshFromWorkers();
  CloseThreadHandle(&extractor);
  CloseThreadHandle(&timer);
}

bool CancelConfirmed() { return gRun.cancelConfirmed; }

int AfterCopyTasksEntry(void *) { return RunAfterCopyTasks(kPhaseAfterCopy); }

// The tasks after the files, on their own thread, while the interface
// thread keeps the window alive and the bar follows the tasks.
void RunAfterCopyTaskThread() {
  Install().TaskPercent.store(0);
  ShowStatus(LangString(kStrConfiguring));
  ShowProgress(0);
  ThreadHandle tasks = StartThread(AfterCopyTasksEntry, NULL);
  if (tasks == NULL) {
    // Without a thread the tasks still run, with the window standing still.
    RunAfterCopyTasks(kPhaseAfterCopy);
    return;
  }
  while (!IsThreadFinished(tasks)) {
    void *handles[] = {tasks};
    WaitForMessagesOrHandles(handles, 1, kRefreshIntervalMs, NULL);
    PumpEvents();
    ShowProgress(Install().TaskPercent.load());
  }
  ShowProgress(Install().TaskPercent.load());
  CloseThreadHandle(&tasks);
}

// The run completed: its journal says so, the copies of the files it
// replaced go, then the journal. Should the mark fail, the journal goes
// first: a completed run must never be undone.
void CompleteJournal() {
  const bool marked = NoteCompleted();
  DetachJournalSink();
  if (!marked) EndJournalFile(true);
  UndoJournal(Journal(), nullptr, nullptr);
  EndJournalFile(true);
}

int RollBack() {
  if (gRun.end == kInstallEndCompleted)
    gRun.end = gRun.cancelConfirmed ? kInstallEndCancelled : kInstallEndFailed;
  LogLine("Rolling back");
  const double startPercent = gRun.percent > 0 ? gRun.percent : OverallPercent(Install());
  RollBackInstallation(*gRun.view, startPercent);
  gRun.phase = kPhaseIdle;
  return 0;
}

}  // namespace

int RunInstallation(const InstallView &view) {
  gRun = Run();
  gRun.view = &view;
  gRun.phase = kPhasePreparing;
  InstallState &state = Install();
  PrepareInterfaceQuestions();
  for (const std::string &line : ChoiceLogLines(InstallerScript().settings, UserChoices()))
    LogLine(line);

  ShowStatus(LangString(kStrPreparing));
  view.beginInstallation();
  RefuseDamagedEntries();
  state.InstallPath = WithTrailingBackslash(UserChoices().installFolder);
  StartJournal(state.InstallPath);
  CreateInstallFolder(state.InstallPath);
  ChooseUninstallerFiles(&state);
  const ModuleExports &module = Payload().moduleExports;
  module.SetFileCallback(OnFileProgress);
  module.SetReplaceCallback(OnReplaceExisting);
  const std::vector<ComponentFolder> folders = ResolveComponentFolders(state.InstallPath);
  // A component's own folder that must be protected is made here, not by
  // the unpacker module, which knows nothing of protection.
  for (const ComponentFolder &folder : folders) CreateProtectedFolderLevels(folder.folder);
  CreateStartMenuShortcuts();
  if (JournalBroken()) EndForJournal();
  PumpEvents();
  ShowStatus(LangString(kStrRunningPrerequisites));
  RunBeforeCopyTasks(CancelConfirmed);
  if (gRun.cancelConfirmed) return RollBack();

  CountSelectedFiles(&state);
  PrepareExtraction(MakeExtractionPlan(folders));
  gRun.phase = kPhaseExtracting;
  RunWorkers();
  PumpEvents();
  const ExtractionEnd end = ExtractionOutcome();
  // A cancel confirmed as the last file completed still rolls back: the
  // user was told the installation would stop.
  if (end != kExtractionComplete || gRun.cancelConfirmed) {
    if (end == kExtractionNoSpace) gRun.end = kInstallEndNoSpace;
    RollBack();
    if (end == kExtractionFatal) CleanExit();
    return 0;
  }

  gRun.phase = kPhaseFinishing;
  view.setCancelEnabled(false);
  view.setRemainingTime(std::string(), false);
  if (!InstallerScript().settings.installerTasks.empty()) RunAfterCopyTaskThread();
  PumpEvents();
  if (!JournalBroken() && InstallerScript().settings.CreateUninstaller == 1 &&
      WriteUninstaller(view) == 0 && !JournalBroken() && Unattended().silent) {
    // A deployment asked for a product it can uninstall: without the
    // uninstaller the run does not count as done.
    ShowMessage(view.owner, UninstallerMissingText(state.UninstallerExePath).c_str(),
                LangString(kStrErrorCaption).c_str(), kButtonsOk, kIconError);
    return RollBack();
  }
  if (JournalBroken()) {
    ShowMessage(view.owner, JournalWriteFailedText(OpenJournalPath()).c_str(),
                LangString(kStrErrorCaption).c_str(), kButtonsOk, kIconError);
    return RollBack();
  }
  CompleteJournal();
  gRun.phase = kPhaseIdle;
  return 1;
}

InstallEnd LastInstallationEnd() { return gRun.end; }

bool RequestInstallationCancel() {
  if (gRun.phase == kPhaseIdle) return false;
  // Past the last file there is no way back; the request is ignored.
  if (gRun.phase == kPhaseFinishing || !gRun.cancelOffered || gRun.cancelConfirmed) return true;
  HoldWorkers(true);
  const MessageAnswer answer =
      Unattended().silent
          ? kAnswerYes
          : ShowMessage(gRun.view->owner, LangString(kStrConfirmCancel).c_str(),
                        LangString(kStrConfirmCaption).c_str(), kButtonsYesNo, kIconQuestion);
  if (answer == kAnswerYes) {
    LogLine("Cancel requested");
    gRun.cancelConfirmed = true;
    Install().Running.store(0);
  }
  HoldWorkers(false);
  return true;
}
