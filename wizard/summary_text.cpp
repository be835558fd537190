#include "wizard/summary_text.h"

#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "script/string_ids.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kIndent[] = "     ";
const char kComponentIndent[] = "        ";

// String numbers of the summary's headings and values.

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
  return LangString(kStrInstallTypeDefault + installType);
}

void AppendComponents(std::string *text, const std::vector<TreeRow> &rows) {
  AppendLine(text, LangString(kStrSummaryComponents));
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
  AppendLine(text, LangString(kStrSummaryTasks));
  if (desktop) AppendLine(text, kIndent + LangString(kStrSummaryDesktop));
  if (quickLaunch) AppendLine(text, kIndent + LangString(kStrSummaryQuickLaunch));
}

}  // namespace

std::string BuildSummaryText(const SummaryInputs &in) {
  std::string text;
  AppendBlock(&text, kStrSummaryInstallType, InstallTypeName(in.installType));
  if (in.componentCount > 1) AppendComponents(&text, in.rows);
  AppendBlock(&text, kStrSummaryFolder, in.installFolder);
  AppendBlock(&text, kStrSummaryMode, LangString(in.allUsers ? kStrSummaryAllUsers : kStrSummaryCurrentUser));
  bool group = in.CreateGroup == 1 && !in.noGroupChecked;
  AppendBlock(&text, kStrSummaryGroup, group ? TrimSpaces(in.groupName) : LangString(kStrSummaryNone));
  AppendTasks(&text, in);
  return text;
}
