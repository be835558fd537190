#include "wizard/summary_text.h"

#include "script/ansi_text.h"
#include "script/language_strings.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kIndent[] = "     ";
const char kComponentIndent[] = "        ";

// String numbers of the summary's headings and values.
const int kInstallTypeNames = 42;  // 42, 43, 44 for types 0, 1, 2
const int kInstallTypeHeading = 45;
const int kComponentsHeading = 46;
const int kFolderHeading = 47;
const int kModeHeading = 48;
const int kModeAllUsers = 49;
const int kModeCurrentUser = 50;
const int kGroupHeading = 51;
const int kGroupNone = 52;
const int kTasksHeading = 53;
const int kDesktopTask = 54;
const int kQuickLaunchTask = 55;

void AppendLine(std::string *text, const std::string &line) {
  *text += line;
  *text += kLineEnd;
}

// A heading, its indented value and the empty line that ends the block.
void AppendBlock(std::string *text, int heading, const std::string &value) {
  AppendLine(text, LangString(heading));
  AppendLine(text, kIndent + value);
  *text += kLineEnd;
}

std::string InstallTypeName(int installType) {
  if (installType < 0 || installType > 2) return std::string();
  return LangString(kInstallTypeNames + installType);
}

void AppendComponents(std::string *text, const std::vector<TreeRow> &rows) {
  AppendLine(text, LangString(kComponentsHeading));
  for (const TreeRow &row : rows) {
    if (row.level == 0)
      AppendLine(text, kIndent + row.text + ":");
    else if (row.state == kRowLocked || row.state == kRowSelected)
      AppendLine(text, kComponentIndent + row.text);
  }
  *text += kLineEnd;
}

void AppendTasks(std::string *text, const SummaryInputs &in) {
  bool desktop = in.DesktopShortcutCount > 0 && in.desktopChecked;
  bool quickLaunch = in.QuickLaunchShortcutCount > 0 && in.quickLaunchChecked;
  if (!desktop && !quickLaunch) return;
  AppendLine(text, LangString(kTasksHeading));
  if (desktop) AppendLine(text, kIndent + LangString(kDesktopTask));
  if (quickLaunch) AppendLine(text, kIndent + LangString(kQuickLaunchTask));
}

}  // namespace

std::string BuildSummaryText(const SummaryInputs &in) {
  std::string text;
  AppendBlock(&text, kInstallTypeHeading, InstallTypeName(in.installType));
  if (in.componentCount > 1) AppendComponents(&text, in.rows);
  AppendBlock(&text, kFolderHeading, in.installFolder);
  AppendBlock(&text, kModeHeading, LangString(in.allUsers ? kModeAllUsers : kModeCurrentUser));
  bool group = in.CreateGroup == 1 && !in.noGroupChecked;
  AppendBlock(&text, kGroupHeading, group ? TrimSpaces(in.groupName) : LangString(kGroupNone));
  AppendTasks(&text, in);
  return text;
}
