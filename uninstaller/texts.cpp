#include "uninstaller/texts.h"

#include "script/ansi_text.h"

namespace {

// The English language file's uninstaller strings, l1 to l15.
const char *const kEnglish[] = {
    "Information",
    "The program was successfully uninstalled from your computer.",
    "Active mutex: $P<br>",
    "Open window: $P<br>",
    "Active programs check",
    "Uninstall has detected active programs on your computer. Please close all active programs "
    "so Setup can remove the relevant files.<br><br>Details:<br>$P",
    "Uninstall",
    "Are you sure you want to uninstall $APPNAME$?",
    "$APPNAME$ - Uninstall",
    "Error",
    "Error opening main window!",
    "Please wait while the program is being uninstalled from your computer...",
    "Cancel",
    "Reboot needed",
    "In order to finish the uninstallation your computer must be restarted. Please save all "
    "your work and press 'Yes' to reboot now or press 'No' if you plan to manually reboot later.",
};
const size_t kEnglishCount = sizeof kEnglish / sizeof kEnglish[0];

const char kLineBreakTag[] = "<br>";
const char kLineBreak[] = "\r\n";
const char kProgramNameTag[] = "$APPNAME$";

}  // namespace

const char kFixedErrorCaption[] = "Error";
const char kFixedInformationCaption[] = "Information";
const char kNeedAdministratorText[] =
    "You must have Administrator rights to uninstall this program. On some systems you have to "
    "explicitly grant Administrator rights to the uninstaller by right-clicking the file and "
    "selecting 'Run as Administrator' from the context menu.";
const char kAnotherUninstallationText[] =
    "Another uninstallation is already in progress. Please wait until it has finished and run "
    "this uninstaller again.";

std::string UninstallerString(const UninstallerData &data, UninstallerText text) {
  const size_t index = (size_t)text - 1;
  std::string line;
  if (index < data.localization.size())
    line = data.localization[index];
  else if (index < kEnglishCount)
    line = kEnglish[index];
  line = ReplaceIgnoringCase(line, kLineBreakTag, kLineBreak);
  return ReplaceIgnoringCase(line, kProgramNameTag, data.config.ProgramName);
}

std::string DataFileMessage(DataFileProblem problem, const std::string &path,
                            const std::string &detail) {
  std::string what;
  switch (problem) {
    case kDataFileMissing: what = "The uninstaller cannot find its data file:"; break;
    case kDataFileUnreadable: what = "The uninstaller cannot read its data file:"; break;
    case kDataFileDamaged: what = "The uninstaller's data file is damaged:"; break;
    case kDataFileUnguarded:
      what = "The uninstaller runs with administrator rights, but users who are not "
             "administrators can change its data file (or the folder that holds it), so the "
             "file cannot be trusted:";
      break;
  }
  std::string text = what + "\r\n" + path;
  if (!detail.empty()) text += "\r\n(" + detail + ")";
  if (problem == kDataFileUnguarded)
    text += "\r\n\r\nAn administrator can allow only administrators to change the folder and "
            "run the uninstaller again.";
  return text + "\r\n\r\nNothing was removed.";
}

std::string UnguardedProgramMessage(const std::string &path) {
  return "The uninstaller runs with administrator rights, but users who are not administrators "
         "can change its program (or the folder that holds it), so it cannot be trusted:\r\n" +
         path +
         "\r\n\r\nAn administrator can allow only administrators to change the folder and run "
         "the uninstaller again.\r\n\r\nNothing was removed.";
}
