#include "startup/guards.h"

#include "checks/os_codes.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/mutexes.h"
#include "platform/process_handoff.h"
#include "platform/processes.h"
#include "platform/user_side.h"
#include "platform/services.h"
#include "startup/command_line.h"
#include "engine/state/exit_codes.h"
#include "engine/state/exits.h"
#include "engine/state/install_log.h"
#include "engine/state/payload_state.h"
#include "engine/state/unattended_options.h"
#include "engine/state/startup_state.h"

namespace {

const char kElevationMutexName[] = "QuorvantisInstallerElevation";
const char kInstanceMutexName[] = "QuorvantisInstaller";
// How long the relaunched copy waits for the first copy to end.
const uint32_t kElevationHandOverWait = 10000;
const uint32_t kElevationSettleTime = 500;

// The copy the user started: it starts the elevated copy, handing it the
// log this copy opened with the user's rights and the pipe for the
// programs it is to start as the user, then serves that pipe until the
// elevated copy has ended, and ends with its exit code (a silent run's
// caller waits for this process). The hand-over mutex is released before
// the start: the elevated copy waits for it, and this copy stays.
[[noreturn]] void RelaunchAndLeave() {
  MutexHandle handOver = CreateNamedMutex(kElevationMutexName, true, NULL);
  // Started by the name the system gives the file this copy holds, so that
  // no link on the way can lead the elevation elsewhere; the elevated copy
  // proves that it runs from that very file.
  const FileHandle installerFile = Payload().installerFile;
  std::string ownPath;
  if (!GetFinalPathOf(installerFile, false, &ownPath)) GetOwnExecutablePath(&ownPath);
  const UnattendedOptions &options = Unattended();
  UserSideChannel channel;
  // Without the pipe the elevated copy is told so (no pipe number) and
  // starts nothing for the user.
  OpenUserSideChannel(&channel);
  const UserSideHandover handover = HandoverOf(channel, InstallLogFile(), installerFile);
  // The elevated copy gets every switch this one was given.
  std::string parameters =
      std::string(kElevatedSwitch) + " " +
      HandoverParameter(handover.processId, handover.logFile, handover.requests,
                        handover.installerFile);
  if (!options.switches.empty()) parameters += " " + options.switches;
  ReleaseOwnedMutex(handOver);
  CloseMutexHandle(&handOver);
  LogLine("Relaunching with administrator rights");
  ProcessHandle elevated = NULL;
  uint32_t code = kExitFatalError;
  if (RelaunchElevated(ownPath, parameters, &elevated)) {
    ServeUserSide(&channel, elevated);
    if (!ReadProcessExitCode(elevated, &code)) code = kExitFatalError;
  }
  CloseProcessHandle(&elevated);
  CloseUserSideChannel(&channel);
  // The log is the elevated copy's now, to its last line.
  CloseInstallLog();
  SetExitCode((int)code);
  CleanExit();
}

void AwaitHandOver() {
  MutexHandle handOver = OpenNamedMutex(kElevationMutexName);
  WaitForMutex(handOver, kElevationHandOverWait);
  SleepMilliseconds(kElevationSettleTime);
  if (!Startup().isAdministrator) {
    ShowMessage(NULL,
                "You must have Administrator rights to install this program. On some systems you "
                "have to explicitly grant Administrator rights to the installer by right-clicking "
                "the file and selecting 'Run as Administrator' from the context menu.",
                "Information", kButtonsOk, kIconInformation);
    CleanExit();
  }
  // The mutex is kept: the process holds it until it ends.
}

}  // namespace

bool CheckAdministrator() { return CanOpenServiceManager(kServiceManagerAdminAccess); }

void HandleElevation(uint32_t requireAdminRights) {
  const StartupState &state = Startup();
  if (requireAdminRights != 1 || !IsNtFamily(ActingOsCode()) || state.isAdministrator) return;
  if (!Unattended().elevated) RelaunchAndLeave();
  AwaitHandOver();
}

bool RelaunchElevated(const std::string &file, const std::string &parameters,
                      ProcessHandle *process) {
  std::string target = file;
  if (target.empty()) GetOwnExecutablePath(&target);
  return LaunchElevatedProcess(target, parameters, process);
}

void EnsureSingleInstance() {
  bool alreadyExisted = false;
  Startup().instanceMutex = CreateNamedMutex(kInstanceMutexName, false, &alreadyExisted);
  if (alreadyExisted) {
    SetExitCode(kExitAnotherInstallation);
    ShowMessage(NULL,
                "Another installation is already in progress. Please finish the active "
                "installation and run this installer again.",
                "Information", kButtonsOk, kIconInformation);
    CleanExit();
  }
}
