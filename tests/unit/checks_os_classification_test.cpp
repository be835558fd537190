// The OS code of each reported version, the listed system each acts as, and
// the log's account of the system.
#include <gtest/gtest.h>

#include "checks/os_classification.h"

namespace {

OsDetails Reported(OsPlatform platform, uint32_t major, uint32_t minor, uint32_t build,
                   bool workstation) {
  OsDetails details;
  details.known = true;
  details.version.platform = platform;
  details.version.majorVersion = major;
  details.version.minorVersion = minor;
  details.version.buildNumber = build;
  details.version.isWorkstation = workstation;
  return details;
}

TEST(OsClassification, EachVersionHasItsCodeAndActsAsTheNewestListedOfItsKind) {
  const struct {
    OsPlatform platform;
    uint32_t major, minor, build;
    bool workstation;
    int code, actsAs;
  } rows[] = {
      {kPlatformWindows9x, 4, 0, 950, false, 10, 10},
      {kPlatformWindows9x, 4, 10, 2222, false, 30, 30},
      {kPlatformWindows9x, 4, 90, 3000, false, 40, 40},
      {kPlatformWindows9x, 4, 3, 0, false, 100, 100},  // no such release
      {kPlatformWindowsNT, 3, 51, 1057, true, 5, 5},
      {kPlatformWindowsNT, 4, 0, 1381, false, 20, 20},
      {kPlatformWindowsNT, 5, 0, 2195, true, 50, 50},
      {kPlatformWindowsNT, 5, 1, 2600, true, 60, 60},
      {kPlatformWindowsNT, 5, 2, 3790, true, 60, 60},  // XP x64
      {kPlatformWindowsNT, 5, 2, 3790, false, 65, 65},
      {kPlatformWindowsNT, 5, 3, 0, true, 100, 100},  // no such release
      {kPlatformWindowsNT, 6, 0, 6002, true, 70, 70},
      {kPlatformWindowsNT, 6, 0, 6002, false, 75, 75},
      {kPlatformWindowsNT, 6, 1, 7601, true, 80, 80},
      {kPlatformWindowsNT, 6, 1, 7601, false, 75, 75},  // Server 2008 R2
      {kPlatformWindowsNT, 6, 2, 9200, true, 100, 80},  // Windows 8, or any later unmanifested
      {kPlatformWindowsNT, 6, 2, 9200, false, 100, 75},  // Server 2012
      {kPlatformWindowsNT, 6, 3, 9600, true, 100, 80},
      {kPlatformWindowsNT, 6, 3, 9600, false, 100, 75},
      {kPlatformWindowsNT, 10, 0, 19045, true, 100, 80},  // Windows 10 22H2
      {kPlatformWindowsNT, 10, 0, 22631, true, 100, 80},  // Windows 11 23H2
      {kPlatformWindowsNT, 10, 0, 20348, false, 100, 75},  // Server 2022
      {kPlatformOther, 6, 1, 7601, true, 100, 100},
  };
  for (const auto &row : rows) {
    const OsDetails details =
        Reported(row.platform, row.major, row.minor, row.build, row.workstation);
    const int code = ClassifyOsVersion(details);
    EXPECT_EQ(code, row.code) << row.major << "." << row.minor << " " << row.workstation;
    EXPECT_EQ(OsCodeActingAs(code, details), row.actsAs)
        << row.major << "." << row.minor << " " << row.workstation;
  }
  // A listed code acts as itself whatever the record says.
  EXPECT_EQ(OsCodeActingAs(70, Reported(kPlatformWindowsNT, 10, 0, 22631, false)), 70);
}

TEST(OsClassification, AFailedDetectionIsOtherAndActsAsTheNewestWorkstation) {
  OsDetails failed;
  failed.version.platform = kPlatformWindowsNT;
  failed.version.majorVersion = 3;  // whatever was left there is not read
  EXPECT_EQ(ClassifyOsVersion(failed), 100);
  EXPECT_EQ(OsCodeActingAs(100, failed), 80);
  EXPECT_EQ(DescribeRunningSystem(100, failed),
            "the Windows version could not be read (OS code 100, acts as Windows 7)");
}

TEST(OsClassification, TheLogNamesTheRealVersionAndWhatItActsAs) {
  OsDetails eleven = Reported(kPlatformWindowsNT, 10, 0, 22631, true);
  eleven.is64Bit = true;
  EXPECT_EQ(DescribeRunningSystem(100, eleven),
            "Windows 10.0 build 22631, workstation, 64-bit (OS code 100, acts as Windows 7)");
  EXPECT_EQ(DescribeRunningSystem(75, Reported(kPlatformWindowsNT, 6, 1, 7601, false)),
            "Windows 6.1 build 7601, server, 32-bit (OS code 75, Windows Server 2008)");
  EXPECT_EQ(DescribeRunningSystem(100, Reported(kPlatformWindowsNT, 5, 3, 1, true)),
            "Windows 5.3 build 1, workstation, 32-bit (OS code 100, acts as no listed system)");
}

TEST(OsClassification, NtFamilyTestCountsLaterSystems) {
  EXPECT_TRUE(IsNtFamily(20) && IsNtFamily(50) && IsNtFamily(100));
  EXPECT_FALSE(IsNtFamily(5) || IsNtFamily(10) || IsNtFamily(30) || IsNtFamily(40));
}

}  // namespace
