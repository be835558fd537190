// The unattended installation's command line: the switches administrators
// know, quoting, the install folder with spaces at the end of the line,
// and every kind of line the installer must refuse before it writes
// anything.
#include <gtest/gtest.h>

#include "engine/state/install_log.h"
#include "engine/state/unattended_options.h"

TEST(UnattendedOptions, EverySwitchInAnyCase) {
  const UnattendedOptions o = ReadUnattendedOptions(
      "\"C:\\Downloads\\my setup.exe\" /s /Components=1,4, 7 /AllUsers \"/GROUP=Demo Company\\Demo\" "
      "/desktop /QUICKLAUNCH /lang=1031 /LOG=\"C:\\Logs\\setup log.txt\" /NoRestart "
      "/D=C:\\Program Files\\My Product  ");
  // "/Components=1,4," then " 7": the blank ends the word, so 7 is unknown.
  ASSERT_EQ(o.problems.size(), 2u);
  EXPECT_NE(o.problems[0].find("/COMPONENTS"), std::string::npos);
  EXPECT_NE(o.problems[1].find("unknown switch \"7\""), std::string::npos);

  const UnattendedOptions good = ReadUnattendedOptions(
      "setup.exe /s /Components=1,4,7 /AllUsers \"/GROUP=Demo Company\\Demo\" /desktop "
      "/QUICKLAUNCH /lang=1031 /LOG=\"C:\\Logs\\setup log.txt\" /NoRestart "
      "/D=C:\\Program Files\\My Product  ");
  EXPECT_TRUE(good.problems.empty()) << good.problems[0];
  EXPECT_TRUE(good.silent);
  EXPECT_FALSE(good.elevated);
  EXPECT_EQ(good.components, (std::vector<int32_t>{1, 4, 7}));
  EXPECT_EQ(good.scope, kScopeAllUsers);
  EXPECT_EQ(good.group, kGroupNamed);
  EXPECT_EQ(good.groupName, "Demo Company\\Demo");
  EXPECT_EQ(good.desktop, kShortcutsWanted);
  EXPECT_EQ(good.quickLaunch, kShortcutsWanted);
  EXPECT_EQ(good.languageId, 1031);
  EXPECT_EQ(good.logPath, "C:\\Logs\\setup log.txt");
  EXPECT_EQ(good.restart, kRestartNever);
  EXPECT_TRUE(good.hasFolder);
  EXPECT_EQ(good.folder, "C:\\Program Files\\My Product");
  // What an elevated copy receives: the switches as given.
  EXPECT_EQ(good.switches.find("/s /Components=1,4,7"), 0u);
  EXPECT_NE(good.switches.find("/D=C:\\Program Files\\My Product"), std::string::npos);
}

TEST(UnattendedOptions, ElevatedCopyAndQuotedFolder) {
  const UnattendedOptions o =
      ReadUnattendedOptions("\"C:\\a b\\setup.exe\" -elevated /S /D=\"D:\\Apps\\Tool\"");
  EXPECT_TRUE(o.problems.empty());
  EXPECT_TRUE(o.elevated);
  EXPECT_TRUE(o.silent);
  EXPECT_EQ(o.folder, "D:\\Apps\\Tool");
  EXPECT_EQ(o.switches, "/S /D=\"D:\\Apps\\Tool\"");
  // The whole switch quoted, as a program that quotes its arguments gives it.
  const UnattendedOptions quoted =
      ReadUnattendedOptions("setup.exe \"/D=C:\\Silent Demo\" /S");
  EXPECT_TRUE(quoted.problems.empty());
  EXPECT_EQ(quoted.folder, "C:\\Silent Demo");
  EXPECT_TRUE(quoted.silent);
  // A plain run has nothing to say.
  const UnattendedOptions plain = ReadUnattendedOptions("setup.exe");
  EXPECT_FALSE(plain.silent);
  EXPECT_TRUE(plain.problems.empty());
  EXPECT_TRUE(plain.switches.empty());
  // The shortcut boxes: as the tasks page has them unless a switch says.
  EXPECT_EQ(plain.desktop, kShortcutsNotGiven);
  const UnattendedOptions refused = ReadUnattendedOptions("setup.exe /S /NoDesktop /NOQUICKLAUNCH");
  EXPECT_TRUE(refused.problems.empty());
  EXPECT_EQ(refused.desktop, kShortcutsRefused);
  EXPECT_EQ(refused.quickLaunch, kShortcutsRefused);
}

// The elevated copy learns from the user's copy where its log and its
// start requests go; every switch the user gave still reaches it.
TEST(UnattendedOptions, HandoverReachesTheElevatedCopy) {
  const std::string handover = HandoverParameter(4242, 0x1a4, 18446744073709551615ull, 9);
  EXPECT_EQ(handover, "-handover=4242,420,18446744073709551615,9");
  const UnattendedOptions o = ReadUnattendedOptions(
      "\"C:\\a b\\setup.exe\" -elevated " + handover + " /S \"/LOG=C:\\x & y.log\" /D=C:\\P Q");
  EXPECT_TRUE(o.problems.empty()) << o.problems[0];
  EXPECT_TRUE(o.hasHandover);
  EXPECT_EQ(o.handoverProcess, 4242u);
  EXPECT_EQ(o.handoverLog, 420u);
  EXPECT_EQ(o.handoverRequests, 18446744073709551615ull);
  EXPECT_EQ(o.handoverImage, 9u);
  EXPECT_EQ(o.logPath, "C:\\x & y.log");
  EXPECT_EQ(o.switches, "/S \"/LOG=C:\\x & y.log\" /D=C:\\P Q");
  EXPECT_TRUE(ReadUnattendedOptions("setup.exe -elevated -handover=7,0,0,0").problems.empty());
  for (const char *line : {"s -elevated -handover=", "s -elevated -handover=1,2,3",
                           "s -elevated -handover=0,1,2,3", "s -elevated -handover=1,x,2,3",
                           "s -elevated -handover=4294967296,1,2,3",
                           "s -elevated -handover=1,2,18446744073709551616,3",
                           "s -elevated -handover=1,2,3,4,5", "s -elevated -handover=1,2,3,",
                           "s -elevated -handover=1,2,3,4 -handover=1,2,3,4"}) {
    EXPECT_FALSE(ReadUnattendedOptions(line).problems.empty()) << line;
  }
}

TEST(UnattendedOptions, LinesToRefuse) {
  for (const char *line :
       {"setup.exe /X", "setup.exe /S /S", "setup.exe /TYPE=1 /COMPONENTS=2",
        "setup.exe /ALLUSERS /CURRENTUSER", "setup.exe /GROUP=A /NOGROUP",
        "setup.exe /NORESTART /FORCERESTART", "setup.exe /TYPE=3", "setup.exe /TYPE",
        "setup.exe /LANG=abc", "setup.exe /LANG=0", "setup.exe /LANG=70000",
        "setup.exe /COMPONENTS=", "setup.exe /COMPONENTS=1,,2", "setup.exe /COMPONENTS=-1",
        "setup.exe /COMPONENTS=01", "setup.exe /GROUP=", "setup.exe /LOG=", "setup.exe /S=1",
        "setup.exe /D=", "setup.exe S", "setup.exe /desktop /DESKTOP",
        "setup.exe /DESKTOP /NODESKTOP", "setup.exe /NOQUICKLAUNCH /QUICKLAUNCH"}) {
    EXPECT_FALSE(ReadUnattendedOptions(line).problems.empty()) << line;
  }
}

TEST(InstallLog, OneStampedLinePerStep) {
  // 2026-12-07 14:05:09
  EXPECT_EQ(FormatLogLine(1796652309, "Installed C:\\P\\a.txt"),
            "2026-12-07 14:05:09 Installed C:\\P\\a.txt\r\n");
  EXPECT_EQ(FormatLogLine(0, "two\r\nlines"), "1970-01-01 00:00:00 two  lines\r\n");
}

// Text from the command line stays one quoted field, whatever it holds, so
// that even a log named "....bat" runs none of it.
TEST(InstallLog, OutsideTextIsQuoted) {
  EXPECT_EQ(QuotedForLog("C:\\Program Files\\x"), "\"C:\\Program Files\\x\"");
  EXPECT_EQ(QuotedForLog("\"setup.exe\" /LOG=x.bat & mkdir C:\\qvs-injected &"),
            "\"\"\"setup.exe\"\" /LOG=x.bat & mkdir C:\\qvs-injected &\"");
  EXPECT_EQ(QuotedForLog("a\"\"b\tc\r\n"), "\"a\"\"\"\"b?c??\"");
  EXPECT_EQ(QuotedForLog(""), "\"\"");
  // Inside the quotes every quote comes doubled: nothing can close them.
  const std::string quoted = QuotedForLog("\" & calc & \"");
  EXPECT_EQ(quoted, "\"\"\" & calc & \"\"\"");
}
