#include "uninstaller/uninstall_session.h"

#include <atomic>
#include <string>
#include <vector>

#include "checks/running_instances.h"
#include "checks/system_probes.h"
#include "engine/undo/removal_plan.h"
#include "engine/undo/recovery.h"
#include "engine/undo/removal_run.h"
#include "engine/state/startup_state.h"
#include "format/uninstaller_data.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/mutexes.h"
#include "platform/process_handoff.h"
#include "platform/services.h"
#include "platform/system_changes.h"
#include "platform/threads.h"
#include "script/language_strings.h"
#include "uninstaller/exit_codes.h"
#include "uninstaller/file_guard.h"
#include "uninstaller/progress_window.h"
#include "uninstaller/texts.h"

namespace {

const char kInstanceMutexName[] = "QuorvantisUninstaller";
// How long the copy waits for the installed uninstaller to end once it has
// its result; its file is then tried for a while longer (removal_run).
const uint32_t kParentEndWaitMs = 30000;
// The progress bar is brought up to date this often.
const uint32_t kRefreshIntervalMs = 50;
const int32_t kRebootRequired = 1;
const int32_t kCheckForInstances = 1;

struct Session {
  UninstallerArguments arguments;
  bool isCopy = false;
  HandoffHandle parent = NULL;
  HandoffHandle resultPipe = NULL;
  HandoffHandle selfFile = NULL;
  std::string dataPath;
  UninstallerData data;
  RemovalPlan plan;
  RemovalRun run;
  std::atomic<size_t> stepsDone{0};
  bool reported = false;
  uint32_t code = kExitSuccess;
};

std::string Text(const Session &s, UninstallerText text) { return UninstallerString(s.data, text); }

MessageAnswer Ask(const Session &s, const std::string &text, const std::string &caption,
                  MessageButtons buttons, MessageIcon icon) {
  if (s.arguments.silent) return kAnswerOther;
  return ShowMessage(NULL, text.c_str(), caption.c_str(), buttons, icon);
}

// The installed uninstaller learns the result and may end; once it has,
// its file can go.
void Report(Session *s, uint32_t code) {
  if (s->reported) return;
  s->reported = true;
  if (s->resultPipe != NULL) WriteResultNumber(s->resultPipe, code);
  CloseHandoffHandle(&s->resultPipe);
}

bool ReadDataFile(Session *s) {
  std::string text;
  std::string detail;
  DataFileProblem problem = kDataFileDamaged;
  bool ok = false;
  // Held so that nobody can change it while it is judged and read.
  FileHandle file = NULL;
  if (ReadPathKind(s->dataPath) == kPathMissing) {
    problem = kDataFileMissing;
  } else if ((file = OpenFileDenyingWriters(s->dataPath)) == NULL ||
             !ReadSmallOpenFile(file, kMaxUninstallerDataSize, &text)) {
    problem = kDataFileUnreadable;
  } else if (s->arguments.guarded && !OnlyAdministratorsCanChange(file, s->dataPath)) {
    problem = kDataFileUnguarded;
  } else {
    ok = ReadUninstallerData(text, &s->data, &detail);
  }
  CloseFileHandle(&file);
  if (!ok) {
    Ask(*s, DataFileMessage(problem, s->dataPath, detail), kFixedErrorCaption, kButtonsOk,
        kIconError);
  }
  return ok;
}

bool MutexPresent(const std::string &name) { return IsMutexPresent(name) == 1; }

bool WindowPresent(const std::string &name, const std::string &windowClass, int containsFlag) {
  return FindMatchingWindow(name, windowClass, containsFlag) != NULL;
}

// False when a close item is still found and the user gave up (or, in a
// silent run, at once).
bool NoProgramRunning(const Session &s) {
  if (s.data.UninstCheckForInstances != kCheckForInstances || s.data.closeItems.empty())
    return true;
  std::vector<CloseItem> items;
  for (const UninstallerCloseItem &source : s.data.closeItems) {
    CloseItem item;
    item.ID = source.ID;
    item.Type = source.Type;
    item.MutexName = source.MutexName;
    item.WindowName = source.WindowName;
    item.WindowClass = source.WindowClass;
    item.MatchExactly = source.MatchExactly;
    items.push_back(item);
  }
  CheckEnvironment env;
  env.isMutexPresent = MutexPresent;
  env.isWindowPresent = WindowPresent;
  for (;;) {
    std::string report;
    if (FindRunningItems(items, env, Text(s, kTextActiveMutex), Text(s, kTextOpenWindow),
                         &report) == 0) {
      return true;
    }
    const std::string text = ReplacePlaceholder(Text(s, kTextActivePrograms), "$P", report);
    if (Ask(s, text, Text(s, kTextActiveProgramsCaption), kButtonsRetryCancel, kIconWarning) !=
        kAnswerRetry) {
      return false;
    }
  }
}

// An installation of this product that was cut off before it completed
// (a reinstallation, an update) is undone first, as the installer would
// undo it; the user is told in one message. False while a user's file
// could not be given back: nothing is removed then.
bool RecoverEarlierInstallation(const Session &s) {
  if (s.data.config.ProductKey.empty()) return true;
  const RecoveryReport report = RecoverInterruptedRun(
      s.data.config.ProductKey, CanOpenServiceManager(kServiceManagerAdminAccess));
  const std::string text = RecoveryMessage(report, s.data.config.ProgramName);
  if (!text.empty()) {
    const bool undone = report.outcome == kRecoveryUndone;
    Ask(s, text, undone ? kFixedInformationCaption : kFixedErrorCaption, kButtonsOk,
        undone ? kIconInformation : kIconWarning);
  }
  return report.outcome != kRecoveryIncomplete;
}

size_t TotalSteps(const Session &s) { return s.plan.steps.size() + s.plan.finalSteps.size(); }

// The whole removal, on the worker when there is a window.
int RemoveEverything(void *context) {
  Session *s = static_cast<Session *>(context);
  for (const RemovalStep &step : s->plan.steps) {
    RunRemovalStep(step, s->plan, &s->run);
    s->stepsDone.fetch_add(1);
  }
  const bool restart = s->run.restartNeeded || s->data.config.RebootRequired == kRebootRequired;
  s->code = restart ? kExitRestartNeeded : kExitSuccess;
  Report(s, s->arguments.silent ? s->code : (uint32_t)kExitSuccess);
  if (s->parent != NULL) WaitForHandoffProcess(s->parent, kParentEndWaitMs);
  for (const RemovalStep &step : s->plan.finalSteps) {
    RunRemovalStep(step, s->plan, &s->run);
    s->stepsDone.fetch_add(1);
  }
  if (s->run.restartNeeded) s->code = kExitRestartNeeded;
  return 0;
}

int Percent(const Session &s) {
  const size_t total = TotalSteps(s);
  return total == 0 ? 100 : (int)(s.stepsDone.load() * 100 / total);
}

// The removal with the progress window, or without one in a silent run.
// False when the window could not be opened (nothing removed then).
bool RunRemoval(Session *s) {
  if (s->arguments.silent) {
    RemoveEverything(s);
    return true;
  }
  HWND window = OpenProgressWindow(Text(*s, kTextWindowTitle), Text(*s, kTextPleaseWait),
                                   Text(*s, kTextCancel));
  if (window == NULL) {
    Ask(*s, Text(*s, kTextWindowFailed), Text(*s, kTextError), kButtonsOk, kIconError);
    return false;
  }
  ThreadHandle worker = StartThread(RemoveEverything, s);
  if (worker == NULL) {
    RemoveEverything(s);  // the window stands still meanwhile
  } else {
    while (!IsThreadFinished(worker)) {
      void *handles[] = {worker};
      WaitForMessagesOrHandles(handles, 1, kRefreshIntervalMs, NULL);
      UiEvent event;
      UiEventKind kind = kUiEventOther;
      while (TakeUiEvent(&event, &kind)) DispatchUiEvent(&event);
      SetProgressPercent(window, Percent(*s));
    }
    CloseThreadHandle(&worker);
  }
  SetProgressPercent(window, 100);
  CloseProgressWindow(&window);
  return true;
}

uint32_t Work(Session *s) {
  if (!ReadDataFile(s)) return kExitFailed;
  bool another = false;
  MutexHandle instance = CreateNamedMutex(kInstanceMutexName, false, &another);
  (void)instance;  // held until the process ends
  if (another) {
    Ask(*s, kAnotherUninstallationText, kFixedInformationCaption, kButtonsOk, kIconInformation);
    return kExitBusy;
  }
  if (!RecoverEarlierInstallation(*s)) return kExitFailed;
  if (!s->arguments.silent &&
      Ask(*s, Text(*s, kTextAreYouSure), Text(*s, kTextUninstall), kButtonsYesNo,
          kIconQuestion) != kAnswerYes) {
    return kExitSuccess;
  }
  if (!NoProgramRunning(*s)) return kExitBusy;
  RemovalContext context;
  context.osCode = ActingOsCode();
  context.uninstallerPath = s->arguments.originalPath;
  context.dataPath = s->dataPath;
  context.silent = s->arguments.silent;
  s->plan = PlanRemoval(s->data, context);
  // Running from its own file, the uninstaller can only leave it to the
  // next restart.
  if (!s->isCopy) {
    for (RemovalStep &step : s->plan.finalSteps)
      if (step.kind == kStepDeleteOwnFile && step.path == context.uninstallerPath)
        step.kind = kStepDeleteFile;
  }
  s->run.osCode = context.osCode;
  if (!RunRemoval(s)) return kExitFailed;
  if (!s->arguments.silent) {
    Ask(*s, Text(*s, kTextUninstalled), Text(*s, kTextInformation), kButtonsOk,
        kIconInformation);
    if (s->code == kExitRestartNeeded &&
        Ask(*s, Text(*s, kTextRebootQuestion), Text(*s, kTextRebootCaption), kButtonsYesNo,
            kIconQuestion) == kAnswerYes) {
      RequestComputerRestart(false);
    }
  }
  return s->code;
}

}  // namespace

uint32_t RunUninstallSession(const UninstallerArguments &arguments, bool isCopy) {
  static Session session;
  Session *s = &session;
  s->arguments = arguments;
  s->isCopy = isCopy;
  if (isCopy) {
    s->parent = HandoffFromNumber(arguments.parentProcess);
    s->resultPipe = HandoffFromNumber(arguments.resultPipe);
    s->selfFile = HandoffFromNumber(arguments.selfFile);
    // Programs the uninstaller starts must not keep these alive.
    StopInheriting(s->parent);
    StopInheriting(s->resultPipe);
    StopInheriting(s->selfFile);
  }
  s->dataPath = DataFilePathFor(arguments.originalPath);
  const uint32_t code = Work(s);
  Report(s, arguments.silent ? code : (uint32_t)kExitSuccess);
  std::string ownPath;
  // Where the system allows it, the copy's file is also left to the next
  // restart, in case its last handle closes while the image is still in
  // use; the handle normally deletes it when this process ends.
  if (isCopy && GetOwnExecutablePath(&ownPath)) ScheduleRemovalAtRestart(ownPath);
  CloseHandoffHandle(&s->parent);
  // s->selfFile stays open: it closes, and the copy goes, with the process.
  return arguments.silent ? code : (uint32_t)kExitSuccess;
}
