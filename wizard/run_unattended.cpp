#include "wizard/run_unattended.h"

#include "checks/path_expansion.h"
#include "engine/state/exit_codes.h"
#include "engine/state/exits.h"
#include "engine/install/finish_actions.h"
#include "engine/state/install_choices.h"
#include "engine/state/install_log.h"
#include "engine/state/installer_script.h"
#include "engine/state/payload_state.h"
#include "engine/install/run_installation.h"
#include "engine/state/startup_state.h"
#include "engine/state/unattended_options.h"
#include "platform/system_changes.h"
#include "script/path_rules.h"
#include "wizard/disk_space.h"
#include "wizard/folder_path_limit.h"
#include "wizard/install_folder_text.h"
#include "wizard/navigation.h"
#include "wizard/page_sequence.h"
#include "wizard/unattended_choices.h"

namespace {

[[noreturn]] void Refuse(const std::string &why, int exitCode) {
  LogLine("Refused: " + why);
  SetExitCode(exitCode);
  CleanExit();
}

UnattendedDefaults WizardDefaults(const ScriptSettings &settings) {
  UnattendedDefaults defaults;
  defaults.tree = BuildTreeModel(settings, Startup().languageId, std::string());
  RefreshCategoryStates(&defaults.tree, nullptr);
  if (defaults.tree.hasPrincipal)
    defaults.folder = WithTrailingBackslash(ReplacePathVariables(defaults.tree.principalPath));
  PageSequenceInputs inputs;
  inputs.osCode = ActingOsCode();
  inputs.isAdministrator = Startup().isAdministrator;
  int offered = 0;
  BuildPageSequence(inputs, &offered);
  defaults.userScopeOffered = offered == 1;
  defaults.osCode = ActingOsCode();
  return defaults;
}

uint64_t SelectedBytes(const InstallChoices &choices) {
  uint64_t bytes = 0;
  for (const ComponentFileGroup &group : Payload().componentFiles) {
    if (!IsComponentSelected(choices, group.componentId)) continue;
    for (const ProductFile &file : group.files)
      if (file.uncompressedSize > 0) bytes += (uint64_t)file.uncompressedSize;
  }
  return bytes;
}

bool IsChosen(int32_t componentId, const void *choices) {
  return IsComponentSelected(*(const InstallChoices *)choices, componentId);
}

// The checks of the install-folder page.
void RefuseUnsuitableFolder(const InstallChoices &choices) {
  const std::string &folder = choices.installFolder;
  const std::string drive = DriveOfFolder(folder);
  const bool driveExists = DriveExists(drive) != 0;
  const bool valid = IsValidInstallPath(folder, Startup().reservedNames) != 0 &&
                     InstallFolderFitsPathLimit(folder, IsChosen, &choices);
  const int64_t freeSpace = driveExists && valid ? GetDiskSpace(drive, "f") : -1;
  switch (JudgeInstallFolder(driveExists, valid, freeSpace, SelectedBytes(choices))) {
    case kFolderInvalid: Refuse("the install folder " + QuotedForLog(folder) + " is not valid", kExitInvalidCommandLine);
    case kFolderNoSpace: Refuse("not enough free space for the product in " + QuotedForLog(folder), kExitNotEnoughSpace);
    default: break;
  }
}

void DispatchOnly(UiEvent *event, UiEventKind) { DispatchUiEvent(event); }
void Nothing() {}
void NoText(const std::string &) {}
std::string Unshortened(const std::string &text, int) { return text; }
void NoPercent(int) {}
void NoLine(const std::string &, bool) {}
void NoSwitch(bool) {}

InstallView SilentView() {
  InstallView view;
  view.owner = NULL;
  view.beginInstallation = Nothing;
  view.setStatus = NoText;
  view.compactText = Unshortened;
  view.setProgress = NoPercent;
  view.setRemainingTime = NoLine;
  view.setCancelEnabled = NoSwitch;
  view.showCancelled = Nothing;
  view.handleEvent = DispatchOnly;
  return view;
}

int SuccessCode(const ScriptSettings &settings) {
  if (settings.ShowRestartComputerCheckbox != 1) return kExitSuccess;
  if (Unattended().restart == kRestartForced) {
    LogLine("Restarting the computer");
    RestartComputer(0);
  } else {
    LogLine("A restart completes the installation");
  }
  return kExitRestartRequired;
}

}  // namespace

void RunUnattendedInstallation() {
  const ScriptSettings &settings = InstallerScript().settings;
  const UnattendedOptions &options = Unattended();
  const UnattendedDefaults defaults = WizardDefaults(settings);
  if (options.hasFolder && defaults.tree.principalPathEnforced != 0)
    Refuse("/D= names a folder, but this product's folder is fixed", kExitInvalidCommandLine);
  InstallChoices choices;
  std::string problem;
  if (!MakeUnattendedChoices(options, settings, defaults, &choices, &problem))
    Refuse(problem, kExitInvalidCommandLine);
  RefuseUnsuitableFolder(choices);
  UserChoices() = choices;

  const InstallView view = SilentView();
  const bool installed = RunInstallation(view) == 1;
  if (installed) {
    LogLine("Installation complete");
    SetExitCode(SuccessCode(settings));
    NotifyAssociationsChanged();
  } else {
    const InstallEnd end = LastInstallationEnd();
    const bool cancelled = end == kInstallEndCancelled;
    LogLine(cancelled ? "Installation cancelled and rolled back"
                      : "Installation failed and rolled back");
    SetExitCode(cancelled                    ? kExitCancelled
                : end == kInstallEndNoSpace ? kExitNotEnoughSpace
                                            : kExitFatalError);
  }
  CleanExit();
}
