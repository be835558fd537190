// The numbers of the language strings, one name each, as control_ids.h names
// the control numbers. A language file's key lN holds string N; the words in
// the comments are the English file's.
//
// Installer strings are read with LangString (language_strings.h); the
// uninstaller strings are entries 1 to 15 of UninstallerStrings, which the
// installer hands on unconverted and the uninstaller reads from its data
// file.
#ifndef QVS_SCRIPT_STRING_IDS_H
#define QVS_SCRIPT_STRING_IDS_H

enum InstallerStringId {
  kStrErrorCaption = 1,              // "Error"
  kStrScriptUnreadable = 2,          // "Error parsing script data!"
  kStrInformationCaption = 3,        // "Information"
  kStrBelowRecommended = 4,          // recommended requirements not met
  kStrOsNotDesigned = 5,             // not designed for this operating system
  kStrOsRefused = 6,                 // cannot be installed on this operating system
  kStrNo64Bit = 7,                   // not on 64-bit systems
  kStrRequirementsCaption = 8,       // "Requirements not met"
  kStrDotNetExact = 9,
  kStrDotNetOrNewer = 10,
  kStrIeExact = 11,
  kStrIeOrNewer = 12,
  kStrBelowMinimum = 13,             // minimum requirements not met
  kStrProcessorLine = 14,
  kStrMemoryLine = 15,
  kStrContinueAnyway = 16,
  kStrFileVersionLine = 17,
  kStrFileMissingLine = 18,
  kStrKeyMissingLine = 19,
  kStrValueMissingLine = 20,
  kStrDependencyCaption = 21,        // "Dependency check"
  kStrDependencyMissing = 22,
  kStrActiveMutexLine = 23,
  kStrOpenWindowLine = 24,
  kStrActiveProgramsCaption = 25,    // "Active programs check"
  kStrActivePrograms = 26,
  kStrExistingCaption = 27,          // "Existing installation check"
  kStrExistingInstalled = 28,
  kStrDateMask = 29,                 // "%mm/%dd/%yy, %hh:%ii:%ss"
  kStrReplaceFileLine = 30,          // "$P, $Q bytes<br>Modified $R"
  kStrReplaceCaption = 31,           // "Confirm file replace"
  kStrWindowError = 32,              // "Error opening window."
  kStrReplaceExisting = 33,          // the folder already contains the file
  kStrReplaceQuestion = 34,          // replace it with the file in the package?
  kStrYes = 35,
  kStrYesToAll = 36,
  kStrNo = 37,
  kStrNoToAll = 38,
  kStrRequired = 39,                 // "(required)"
  kStrRequiredSpace = 40,            // "Required space: $P"
  kStrAvailableSpace = 41,           // "Available space: $P"
  kStrInstallTypeDefault = 42,       // 42, 43, 44: install types 0, 1, 2
  kStrInstallTypeFull = 43,
  kStrInstallTypeCustom = 44,
  kStrSummaryInstallType = 45,
  kStrSummaryComponents = 46,
  kStrSummaryFolder = 47,
  kStrSummaryMode = 48,
  kStrSummaryAllUsers = 49,
  kStrSummaryCurrentUser = 50,
  kStrSummaryGroup = 51,
  kStrSummaryNone = 52,
  kStrSummaryTasks = 53,
  kStrSummaryDesktop = 54,
  kStrSummaryQuickLaunch = 55,
  kStrRollingBack = 56,              // "Rolling back installation..."
  kStrInstallCancelled = 57,         // cancelled before the program could be installed
  kStrFinishingInstallation = 58,    // "Finishing installation..."
  kStrWarningCaption = 59,           // "Warning"
  kStrUninstallerNotCreated = 60,
  kStrRemainingTime = 61,            // "Estimated remaining time: $P"
  kStrHour = 62,                     // 62 to 68: the remaining time's words
  kStrHours = 63,
  kStrMinute = 64,
  kStrMinutes = 65,
  kStrSecond = 66,
  kStrSeconds = 67,
  kStrNotAvailable = 68,             // "n/a"
  kStrExtracting = 69,               // "Extracting: $P ($Q%)"
  kStrDecompressionError = 70,
  kStrMemoryError = 71,
  kStrCannotWrite = 72,              // Abort, Retry or Ignore
  kStrInternalError = 73,
  kStrCrcError = 74,                 // Continue?
  kStrSkipping = 75,                 // "Skipping: $P"
  kStrArchiveUnreadable = 76,        // "Error reading compressed installer data!"
  kStrPreparing = 77,                // "Preparing installation..."
  kStrUninstallShortcut = 78,        // "Uninstall program"
  kStrRunningPrerequisites = 79,     // "Running prerequisites..."
  kStrConfirmCaption = 80,           // "Please confirm"
  kStrConfirmCancel = 81,            // stop the installation now?
  kStrConfiguring = 82,              // "Configuring your new software installation..."
  kStrDesktopShortcut = 83,
  kStrDesktopShortcuts = 84,
  kStrQuickLaunchShortcut = 85,
  kStrQuickLaunchShortcuts = 86,
  kStrHeaderTitleBase = 85,          // page p's header: title 85 + 2p, subtitle 86 + 2p
  kStrBackgroundCorrupt = 105,
  kStrDefaultWindowTitle = 106,      // "$APPNAME$ Setup"
  kStrBack = 107,
  kStrNext = 108,
  kStrCancel = 109,
  kStrFinish = 110,
  kStrWelcomeTitle = 111,
  kStrWelcomeText = 112,
  kStrLicenseIntro = 113,
  kStrLicenseAccept = 114,
  kStrInformationIntro = 115,
  kStrComponentsIntro = 116,
  kStrInstallTypeLabel = 117,
  kStrComponentsLabel = 118,
  kStrDescriptionFrame = 119,
  kStrDescriptionHint = 120,
  kStrInstallFolderIntro = 121,
  kStrInstallFolderFrame = 122,
  kStrBrowse = 123,
  kStrInstallModeIntro = 124,
  kStrInstallForAll = 125,
  kStrInstallJustForMe = 126,
  kStrStartMenuIntro = 127,
  kStrNoGroup = 128,
  kStrTasksIntro = 129,
  kStrDesktopBox = 130,
  kStrQuickLaunchBox = 131,
  kStrReviewIntro = 132,
  kStrInstallingStatus = 133,
  kStrFinishTitle = 134,
  kStrRestartBox = 135,              // 135 to 140: the finish boxes 303 to 308
  kStrLaunchBox = 136,
  kStrDocumentationBox = 137,
  kStrReadmeBox = 138,
  kStrLicenseBox = 139,
  kStrWebsiteBox = 140,
  kStrFinishText = 141,              // "The program was successfully installed. ..."
  kStrFolderPickerTitle = 142,
  kStrNoDescription = 143,
  kStrNoSpace = 144,
  kStrBadFolder = 145,
  kStrInvalidInstallPath = 146,      // "Invalid installation path: ..."
  kStrBadGroupName = 147,
  kStrCannotContinue = 148,          // "The installation process cannot continue."
};

// The uninstaller's strings, the LanguageDataUninstaller group.
enum UninstallerStringId {
  kUnStrInformationCaption = 1,      // "Information"
  kUnStrUninstalled = 2,             // successfully uninstalled
  kUnStrActiveMutexLine = 3,
  kUnStrOpenWindowLine = 4,
  kUnStrActiveProgramsCaption = 5,
  kUnStrActivePrograms = 6,
  kUnStrUninstallCaption = 7,        // "Uninstall"
  kUnStrConfirm = 8,                 // "Are you sure you want to uninstall $APPNAME$?"
  kUnStrWindowTitle = 9,             // "$APPNAME$ - Uninstall"
  kUnStrErrorCaption = 10,
  kUnStrWindowError = 11,
  kUnStrPleaseWait = 12,
  kUnStrCancel = 13,
  kUnStrRebootCaption = 14,          // "Reboot needed"
  kUnStrRebootQuestion = 15,
};

#endif
