// The uninstaller's data file as the uninstaller meets it: damaged, cut
// short or made up. Every broken structure is refused with a message that
// names it; lines the format does not know are passed over.
#include <gtest/gtest.h>

#include "format/uninstaller_data.h"
#include "tests/unit/uninstaller_data_fixtures.h"

namespace {

std::string Replaced(const std::string &text, const std::string &from, const std::string &to) {
  std::string result = text;
  size_t at = result.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) result.replace(at, from.size(), to);
  return result;
}

// Refused, with `why` in the message, and nothing left in the record.
void ExpectRefused(const std::string &text, const std::string &why) {
  UninstallerData data = FullData();
  std::string error;
  EXPECT_FALSE(ReadUninstallerData(text, &data, &error)) << why;
  EXPECT_NE(error.find(why), std::string::npos) << "expected \"" << why << "\", got: " << error;
  EXPECT_TRUE(data.localization.empty() && data.createdFiles.empty() && data.doneTasks.empty());
}

std::string ManyIds(size_t count) {
  std::string ids = "0";
  for (size_t i = 1; i < count; i++) ids += ",0";
  return ids;
}

TEST(UninstallerDataReader, EveryCutOfTheFileIsRefused) {
  const std::string full = kFullFile;
  UninstallerData data;
  for (size_t length = 0; length < full.size(); length++)
    EXPECT_FALSE(ReadUninstallerData(full.substr(0, length), &data, nullptr)) << length;
  EXPECT_TRUE(ReadUninstallerData(full, &data, nullptr));
}

TEST(UninstallerDataReader, RefusesBrokenStructure) {
  const std::string full = kFullFile, minimal = kMinimalFile;
  const std::string folders = "[CreatedFolders]\r\nf0=C:\\Program Files\\Demo\r\n";
  const std::string window =
      "[9]\r\nID = 9\r\nType = 1\r\nWindowName = Demo - Main\r\nWindowClass = DemoWndClass\r\n"
      "MatchExactly = 1\r\n";
  // Group order, repetition, unknown and missing groups.
  ExpectRefused(Replaced(minimal, "[CreatedFiles]", folders + "[CreatedFiles]"),
                "line 21: [CreatedFiles] comes after [CreatedFolders]");
  ExpectRefused(minimal + folders, "[CreatedFolders] appears twice");
  ExpectRefused(Replaced(minimal, "[CreatedFiles]", "[Journal]\r\n[CreatedFiles]"),
                "line 19: unknown group [Journal]");
  ExpectRefused(Replaced(minimal, "[CloseItemsUninstaller]\r\nUninstCheckForInstances = 1\r\n", ""),
                "no [CloseItemsUninstaller] group");
  ExpectRefused(Replaced(minimal, "[CloseItemsUninstaller]", "[7]\r\n[CloseItemsUninstaller]"),
                "item group [7] outside a list group");
  // Item groups against Items.
  ExpectRefused(Replaced(full, window, ""), "group [12] is not the next item named by Items");
  ExpectRefused(Replaced(full, "[12]\r\nID = 12\r\nType = 5\r\n", ""),
                "Items of [CloseItemsUninstaller] names 3 groups, but only 2 follow");
  ExpectRefused(Replaced(full, "[10000011]", "[10000012]"), "group [10000012] is not the next");
  ExpectRefused(Replaced(full, "[50]", "[51]"), "group [51] is not the next item");
  ExpectRefused(Replaced(full, "[41]", "[44]"), "group [43] is not the next item");
  ExpectRefused(Replaced(full, "Items = 1,3,7\r\n", ""), "no Items line in [Components]");
  // Numbers and IDs.
  ExpectRefused(Replaced(full, "Items = 4,9,12", "Items = 4,nine,12"), "is not a list of");
  ExpectRefused(Replaced(full, "Items = 4,9,12", "Items = 4,,12"), "is not a list of");
  ExpectRefused(Replaced(full, "[9]", "[9a]"), "unknown group [9a]");
  ExpectRefused(Replaced(full, "ID = 9\r\n", "ID = 10\r\n"), "the ID line of group [9]");
  ExpectRefused(Replaced(full, "RebootRequired = 1", "RebootRequired = 2147483648"),
                "RebootRequired in [UninstallerConfig] is not a 32-bit number");
  ExpectRefused(Replaced(full, "BaseKey = -2147483648", "BaseKey = -2147483649"),
                "BaseKey in group [10000001] of [DoneTasks] is not a 32-bit number");
  ExpectRefused(Replaced(full, "Type = 0\r\nMutexName", "Type = +0\r\nMutexName"),
                "Type in group [4]");
  // Lines a record needs, repeated lines and numbered sequences.
  ExpectRefused(Replaced(full, "KeyPath = .demo\\shell\r\n", ""),
                "line 47: no KeyPath line in group [10000001] of [DoneTasks]");
  ExpectRefused(Replaced(full, "Win7 = 0\r\n", ""), "no Win7 line in group [40]");
  ExpectRefused(Replaced(full, "MutexName = DemoMutex\r\n", "MutexName = a\r\nMutexName = b\r\n"),
                "a second MutexName line in group [4] of [CloseItemsUninstaller]");
  ExpectRefused(Replaced(full, "f1=C:\\Program Files\\Demo Product\\Docs\\", "f2=x"),
                "expected a line beginning f1= in [CreatedFiles]");
  ExpectRefused(Replaced(full, "l1=", "l0="), "expected a line beginning l1=");
  ExpectRefused(Replaced(full, "2 = C:", "3 = C:"), "expected a line beginning 2 = ");
  ExpectRefused(Replaced(full, "LeaveFilesCount = 2", "LeaveFilesCount = 3"), "cut short");
  // Previous data.
  ExpectRefused(Replaced(full, "PreviousDataHex = 0001ABFF", "PreviousData = ab"),
                "previous data of this type must be hexadecimal");
  ExpectRefused(Replaced(full, "0001ABFF", "0001ABF"), "PreviousDataHex is not hexadecimal");
  ExpectRefused(Replaced(full, "0001ABFF", "0001ABFG"), "PreviousDataHex is not hexadecimal");
  ExpectRefused(Replaced(full, "PreviousType = 3\r\n", ""), "previous data without PreviousType");
  ExpectRefused(Replaced(full, "PreviousDataHex = 0001ABFF\r\n", ""), "PreviousType needs one");
  ExpectRefused(Replaced(full, "PreviousData = English\r\n",
                         "PreviousData = English\r\nPreviousDataHex = 00\r\n"),
                "PreviousType needs one");
}

TEST(UninstallerDataReader, RefusesBytesAndSizesOutsideTheFormat) {
  const std::string minimal = kMinimalFile;
  ExpectRefused("", "the file is empty");
  ExpectRefused("hello", "does not end with CR LF");
  ExpectRefused("hello\r\n", "line 1: a line before the first group");
  ExpectRefused("\xEF\xBB\xBF" + minimal, "line 1: a line before the first group");
  ExpectRefused(Replaced(minimal, "l1=Information\r\n", "l1=Information\r\n\r\n"),
                "line 3: a blank line");
  ExpectRefused(Replaced(minimal, "l1=Information\r\n", "l1=Info\nrmation\r\n"),
                "line 2: a line feed without carriage return");
  ExpectRefused(Replaced(minimal, "l1=Information\r\n", "l1=Info\rrmation\r\n"),
                "line 2: a carriage return without line feed");
  ExpectRefused(Replaced(minimal, "Demo Product 1.2", std::string("Demo\0", 5)),
                "line 12: a zero byte");
  std::string noise;
  uint32_t seed = 12345;
  for (int i = 0; i < 4096; i++) noise += (char)((seed = seed * 1103515245 + 12345) >> 16);
  UninstallerData data;
  EXPECT_FALSE(ReadUninstallerData(noise, &data, nullptr));
  EXPECT_FALSE(ReadUninstallerData(minimal + noise, &data, nullptr));

  // Counts beyond the limits.
  std::string tooMany = "Items = " + ManyIds(kMaxUninstallerListItems + 1);
  ExpectRefused(Replaced(kFullFile, "Items = 1,3,7", tooMany),
                "is not a list of at most 65536 numbers");
  std::string strings;
  for (size_t i = 1; i <= kMaxUninstallerStrings + 1; i++)
    strings += "l" + std::to_string(i) + "=x\r\n";
  ExpectRefused(Replaced(minimal, "l1=Information\r\n", strings),
                "more than 4096 lines in [LocalizationUninstall]");
  std::string huge = minimal;
  huge.insert(huge.size() - 2, kMaxUninstallerDataSize - minimal.size() + 1, 'x');
  ExpectRefused(huge, "the file is larger than 67108864 bytes");
}

TEST(UninstallerDataReader, PassesOverLinesItDoesNotKnow) {
  std::string text = kFullFile;
  text = Replaced(text, "l1=", "lang=en\r\nl1=");
  text = Replaced(text, "RebootRequired", "Comment=free text\r\nFormat = 2\r\nRebootRequired");
  text = Replaced(text, "Items = 4,9,12", "Items = 4,9,12\r\nItemsExtra = 1");
  text = Replaced(text, "[10000003]\r\nType = 0", "[10000003]\r\nName = 1700000000\r\nType = 0");
  text = Replaced(text, "Address = C:\\Demo Links",
                  "Address=elsewhere\r\nAddress = C:\\Demo Links");
  text = Replaced(text, "f1=C:", "fx=1\r\nf1=C:");
  text = Replaced(text, "2 = C:", "count = 2\r\n2 = C:");
  UninstallerData data;
  std::string error;
  ASSERT_TRUE(ReadUninstallerData(text, &data, &error)) << error;
  EXPECT_EQ(WriteUninstallerData(data), kFullFile);
}

}  // namespace
