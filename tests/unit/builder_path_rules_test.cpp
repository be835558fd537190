// Name rules of the builder: what Windows cannot hold, what would leave the
// install folder, component folders and the code-page conversion.
#include <gtest/gtest.h>

#include "builder/path_rules.h"

TEST(BuilderPathRules, RefusesNamesWindowsCannotHold) {
  const char *bad[] = {"a<b", "a>b", "a:b", "a\"b", "a|b", "a?b", "a*b", "a/b", "a\\b",
                       "tab\there", "trailing ", "trailing.", ".", "..", ""};
  for (const char *name : bad) EXPECT_NE(WindowsNameProblem(name), nullptr) << name;
  EXPECT_NE(WindowsNameProblem(std::string(256, 'x')), nullptr);
  EXPECT_EQ(WindowsNameProblem(std::string(255, 'x')), nullptr);
  const char *good[] = {"readme.txt", ".hidden", "a b", "a.b.c", "con_sole", "com10", "lpt",
                        "CONSOLE.txt", "nul_", "clock"};
  for (const char *name : good) EXPECT_EQ(WindowsNameProblem(name), nullptr) << name;
}

TEST(BuilderPathRules, ReservedDeviceNamesInAnyCaseAndWithExtension) {
  const char *reserved[] = {"con", "CON", "Prn", "aux", "nUl", "com0", "COM9", "lpt1", "LPT0",
                            "clock$", "CLOCK$.txt", "nul.txt", "con.tar.gz", "aux .log",
                            "com\xB9", "LPT\xB2.dat"};
  for (const char *name : reserved) {
    EXPECT_TRUE(IsReservedDeviceName(name)) << name;
    EXPECT_NE(WindowsNameProblem(name), nullptr) << name;
  }
  EXPECT_FALSE(IsReservedDeviceName("com"));
  EXPECT_FALSE(IsReservedDeviceName("comA"));
  EXPECT_FALSE(IsReservedDeviceName("xcon"));
}

TEST(BuilderPathRules, RelativePathsStayInsideTheInstallFolder) {
  EXPECT_EQ(RelativePathProblem("bin\\app.exe"), nullptr);
  EXPECT_EQ(RelativePathProblem("a\\b\\c\\d.txt"), nullptr);
  const char *outside[] = {"..\\x", "a\\..\\..\\x", "\\x", "/x", "C:\\x", "c:x", "a\\\\b",
                           "a\\", "a\\.\\b", ""};
  for (const char *path : outside) EXPECT_NE(RelativePathProblem(path), nullptr) << path;
  // The module writes install folder + "\\" + path in 259 bytes, and the
  // installer writes names of its own into folders of at most 243: paths
  // that once passed here failed under any install folder.
  std::string longest = std::string(141, 'a') + "\\" + std::string(16, 'b');
  EXPECT_EQ(longest.size(), 158u);
  EXPECT_EQ(RelativePathProblem(longest), nullptr);
  EXPECT_NE(std::string(RelativePathProblem(longest + "b")).find("install folder of 100"),
            std::string::npos);
  EXPECT_EQ(RelativePathProblem(std::string(158, 'c')), nullptr);
  std::string deepFolder = std::string(142, 'a') + "\\b";
  EXPECT_NE(std::string(RelativePathProblem(deepFolder)).find("folder path longer than 141"),
            std::string::npos);
  std::string oldLimit = std::string(200, 'a') + "\\" + std::string(58, 'b');
  EXPECT_NE(RelativePathProblem(oldLimit), nullptr);
  EXPECT_LE(kInstallFolderAllowance + 1 + kMaxRelativePathLength, kMaxInstalledPathLength);
  EXPECT_LE(kInstallFolderAllowance + 1 + kMaxRelativeFolderLength + 1, kMaxWritableFolderLength);
}

TEST(BuilderPathRules, ComponentFoldersAreCanonicalDecimalIds) {
  uint32_t id = 99;
  EXPECT_TRUE(ParseComponentFolder("0", &id));
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(ParseComponentFolder("2147483647", &id));
  EXPECT_EQ(id, 2147483647u);
  const char *bad[] = {"2147483648", "4294967296", "99999999999", "-1", "+1", "01", "1a", " 1",
                       "", "$1F", "1.0"};
  for (const char *name : bad) EXPECT_FALSE(ParseComponentFolder(name, &id)) << name;
}

TEST(BuilderPathRules, Utf8NamesBecomeWindows1252OrAreRefused) {
  std::string out;
  ASSERT_TRUE(Utf8ToWindows1252("caf\xC3\xA9.txt", &out));
  EXPECT_EQ(out, "caf\xE9.txt");
  ASSERT_TRUE(Utf8ToWindows1252("\xE2\x82\xAC", &out));  // euro sign
  EXPECT_EQ(out, "\x80");
  EXPECT_FALSE(Utf8ToWindows1252("\xE6\x97\xA5", &out));  // CJK: not in the code page
  EXPECT_FALSE(Utf8ToWindows1252("\xC2\x81", &out));  // C1 control
  EXPECT_FALSE(Utf8ToWindows1252("\xE9", &out));  // Latin-1 byte, not UTF-8
  EXPECT_FALSE(Utf8ToWindows1252("\xC3", &out));  // truncated sequence
  EXPECT_FALSE(Utf8ToWindows1252("\xC0\xAF", &out));  // overlong "/"
  EXPECT_FALSE(Utf8ToWindows1252("\xED\xA0\x80", &out));  // surrogate
  // Overlong "." in four and three bytes: once two entries "." and a
  // second, identical one.
  EXPECT_FALSE(Utf8ToWindows1252("a\xF0\x80\x80\xAE", &out));
  EXPECT_FALSE(Utf8ToWindows1252("a\xE0\x80\xAE", &out));
  EXPECT_FALSE(Utf8ToWindows1252("\xF4\x90\x80\x80", &out));  // past U+10FFFF
  EXPECT_FALSE(Utf8ToWindows1252("\xF8\x88\x80\x80\x80", &out));  // five bytes
  EXPECT_FALSE(Utf8ToWindows1252("a\x80", &out));  // stray continuation byte
  for (int byte = 0x20; byte < 0x100; byte++) {
    std::string ansi(1, (char)byte);
    std::string back;
    if (byte >= 0x80 && byte < 0xA0 && Windows1252ToUtf8(ansi) == "\xEF\xBF\xBD") continue;
    ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(ansi), &back)) << byte;
    EXPECT_EQ(back, ansi) << byte;
  }
}

TEST(BuilderPathRules, ExtractNamesThatWouldEscapeAreUnsafe) {
  EXPECT_TRUE(IsSafeEntryName("1\\bin\\app.exe"));
  EXPECT_TRUE(IsSafeEntryName("_$_INSTALLER_Data_0000001_$_\\Config\\Script.qvs"));
  const char *bad[] = {"", "\\x", "/x", "1\\..\\..\\x", "1/../x", "C:\\x", "1\\a:b", "1\\\\x",
                       "1\\.\\x", "1\\x\\", "1\\a\nb", "1\\a\x7F" "b"};
  for (const char *name : bad) EXPECT_FALSE(IsSafeEntryName(name)) << name;
}
