// The exit codes of an unattended (silent) run, in the conventions that
// deployment tools read (those of Windows Installer where one exists).
// Interactive runs always end with 0.
#ifndef QVS_ENGINE_STATE_EXIT_CODES_H
#define QVS_ENGINE_STATE_EXIT_CODES_H

enum InstallerExitCode {
  kExitSuccess = 0,
  kExitCancelled = 1602,          // the run was stopped (a quit or close request)
  kExitFatalError = 1603,         // a fatal error; what was written is rolled back
  kExitAnotherInstallation = 1618,
  kExitPlatformUnsupported = 1633,  // this Windows version or platform
  kExitInvalidCommandLine = 1639,   // a switch or an answer the installer refuses
  kExitRestartRequired = 3010,      // success; a restart completes it
  // A requirement of the product that the machine does not meet.
  kExitDotNetMissing = 10101,
  kExitBrowserMissing = 10102,
  kExitHardwareBelowRequirements = 10103,
  kExitDependencyMissing = 10104,
  kExitProductRunning = 10105,
  kExitEarlierInstallation = 10106,
  kExitNotEnoughSpace = 10107,
};

#endif
