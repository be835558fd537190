#include "startup/guards.h"

#include "checks/os_codes.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/mutexes.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "startup/command_line.h"
#include "engine/state/exit_codes.h"
#include "engine/state/exits.h"
#include "engine/state/install_log.h"
#include "engine/state/unattended_options.h"
#include "engine/state/startup_state.h"

namespace {

// Standard rights plus connect, create service, enumerate service and lock.
const uint32_t kServiceManagerAdminAccess = 0x000F000F;
const char kElevationMutexName[] = "QuorvantisInstallerElevation";
const char kInstanceMutexName[] = "QuorvantisInstaller";
// How long the relaunched copy waits for the first copy to end.
const uint32_t kElevationHandOverWait = 10000;
const uint32_t kElevationSettleTime = 500;

// The copy the user started: hold the hand-over mutex while the elevated
// copy starts, so that it waits until this one has gone. The mutex is not
// released then: the system releases it when this process has ended (the
// waiting copy accepts it as abandoned), which is the moment to wait for.
[[noreturn]] void RelaunchAndLeave() {
  MutexHandle handOver = CreateNamedMutex(kElevationMutexName, true, NULL);
  std::string ownPath;
  GetOwnExecutablePath(&ownPath);
  // The elevated copy gets every switch this one was given.
  const UnattendedOptions &options = Unattended();
  std::string parameters = kElevatedSwitch;
  if (!options.switches.empty()) parameters += " " + options.switches;
  if (!options.silent) {
    RelaunchElevated(ownPath, parameters);
    CleanExit();
  }
  // A silent run's caller waits for this process: it waits for the
  // elevated copy in turn and ends with that copy's exit code, so the
  // elevated copy must not wait for it.
  ReleaseOwnedMutex(handOver);
  CloseMutexHandle(&handOver);
  uint32_t code = kExitFatalError;
  LogLine("Relaunching with administrator rights");
  CloseInstallLog();
  if (!LaunchWithRunAsAndWait(ownPath, parameters, &code)) code = kExitFatalError;
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

void RelaunchElevated(const std::string &file, const std::string &parameters) {
  std::string target = file;
  if (target.empty()) GetOwnExecutablePath(&target);
  LaunchWithRunAs(target, parameters);
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
