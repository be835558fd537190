#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/format_size.h"
#include "wizard/gradient.h"
#include "wizard/install_folder_text.h"

TEST(WizardFormatSize, UnitsAndDecimals) {
  EXPECT_EQ("0 B", FormatSize(0, 2));
  EXPECT_EQ("512 B", FormatSize(512, 1));
  EXPECT_EQ("1023 B", FormatSize(1023, 2));  // whole bytes never carry decimals
  EXPECT_EQ("1.0 KB", FormatSize(1024, 1));
  EXPECT_EQ("1.5 KB", FormatSize(1536, 1));
  EXPECT_EQ("1.0 MB", FormatSize(1048576, 1));
  EXPECT_EQ("1.00 GB", FormatSize(1073741824ULL, 2));
  EXPECT_EQ("1 KB", FormatSize(1024, 0));
  EXPECT_EQ("2.00 TB", FormatSize(2ULL << 40, 2));
  EXPECT_EQ("16.0 EB", FormatSize(UINT64_MAX, 1));
}

TEST(WizardFormatSize, RoundsToNearestAndClampsDecimals) {
  EXPECT_EQ("1.3 KB", FormatSize(1300, 1));   // 1.2695...
  EXPECT_EQ("1.27 KB", FormatSize(1300, 2));
  EXPECT_EQ("1023.9 KB", FormatSize(1048575 - 100, 1));
  EXPECT_EQ("2 KB", FormatSize(1536 + 100, -3));
  EXPECT_EQ("1.500000000 KB", FormatSize(1536, 40));
}

TEST(WizardGradient, RedOverFourColumnsRoundsHalvesToEven) {
  std::vector<uint32_t> colours = GradientStripeColours(4, 0x0000FF, 0x000000);
  ASSERT_EQ(4u, colours.size());
  EXPECT_EQ(255u, colours[0]);
  EXPECT_EQ(191u, colours[1]);  // 191.25
  EXPECT_EQ(128u, colours[2]);  // 127.5 goes to the even 128
  EXPECT_EQ(64u, colours[3]);   // 63.75
}

TEST(WizardGradient, ChannelsMoveIndependentlyAndStopShortOfTheEnd) {
  // Blue rises 0 -> 255 while green falls 255 -> 0, over 2 rows.
  std::vector<uint32_t> colours = GradientStripeColours(2, 0x00FF00, 0xFF0000);
  ASSERT_EQ(2u, colours.size());
  EXPECT_EQ(0x00FF00u, colours[0]);
  // 127.5 both ways: green 255 - 127.5 and blue 0 + 127.5 go to 128.
  EXPECT_EQ(0x808000u, colours[1]);
  std::vector<uint32_t> one = GradientStripeColours(1, 0x123456, 0xFFFFFF);
  ASSERT_EQ(1u, one.size());
  EXPECT_EQ(0x123456u, one[0]);
  EXPECT_TRUE(GradientStripeColours(0, 0, 0xFFFFFF).empty());
  EXPECT_TRUE(GradientStripeColours(-5, 0, 0xFFFFFF).empty());
  // The second colour's high byte is not a channel.
  EXPECT_EQ(0u, GradientStripeColours(3, 0, 0xFF000000u)[2]);
}

TEST(WizardGradient, DirectionFromTheScriptFlags) {
  EXPECT_EQ(kGradientVertical, GradientDirectionFor(1, 0));
  EXPECT_EQ(kGradientHorizontal, GradientDirectionFor(0, 1));
  EXPECT_EQ(kGradientVertical, GradientDirectionFor(1, 1));
  EXPECT_EQ(kGradientVertical, GradientDirectionFor(0, 0));
  EXPECT_EQ(kGradientVertical, GradientDirectionFor(2, 1));
}

TEST(WizardFolderText, FieldDriveAndSpaceLines) {
  EXPECT_EQ("C:\\App\\", WithTrailingBackslash("C:\\App"));
  EXPECT_EQ("C:\\App\\", WithTrailingBackslash("C:\\App\\"));
  EXPECT_EQ("\\", WithTrailingBackslash(""));
  EXPECT_EQ("D:\\", DriveOfFolder("D:\\Program Files\\X\\"));
  EXPECT_EQ("D:", DriveOfFolder("D:"));
  EXPECT_TRUE(IsBlankFolderText(""));
  EXPECT_TRUE(IsBlankFolderText("  \t "));
  EXPECT_TRUE(IsBlankFolderText(" \\ "));
  EXPECT_FALSE(IsBlankFolderText("\\\\"));
  EXPECT_FALSE(IsBlankFolderText(" C:\\ "));
  EXPECT_EQ("Available space: 1.5 KB", SpaceLineText("Available space: $P", 1536, 1, "n/a"));
  EXPECT_EQ("Available space: n/a", SpaceLineText("Available space: $p", -1, 1, "n/a"));
  EXPECT_EQ("Required space: 0 B", SpaceLineText("Required space: $P", 0, 2, "n/a"));
}

// Install folders too deep for the product's files.
TEST(WizardFolderText, PathLimitTheLongestFileAndItsFolderDecide) {
  const std::vector<std::string> files = {"App.exe", "Docs\\Manual.txt"};
  EXPECT_TRUE(FitsWindowsPathLimit("C:\\Program Files\\App\\", files));
  // 259 characters in all is the longest path Windows takes.
  std::string folder = "C:\\" + std::string(238, 'a');  // 241 characters
  EXPECT_EQ(242u, WithTrailingBackslash(folder).size());
  EXPECT_TRUE(FitsWindowsPathLimit(folder, {std::string(17, 'f')}));
  EXPECT_FALSE(FitsWindowsPathLimit(folder, {std::string(18, 'f')}));
  // The field's text may lack the final "\": the installation adds it.
  EXPECT_FALSE(FitsWindowsPathLimit(folder + "\\", {std::string(18, 'f')}));
  // A folder the installer writes into holds at most 243 characters with
  // its "\\", so that its own names of 16 fit beside the product's files.
  const std::string shorter = "C:\\" + std::string(236, 'a');  // 240 with its "\\"
  EXPECT_TRUE(FitsWindowsPathLimit(shorter, {"12\\f"}));
  EXPECT_FALSE(FitsWindowsPathLimit(shorter, {"123\\f"}));
  // Components whose folders lie below the one typed count, in any case.
  std::string below;
  EXPECT_TRUE(IsBelowFolder("C:\\App\\", "c:\\app\\Docs\\", &below));
  EXPECT_EQ("Docs\\", below);
  EXPECT_FALSE(IsBelowFolder("C:\\App\\", "C:\\Apps\\", &below));
  EXPECT_FALSE(IsBelowFolder("C:\\App\\", "C:\\", &below));
  // The install folder itself, even with no file.
  EXPECT_TRUE(FitsWindowsPathLimit("C:\\" + std::string(239, 'a'), {}));
  EXPECT_FALSE(FitsWindowsPathLimit("C:\\" + std::string(240, 'a'), {}));
}
