// The elevated copy is recognised by its first parameter only.
#include "startup/command_line.h"
#include "tests/stub/stub_check.h"

STUB_TEST(FirstParameterFollowsQuotedOrPlainProgramName) {
  CHECK(FirstCommandLineParameter("\"C:\\My Files\\setup.exe\" -elevated") == kElevatedSwitch);
  CHECK(FirstCommandLineParameter("setup.exe -elevated") == kElevatedSwitch);
  CHECK(FirstCommandLineParameter("  setup.exe \t -elevated more") == kElevatedSwitch);
  CHECK(FirstCommandLineParameter("setup.exe \"-elevated\"") == kElevatedSwitch);
  CHECK(FirstCommandLineParameter("\"setup.exe\"-elevated") == kElevatedSwitch);
}

STUB_TEST(OtherParametersAreNotTheSwitch) {
  CHECK(FirstCommandLineParameter("setup.exe").empty());
  CHECK(FirstCommandLineParameter("\"C:\\a b\\setup.exe\"").empty());
  CHECK(FirstCommandLineParameter("").empty());
  CHECK(FirstCommandLineParameter("setup.exe -Elevated") != kElevatedSwitch);
  CHECK(FirstCommandLineParameter("setup.exe -elevatedx") != kElevatedSwitch);
  CHECK(FirstCommandLineParameter("setup.exe x -elevated") == "x");
  CHECK(FirstCommandLineParameter("\"unterminated -elevated").empty());
}
