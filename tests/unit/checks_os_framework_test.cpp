// The operating-system, .NET Framework and Internet Explorer requirements.
#include "checks/framework_requirements.h"
#include "checks/os_requirements.h"
#include "tests/unit/checks_test_support.h"

namespace {

const std::string kNetSetup = "Software\\Microsoft\\NET Framework Setup\\NDP\\";
const std::string kIeKey = "Software\\Microsoft\\Internet Explorer";

ScriptSettings AllSystemsAllowed() {
  ScriptSettings s;
  s.Win95 = s.WinNT4 = s.Win98 = s.WinMe = s.Win2000 = 1;
  s.WinXP = s.Win2003 = s.WinVista = s.Win2008 = s.Win7 = 1;
  return s;
}

TEST_F(CheckTest, EachListedSystemIsRefusedByItsOwnFlagOnly) {
  // Each OS code and the script key that allows it, written out here so that
  // a code mapped to the wrong key is caught.
  const struct {
    int code;
    int32_t ScriptSettings::*flag;
  } systems[] = {{10, &ScriptSettings::Win95},    {20, &ScriptSettings::WinNT4},
                 {30, &ScriptSettings::Win98},    {40, &ScriptSettings::WinMe},
                 {50, &ScriptSettings::Win2000},  {60, &ScriptSettings::WinXP},
                 {65, &ScriptSettings::Win2003},  {70, &ScriptSettings::WinVista},
                 {75, &ScriptSettings::Win2008},  {80, &ScriptSettings::Win7}};
  for (const auto &system : systems) {
    ScriptSettings s = AllSystemsAllowed();
    env.osCode = system.code;
    EXPECT_EQ(CheckOsRequirements(s, env), kCheckContinue) << system.code;
    s.*system.flag = 0;
    EXPECT_EQ(CheckOsRequirements(s, env), kCheckEndInstaller) << system.code;
    for (const auto &other : systems) {
      if (other.code == system.code) continue;
      env.osCode = other.code;
      EXPECT_EQ(CheckOsRequirements(s, env), kCheckContinue) << system.code << " " << other.code;
    }
  }
  ASSERT_FALSE(machine.shown.empty());
  EXPECT_EQ(machine.shown[0].caption, "Information");
  EXPECT_EQ(machine.shown[0].text,
            "We are sorry, this program cannot be installed on the operating system you use.");
  EXPECT_EQ(machine.shown[0].icon, kCheckIconInformation);
  EXPECT_EQ(machine.shown[0].buttons, kCheckButtonsOk);
}

TEST_F(CheckTest, LaterSystemsPassWhateverTheFlagsSay) {
  ScriptSettings none;  // all ten flags missing, so 0
  env.osCode = 100;
  EXPECT_EQ(CheckOsRequirements(none, env), kCheckContinue);
  env.osCode = 80;
  EXPECT_EQ(CheckOsRequirements(none, env), kCheckEndInstaller);
}

TEST_F(CheckTest, SixtyFourBitRefusalOnlyForInstallerTypeOne) {
  ScriptSettings s = AllSystemsAllowed();
  machine.is64Bit = 1;
  s.RequirementsInstallerType = 0;
  EXPECT_EQ(CheckOsRequirements(s, env), kCheckContinue);
  s.RequirementsInstallerType = 2;
  EXPECT_EQ(CheckOsRequirements(s, env), kCheckContinue);
  EXPECT_EQ(machine.is64BitAsked, 0);
  s.RequirementsInstallerType = 1;
  EXPECT_EQ(CheckOsRequirements(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].text,
            "We are sorry but this program cannot be installed on 64-bit operating systems.");
  machine.is64Bit = 0;
  EXPECT_EQ(CheckOsRequirements(s, env), kCheckContinue);
}

TEST_F(CheckTest, OsFlagsOfItemsApplyByCodeAndAlwaysOnLaterSystems) {
  OsFlags flags;
  flags.WinMe = 1;
  flags.WinServer2008 = 1;
  EXPECT_TRUE(OsFlagsApply(flags, 40));
  EXPECT_TRUE(OsFlagsApply(flags, 75));
  EXPECT_FALSE(OsFlagsApply(flags, 80));
  EXPECT_FALSE(OsFlagsApply(flags, 65));
  EXPECT_TRUE(OsFlagsApply(OsFlags(), 100));
}

TEST_F(CheckTest, DotNetClientProfileIsNotTheFullFrameworkButCountsAsLater) {
  SetValue(kRootLocalMachine, kNetSetup + "v4\\Client", "Install", "1");
  ScriptSettings s;
  s.DotNETVersion = 6;
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Requirements not met");
  EXPECT_EQ(machine.shown[0].icon, kCheckIconExclamation);
  EXPECT_EQ(machine.shown[0].text,
            "We are sorry, this program requires the .NET Framework version 4.0 in order to run "
            "on your computer.\r\n\r\nPlease install it and retry the installation.");
  for (int code = 7; code <= 12; code++) {
    s.DotNETVersion = code;
    EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckContinue) << code;
  }
}

TEST_F(CheckTest, DotNetProbesNeedTheExactText) {
  ScriptSettings s;
  s.DotNETVersion = 1;
  SetValue(kRootLocalMachine, "Software\\Microsoft\\.NETFramework\\Policy\\v1.0", "3705", "3321-3706");
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  SetValue(kRootLocalMachine, "Software\\Microsoft\\.NETFramework\\Policy\\v1.0", "3705", "3321-3705");
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckContinue);
  s.DotNETVersion = 4;
  SetValue(kRootLocalMachine, kNetSetup + "v3.0\\Setup", "InstallSuccess", "0");
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  SetValue(kRootLocalMachine, kNetSetup + "v3.0\\Setup", "InstallSuccess", "1");
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckContinue);
}

TEST_F(CheckTest, DotNetOrLaterNamesTheFirstVersionAndUnlistedCodesAskNothing) {
  ScriptSettings s;
  SetValue(kRootLocalMachine, kNetSetup + "v1.1.4322", "Install", "1");
  s.DotNETVersion = 10;  // 2.0 or later: 1.1 does not do
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].text,
            "We are sorry, this program requires the .NET Framework version 2.0 (or newer) in "
            "order to run on your computer.\r\n\r\nPlease install it and retry the installation.");
  s.DotNETVersion = 9;
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckContinue);
  for (int32_t code : {0, 13, -1, 100}) {
    s.DotNETVersion = code;
    EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckContinue) << code;
  }
  EXPECT_EQ(machine.shown.size(), 1u);
}

TEST_F(CheckTest, WebPageOpensOnlyWhenAskedWithAnAddress) {
  ScriptSettings s;
  s.DotNETVersion = 3;
  s.DotNETVisitWebpage = 1;
  s.DotNETWebpageAddress = "  ";
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  EXPECT_TRUE(machine.opened.empty());
  s.DotNETWebpageAddress = " http://example.com/net ";
  s.DotNETVisitWebpage = 2;
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  EXPECT_TRUE(machine.opened.empty());
  s.DotNETVisitWebpage = 1;
  EXPECT_EQ(CheckDotNetRequirement(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.opened.size(), 1u);
  EXPECT_EQ(machine.opened[0], " http://example.com/net ");  // untrimmed
}

TEST_F(CheckTest, BrowserVersionComparesTheFirstCharacterOnly) {
  ScriptSettings s;
  s.IEVersion = 6;  // exactly 9
  SetValue(kRootLocalMachine, kIeKey, "Version", "9.10.9200.16384");
  EXPECT_EQ(CheckBrowserRequirement(s, env), kCheckContinue);
  s.IEVersion = 7;  // 4 or later
  EXPECT_EQ(CheckBrowserRequirement(s, env), kCheckContinue);
  SetValue(kRootLocalMachine, kIeKey, "Version", "10.0");
  EXPECT_EQ(CheckBrowserRequirement(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Requirements not met");
  EXPECT_EQ(machine.shown[0].text,
            "We are sorry, this program requires Internet Explorer version 4 or newer in order "
            "to run on your computer.\r\n\r\nPlease install it and retry the installation.");
  s.IEVersion = 4;
  s.IEVisitWebpage = 1;
  s.IEWebpageAddress = "http://example.com/ie";
  machine.values.clear();
  EXPECT_EQ(CheckBrowserRequirement(s, env), kCheckEndInstaller);
  EXPECT_EQ(machine.shown.back().text,
            "We are sorry, this program requires Internet Explorer version 7 in order to run on "
            "your computer.\r\n\r\nPlease install it and retry the installation.");
  EXPECT_EQ(machine.opened, std::vector<std::string>{"http://example.com/ie"});
}

TEST(RequirementTables, CodesNameTheirProbesAndTexts) {
  VersionRequirement r;
  ASSERT_TRUE(FindDotNetRequirement(7, &r));
  EXPECT_EQ(r.firstProbe, 6);
  EXPECT_EQ(r.lastProbe, 6);
  EXPECT_EQ(r.failureText, 9);
  EXPECT_STREQ(r.versionName, "4.0 Client Profile");
  ASSERT_TRUE(FindDotNetRequirement(12, &r));
  EXPECT_EQ(r.firstProbe, 4);
  EXPECT_EQ(r.lastProbe, 6);
  EXPECT_EQ(r.failureText, 10);
  EXPECT_STREQ(r.versionName, "3.5");
  ASSERT_TRUE(FindBrowserRequirement(11, &r));
  EXPECT_EQ(r.firstProbe, 4);
  EXPECT_EQ(r.lastProbe, 5);
  EXPECT_EQ(r.failureText, 12);
  EXPECT_STREQ(r.versionName, "8");
  EXPECT_FALSE(FindBrowserRequirement(12, &r));
  EXPECT_FALSE(FindBrowserRequirement(0, &r));
  EXPECT_FALSE(BrowserVersionPasses("", 0));
  EXPECT_TRUE(BrowserVersionPasses("4.72", 0));
}

}  // namespace
