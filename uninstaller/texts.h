// The uninstaller's texts: the fifteen lines of the data file's
// [LocalizationUninstall] (the chosen language's uninstaller strings, kept
// as the language file has them), made ready to show, and the few fixed
// texts for when there is no data file to take them from. Portable.
#ifndef QVS_UNINSTALLER_TEXTS_H
#define QVS_UNINSTALLER_TEXTS_H

#include <string>

#include "format/uninstaller_data.h"

// The lines by number, l1 to l15, with the English language file's wording.
enum UninstallerText {
  kTextInformation = 1,      // "Information": caption of the final message
  kTextUninstalled = 2,      // "The program was successfully uninstalled ..."
  kTextActiveMutex = 3,      // "Active mutex: $P<br>"
  kTextOpenWindow = 4,       // "Open window: $P<br>"
  kTextActiveProgramsCaption = 5,  // "Active programs check"
  kTextActivePrograms = 6,   // "Uninstall has detected active programs ... $P"
  kTextUninstall = 7,        // "Uninstall": caption of the question
  kTextAreYouSure = 8,       // "Are you sure you want to uninstall $APPNAME$?"
  kTextWindowTitle = 9,      // "$APPNAME$ - Uninstall"
  kTextError = 10,           // "Error"
  kTextWindowFailed = 11,    // "Error opening main window!"
  kTextPleaseWait = 12,      // "Please wait while the program is being uninstalled ..."
  kTextCancel = 13,          // "Cancel"
  kTextRebootCaption = 14,   // "Reboot needed"
  kTextRebootQuestion = 15,  // "In order to finish the uninstallation ..."
};

// Line `text` of the data file: every "<br>" (any letter case) made a line
// break (CR LF) and every "$APPNAME$" (any case) the program's name. A line
// the file lacks reads as the English one.
std::string UninstallerString(const UninstallerData &data, UninstallerText text);

// Fixed texts, shown before (or without) a readable data file.
extern const char kFixedErrorCaption[];
extern const char kFixedInformationCaption[];
extern const char kNeedAdministratorText[];
extern const char kAnotherUninstallationText[];

// Why the data file could not be used.
enum DataFileProblem {
  kDataFileMissing,
  kDataFileUnreadable,
  kDataFileDamaged,
  // Users who are not administrators could change it (or the folder that
  // holds it), and the uninstaller runs with administrator rights.
  kDataFileUnguarded,
};
// The message for an uninstaller program that users who are not
// administrators could change, while it runs with administrator rights.
std::string UnguardedProgramMessage(const std::string &path);
// The message for a data file that cannot be used: what, where, and that
// nothing was changed; `detail` is the reader's account of the damage.
std::string DataFileMessage(DataFileProblem problem, const std::string &path,
                            const std::string &detail);

#endif
