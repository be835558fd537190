// The text of the review page: the choices made on the earlier pages, in
// the chosen language.
#ifndef QVS_WIZARD_SUMMARY_TEXT_H
#define QVS_WIZARD_SUMMARY_TEXT_H

#include <string>
#include <vector>

#include "wizard/tree_states.h"

// Everything the summary reports, read from the pages when the review page
// is entered.
struct SummaryInputs {
  int installType = 0;     // 0 default, 1 full, 2 custom
  int componentCount = 0;  // components the script defines
  std::vector<TreeRow> rows;  // the component tree, in tree order
  std::string installFolder;  // the folder field as typed
  bool allUsers = false;      // option 180 set
  int CreateGroup = 0;
  bool noGroupChecked = false;  // box 207
  std::string groupName;        // the group field as typed
  int DesktopShortcutCount = 0;
  int QuickLaunchShortcutCount = 0;
  bool desktopChecked = false;      // box 230
  bool quickLaunchChecked = false;  // box 231
};

// The summary, lines ending in CR LF, with the language strings of the
// current table (42 to 55).
std::string BuildSummaryText(const SummaryInputs &inputs);

#endif
