// The registry layer's text side: root codes, display notation, key-path
// rules and the conversions of registry data to and from text.
#include <gtest/gtest.h>

#include "script/registry_text.h"

namespace {

std::string Dword(uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  return RegistryDwordText(bytes, sizeof(bytes));
}

TEST(RegistryText, RootCodesNameSixRootsAndNothingElse) {
  EXPECT_EQ(RegistryRootName(0), "HKEY_CLASSES_ROOT");
  EXPECT_EQ(RegistryRootName(4), "HKEY_CURRENT_CONFIG");
  EXPECT_EQ(RegistryRootName(5), "HKEY_DYN_DATA");
  for (int32_t code : {-1, 6, 100, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(IsRegistryRootCode(code)) << code;
    EXPECT_EQ(RegistryRootName(code), "") << code;
  }
}

TEST(RegistryText, DisplayNotation) {
  EXPECT_EQ(FormatRegistryKey(2, "Software\\Foo"), "HKEY_LOCAL_MACHINE\\Software\\Foo");
  EXPECT_EQ(FormatRegistryValue(2, "Software\\Foo", "Path"),
            "HKEY_LOCAL_MACHINE\\Software\\Foo -> Path");
  EXPECT_EQ(FormatRegistryValue(1, "Software\\Foo", ""), "HKEY_CURRENT_USER\\Software\\Foo -> ");
  // An unknown root still shows which item the user must look at.
  EXPECT_EQ(FormatRegistryKey(9, "Software\\Foo"), "9\\Software\\Foo");
}

TEST(RegistryText, OneBackslashIsRemovedAtTheNamedEnd) {
  EXPECT_EQ(StripTrailingBackslash("Software\\Foo\\"), "Software\\Foo");
  EXPECT_EQ(StripTrailingBackslash("Software\\Foo\\\\"), "Software\\Foo\\");
  EXPECT_EQ(StripTrailingBackslash("\\Software"), "\\Software");
  EXPECT_EQ(StripTrailingBackslash(""), "");
  EXPECT_EQ(StripLeadingBackslash("\\Software\\"), "Software\\");
  EXPECT_EQ(StripLeadingBackslash("\\\\Software"), "\\Software");
  EXPECT_EQ(StripLeadingBackslash(""), "");
}

TEST(RegistryText, DwordWritesReadTheTextAsTheInstallerReadsNumbers) {
  EXPECT_EQ(RegistryDwordFromText("12abc"), 12u);
  EXPECT_EQ(RegistryDwordFromText("$1F"), 31u);
  EXPECT_EQ(RegistryDwordFromText("%101"), 5u);
  EXPECT_EQ(RegistryDwordFromText("abc"), 0u);
  EXPECT_EQ(RegistryDwordFromText(" \t-1"), 0xFFFFFFFFu);
  EXPECT_EQ(RegistryDwordFromText("4294967296"), 0u);  // low 32 bits
  EXPECT_EQ(RegistryDwordFromText("4294967295"), 0xFFFFFFFFu);
}

TEST(RegistryText, DwordReadsAreSignedDecimal) {
  EXPECT_EQ(Dword(4294967295u), "-1");
  EXPECT_EQ(Dword(0x80000000u), "-2147483648");
  EXPECT_EQ(Dword(0x7FFFFFFFu), "2147483647");
  EXPECT_EQ(Dword(0), "0");
  const uint8_t two[2] = {0x34, 0x12};
  EXPECT_EQ(RegistryDwordText(two, 2), "4660");
  EXPECT_EQ(RegistryDwordText(two, 0), "0");
}

TEST(RegistryText, StringDataStopsAtTheFirstZeroOrKeepsEverything) {
  const uint8_t terminated[] = {'a', 'b', 0};
  const uint8_t unterminated[] = {'a', 'b', 'c'};
  const uint8_t embedded[] = {'a', 0, 'b', 0};
  EXPECT_EQ(RegistryStringText(terminated, 3), "ab");
  EXPECT_EQ(RegistryStringText(unterminated, 3), "abc");
  EXPECT_EQ(RegistryStringText(embedded, 4), "a");
  EXPECT_EQ(RegistryStringText(terminated, 0), "");
  // Long data is kept whole: no fixed buffer limits it.
  std::vector<uint8_t> large(100000, 'x');
  large.push_back(0);
  EXPECT_EQ(RegistryStringText(large.data(), large.size()).size(), 100000u);
}

TEST(RegistryText, BinaryDataIsUtf16UpToTheFirstZeroUnit) {
  const uint8_t text[] = {'H', 0, 'i', 0, 0, 0, 'x', 0};
  EXPECT_EQ(RegistryBinaryUnits(text, sizeof(text)), (std::vector<uint16_t>{'H', 'i'}));
  const uint8_t odd[] = {'H', 0, 'i'};
  EXPECT_EQ(RegistryBinaryUnits(odd, sizeof(odd)), (std::vector<uint16_t>{'H', 'i'}));
  const uint8_t wide[] = {0xAC, 0x20};  // the euro sign
  EXPECT_EQ(RegistryBinaryUnits(wide, sizeof(wide)), (std::vector<uint16_t>{0x20AC}));
  EXPECT_TRUE(RegistryBinaryUnits(text, 0).empty());
  const uint8_t zero[] = {0, 0, 'a', 0};
  EXPECT_TRUE(RegistryBinaryUnits(zero, sizeof(zero)).empty());
}

}  // namespace
