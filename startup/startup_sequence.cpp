#include "startup/startup_sequence.h"

#include "checks/os_classification.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/processes.h"
#include "platform/user_side.h"
#include "script/document.h"
#include "script/language_data.h"
#include "script/language_dialog.h"
#include "script/language_strings.h"
#include "script/reserved_names.h"
#include "startup/builtin_icons.h"
#include "startup/command_line.h"
#include "engine/state/exit_codes.h"
#include "engine/state/exits.h"
#include "engine/state/install_log.h"
#include "engine/state/unattended_options.h"
#include "engine/undo/recovery.h"
#include "startup/guards.h"
#include "startup/memory_guard.h"
#include "startup/payload_loader.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "wizard/main_flow.h"

namespace {

const char kInterfaceFace[] = "MS Sans Serif";
const int kWeightNormal = 400;
const int kWeightBold = 700;
const uint32_t kWhiteColour = 0xFFFFFF;

void LoadFonts(StartupState *state) {
  state->fontNormal = CreateInterfaceFont(kInterfaceFace, 8, kWeightNormal);
  state->fontTitle = CreateInterfaceFont(kInterfaceFace, 13, kWeightBold);
  state->fontSmall = CreateInterfaceFont(kInterfaceFace, 7, kWeightNormal);
}

// The installation state's lists start empty; this makes that explicit for
// the ones a run might have touched before (none, on a normal start).
void ResetCollections() {
  PayloadState &payload = Payload();
  payload.languages.clear();
  payload.informationTexts.clear();
  payload.licenseTexts.clear();
  payload.componentFiles.clear();
  payload.unfiledProductFiles.clear();
}

void RefuseOldSystems(int osCode) {
  if (osCode >= kOsOldestSupported) return;
  SetExitCode(kExitPlatformUnsupported);
  ShowMessage(NULL,
              "We are sorry, this installer was designed for newer operating systems. Please "
              "upgrade your operating system!",
              "Compatibility problem", kButtonsOk, kIconInformation);
  NormalExit();
}

// The language a command line names (/LANG=), or in a silent run the
// user's own, else the first; -1 when the user is to choose.
int LanguageWithoutAsking(const std::vector<LanguageFile> &languages) {
  const UnattendedOptions &options = Unattended();
  const std::vector<size_t> entries = LanguageListEntries(languages);
  if (options.hasLanguage) {
    for (size_t index : entries)
      if (languages[index].langId == options.languageId) return (int)index;
    LogLine("The language " + std::to_string((long)options.languageId) +
            " (/LANG) is not in this installer");
    if (options.silent) {
      SetExitCode(kExitInvalidCommandLine);
      CleanExit();
    }
  }
  if (!options.silent) return -1;
  const int preselected = PreselectLanguage(languages, entries, UserDefaultLangId());
  return preselected >= 0 ? (int)entries[(size_t)preselected] : -1;
}

// One language is taken without asking; among several the user chooses.
void ChooseStartupLanguage(StartupState *state) {
  const std::vector<LanguageFile> &languages = Payload().languages;
  int chosen = LanguageWithoutAsking(languages);
  if (chosen < 0 && languages.size() == 1) chosen = 0;
  if (chosen >= 0) {
    state->languageName = languages[(size_t)chosen].name;
    state->languageId = languages[(size_t)chosen].langId;
    return;
  }
  if (ChooseLanguage(languages, state->fontNormal, &state->languageName) != kLanguageChosen)
    CleanExit();
  chosen = FindLanguageByName(languages, state->languageName);
  if (chosen >= 0) state->languageId = languages[(size_t)chosen].langId;
}

// An installation of this product that was cut off before it completed is
// undone before anything else; the user is told in one message (a silent
// run's goes to the log). While a user's file could not be given back no
// installation may begin.
void RecoverEarlierInstallation() {
  const RecoveryReport report =
      RecoverInterruptedRun(Payload().configPrefix, Startup().isAdministrator);
  const std::string text = RecoveryMessage(report, "this product");
  if (text.empty()) return;
  const bool undone = report.outcome == kRecoveryUndone;
  ShowMessage(NULL, text.c_str(), undone ? "Information" : "Warning", kButtonsOk,
              undone ? kIconInformation : kIconWarning);
  if (report.outcome == kRecoveryIncomplete) CleanExit();
}

void RecordMessage(const char *caption, const char *text) {
  LogLine(std::string("Message \"") + caption + "\": " + text);
}

// The log, when one is asked for. The elevated copy that the user's copy
// started writes only to the file that copy opened with the user's rights
// and handed over, and takes the pipe for what it starts for the user; any
// other copy opens the file itself (an elevated copy started by hand goes
// on with the log its first copy began).
bool OpenLog(const UnattendedOptions &options) {
  if (options.elevated && options.hasHandover) {
    UserSideHandover handover;
    handover.processId = options.handoverProcess;
    handover.logFile = options.handoverLog;
    handover.requests = options.handoverRequests;
    FileHandle log = NULL;
    if (!JoinUserSide(handover, &log)) RefuseUserStarts();
    if (log != NULL) UseInstallLogFile(log);
    return log != NULL;
  }
  return !options.logPath.empty() && OpenInstallLog(options.logPath, options.elevated);
}

// The command line: a log when one is asked for, and in a silent run no
// message on screen and no start with a line the installer cannot follow.
void ReadCommandLine() {
  const std::string line = GetProcessCommandLine();
  UnattendedOptions &options = Unattended();
  options = ReadUnattendedOptions(line);
  options.elevated = FirstCommandLineParameter(line) == kElevatedSwitch;
  if (options.silent) SetMessageRecorder(RecordMessage);
  const bool logOpened = OpenLog(options);
  LogLine("Command line: " + QuotedForLog(line));
  for (const std::string &problem : options.problems) LogLine("Command line problem: " + problem);
  if (!options.silent) return;
  if (!options.problems.empty() || (!options.logPath.empty() && !logOpened)) {
    SetExitCode(kExitInvalidCommandLine);
    NormalExit();
  }
}

}  // namespace

void RunInstaller() {
  InstallMemoryGuard();
  ReadCommandLine();
  StartupState &state = Startup();
  LoadFonts(&state);
  ResetCollections();
  LoadPageIcons(&state);
  ResetLanguageStrings();
  state.reservedNames = BuildReservedNames();
  ClearDocument();
  ClearSelection();
  LoadStateIcons(&state);

  DetectRunningSystem(&state);
  LogLine("System: " + DescribeRunningSystem(state.osCode, state.os));
  RefuseOldSystems(state.osCode);
  state.isAdministrator = CheckAdministrator();
  state.whiteBrush = CreateSolidColourBrush(kWhiteColour);
  state.hasAdminRightsNT = IsNtFamily(ActingOsCode()) && state.isAdministrator;

  LoadPayload();
  RecoverEarlierInstallation();
  ChooseStartupLanguage(&state);
  LogLine("Language: " + state.languageName);
  if (!state.languageName.empty()) {
    RunMainFlow(state.languageName);
  } else {
    ShowMessage(NULL, "Language file error (no name detected). Installation cannot continue.",
                "Error", kButtonsOk, kIconError);
    // The module is loaded and its temporary file written by now: leave
    // nothing behind in the user's temporary folder.
    CleanExit();
  }
  NormalExit();
}
