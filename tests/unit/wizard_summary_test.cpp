// The review page's summary, with the English language file's strings.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"
#include "wizard/summary_text.h"

namespace {

std::string SourceRoot() {
  std::string path(__FILE__);
  const size_t at = path.rfind("tests/unit/");
  return at == std::string::npos ? std::string("./") : path.substr(0, at);
}

class SummaryText : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(SourceRoot() + "lang/English.lng", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    LanguageFile english = ReadLanguageFile(text.str());
    ResetLanguageStrings();
    ASSERT_GT(LoadLanguageStrings({english}, "English"), 0);
    ClearDocument();
  }
  void TearDown() override { ResetLanguageStrings(); }
};

TreeRow Row(int level, int state, const std::string &text) {
  TreeRow row;
  row.level = level;
  row.state = state;
  row.text = text;
  return row;
}

TEST_F(SummaryText, OneComponentNoGroupNoShortcuts) {
  SummaryInputs in;
  in.componentCount = 1;
  in.rows = {Row(0, 3, "Program"), Row(1, 0, "Core (required)")};
  in.installFolder = "C:\\Program Files\\App\\";
  in.allUsers = false;
  in.CreateGroup = 0;
  in.groupName = "App";
  EXPECT_EQ(
      "Selected installation type:\r\n     Default\r\n\r\n"
      "Installation directory:\r\n     C:\\Program Files\\App\\\r\n\r\n"
      "Installation mode:\r\n     Program will be installed only for the current user\r\n\r\n"
      "Start menu group:\r\n     None\r\n\r\n",
      BuildSummaryText(in));
}

TEST_F(SummaryText, FullSelectionWithComponentsGroupAndShortcuts) {
  SummaryInputs in;
  in.installType = 1;
  in.componentCount = 3;
  in.rows = {Row(0, 3, "Program"), Row(1, 0, "Core (required)"), Row(1, 3, "Help"),
             Row(0, 1, "Extras"), Row(1, 1, "Samples")};
  in.installFolder = "D:\\App\\";
  in.allUsers = true;
  in.CreateGroup = 1;
  in.groupName = "  My App  ";
  in.DesktopShortcutCount = 1;
  in.desktopChecked = true;
  in.QuickLaunchShortcutCount = 2;
  in.quickLaunchChecked = true;
  EXPECT_EQ(
      "Selected installation type:\r\n     Full\r\n\r\n"
      "The following components will be installed:\r\n"
      "     Program:\r\n        Core (required)\r\n        Help\r\n     Extras:\r\n\r\n"
      "Installation directory:\r\n     D:\\App\\\r\n\r\n"
      "Installation mode:\r\n     Program will be installed for all the users\r\n\r\n"
      "Start menu group:\r\n     My App\r\n\r\n"
      "Additional tasks:\r\n     Desktop shortcuts will be created\r\n"
      "     Quick-Launch shortcuts will be created\r\n",
      BuildSummaryText(in));
}

TEST_F(SummaryText, TasksNeedACountedAndTickedShortcut) {
  SummaryInputs in;
  in.installType = 2;
  in.CreateGroup = 1;
  in.noGroupChecked = true;
  in.groupName = "App";
  in.DesktopShortcutCount = 1;
  in.desktopChecked = false;
  in.QuickLaunchShortcutCount = 0;
  in.quickLaunchChecked = true;  // ticked but not counted: no line
  std::string text = BuildSummaryText(in);
  EXPECT_NE(std::string::npos, text.find("     Custom\r\n"));
  EXPECT_NE(std::string::npos, text.find("Start menu group:\r\n     None\r\n"));
  EXPECT_EQ(std::string::npos, text.find("Additional tasks:"));
  in.QuickLaunchShortcutCount = 1;
  text = BuildSummaryText(in);
  EXPECT_NE(std::string::npos,
            text.find("\r\n\r\nAdditional tasks:\r\n     Quick-Launch shortcuts will be created\r\n"));
  EXPECT_EQ(std::string::npos, text.find("Desktop shortcuts"));
}

}  // namespace
