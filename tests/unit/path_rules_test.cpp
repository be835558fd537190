// The install-folder and start-menu group checks, the start-menu folder and
// the compaction of long paths.
#include <gtest/gtest.h>

#include "script/path_rules.h"
#include "script/reserved_names.h"

namespace {

int Valid(const std::string &path) { return IsValidInstallPath(path, BuildReservedNames()); }

TEST(InstallPath, FoldersWithADriveOrBackslashAreValid) {
  EXPECT_EQ(Valid("D:\\Program Files\\Product"), 1);
  EXPECT_EQ(Valid("D:\\Product"), 1);
  EXPECT_EQ(Valid("D:"), 1);
  EXPECT_EQ(Valid("\\Product"), 1);
  // Only the first component is compared with the reserved names.
  EXPECT_EQ(Valid("D:\\con"), 1);
  EXPECT_EQ(Valid("D:\\Data\\nul\\x"), 1);
}

TEST(InstallPath, RefusedPaths) {
  for (const char *path : {"", "Product", "D:\\a*b", "D:\\a?b", "D:\\a\"b", "D:\\a<b", "D:\\a>b",
                           "D:\\a|b", "D:\\a\\\\b", "D:\\a::b", "D:\\a\\:b", "\\\\server\\share",
                           "\\con\\x", "\\ CON \\x", "con", "lpt1\\x", "$mft\\y", "COM\xB2\\x"}) {
    EXPECT_EQ(Valid(path), 0) << path;
  }
}

TEST(GroupName, NestedFoldersAreValidDevicesOfPathsAreNot) {
  for (const char *name : {"Vendor\\Product", "Product 2.0", "Product\\", "Vendor/Product",
                           "v1.0\\.hidden", "a..b"}) {
    EXPECT_EQ(IsValidGroupName(name), 1) << name;
  }
  for (const char *name : {"", "C:Product", "Vendor\\\\Product", "a<b", "a>b", "a*b", "a?b",
                           "a\"b", "a|b", "::"}) {
    EXPECT_EQ(IsValidGroupName(name), 0) << name;
  }
}

// A group is a folder below the start menu: nothing may climb out of it
// or start at a root.
TEST(GroupName, NamesThatLeaveTheStartMenuAreRefused) {
  for (const char *name : {"..\\..\\..\\Windows\\System32\\QvsGroup", "..", ".", "Vendor\\..",
                           "Vendor\\.\\Product", "../Startup", "Vendor/../..", "...\\x",
                           ". .\\x", "Vendor\\.. \\x", "\\Product\\", "/Product", "Vendor\\ \\x",
                           "Vendor/\\x"}) {
    EXPECT_EQ(IsValidGroupName(name), 0) << name;
  }
}

TEST(PathParts, FolderPartAndStartMenuFolder) {
  EXPECT_EQ(FolderPartOf("C:\\Tools\\setup.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderPartOf("C:/Tools/setup.exe"), "C:/Tools/");
  EXPECT_EQ(FolderPartOf("setup.exe"), "");
  EXPECT_EQ(BuildStartMenuFolder("C:\\Menu\\Programs", "Vendor\\Product"),
            "C:\\Menu\\Programs\\Vendor\\Product\\");
  EXPECT_EQ(BuildStartMenuFolder("C:\\Menu\\Programs\\", "\\Product\\\\"),
            "C:\\Menu\\Programs\\Product\\");
}

// Every character is 10 pixels wide, except "W" at 30.
int FakeWidth(void *calls, const std::string &text) {
  if (calls) ++*static_cast<int *>(calls);
  int width = 0;
  for (char c : text) width += c == 'W' ? 30 : 10;
  return width;
}

// Wide only as the whole path: no compacted text ever reaches the width.
int NonAdditiveWidth(void *, const std::string &text) {
  return text.find("\\..\\") == std::string::npos ? 1000 : 0;
}

TEST(CompactPath, ShortPathsStayWhole) {
  EXPECT_EQ(CompactPathForDisplay("C:\\a\\b.txt", 100, FakeWidth, nullptr), "C:\\a\\b.txt");
  // At least one character of each part, however narrow the control.
  EXPECT_EQ(CompactPathForDisplay("C:\\a\\b.txt", 90, FakeWidth, nullptr), "C\\..\\b");
}

TEST(CompactPath, HeadAndTailGrowFromTheStartOfTheirParts) {
  const std::string path = "C:\\Program Files\\Product\\setup.exe";
  int calls = 0;
  // 110 pixels are available once "\..\" is taken from 150.
  EXPECT_EQ(CompactPathForDisplay(path, 150, FakeWidth, &calls), "C:\\P\\..\\setu");
  EXPECT_EQ(calls, 2 + 4);  // the path, the ellipsis, then one per step
  EXPECT_EQ(CompactPathForDisplay("C:\\WW\\x.txt", 120, FakeWidth, nullptr), "C:\\..\\x.");
  EXPECT_EQ(CompactPathForDisplay("C:\\WW\\x.txt", 145, FakeWidth, nullptr), "C:\\W\\..\\x.tx");
  // No folder part: the head stays empty.
  EXPECT_EQ(CompactPathForDisplay("setup.exe", 70, FakeWidth, nullptr), "\\..\\s");
}

TEST(CompactPath, EndsWhenBothPartsAreUsedUp) {
  EXPECT_EQ(CompactPathForDisplay("C:\\folder\\file.txt", 500, NonAdditiveWidth, nullptr),
            "C:\\folder\\\\..\\file.txt");
  EXPECT_EQ(CompactPathForDisplay("", -5, FakeWidth, nullptr), "\\..\\");
}

}  // namespace
