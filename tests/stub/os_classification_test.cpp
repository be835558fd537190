// Every row of the OS code table, and what falls outside it.
#include "checks/os_detection.h"
#include "tests/stub/stub_check.h"

namespace {

int Classify(OsPlatform platform, uint32_t major, uint32_t minor, bool workstation) {
  OsVersion version;
  version.platform = platform;
  version.majorVersion = major;
  version.minorVersion = minor;
  version.isWorkstation = workstation;
  return ClassifyOsVersion(true, version);
}

}  // namespace

STUB_TEST(Windows9xByMinorVersion) {
  CHECK(Classify(kPlatformWindows9x, 4, 0, false) == 10);
  CHECK(Classify(kPlatformWindows9x, 4, 10, false) == 30);
  CHECK(Classify(kPlatformWindows9x, 4, 90, false) == 40);
  CHECK(Classify(kPlatformWindows9x, 4, 3, false) == 100);
}

STUB_TEST(NtFamilyByVersionAndProductType) {
  CHECK(Classify(kPlatformWindowsNT, 3, 51, true) == 5);
  CHECK(Classify(kPlatformWindowsNT, 4, 0, false) == 20);
  CHECK(Classify(kPlatformWindowsNT, 5, 0, true) == 50);
  CHECK(Classify(kPlatformWindowsNT, 5, 1, true) == 60);
  CHECK(Classify(kPlatformWindowsNT, 5, 2, true) == 60);  // XP x64
  CHECK(Classify(kPlatformWindowsNT, 5, 2, false) == 65);
  CHECK(Classify(kPlatformWindowsNT, 5, 3, true) == 100);
  CHECK(Classify(kPlatformWindowsNT, 6, 0, true) == 70);
  CHECK(Classify(kPlatformWindowsNT, 6, 0, false) == 75);
  CHECK(Classify(kPlatformWindowsNT, 6, 1, true) == 80);
  CHECK(Classify(kPlatformWindowsNT, 6, 1, false) == 75);  // Server 2008 R2
  CHECK(Classify(kPlatformWindowsNT, 6, 2, true) == 100);  // Windows 8
  CHECK(Classify(kPlatformWindowsNT, 10, 0, true) == 100);
}

STUB_TEST(UnknownPlatformsAndFailuresAreOther) {
  CHECK(Classify(kPlatformOther, 5, 1, true) == 100);
  OsVersion version;
  version.platform = kPlatformWindowsNT;
  version.majorVersion = 3;
  CHECK(ClassifyOsVersion(false, version) == 100);
}

STUB_TEST(NtFamilyTestCountsLaterSystems) {
  CHECK(IsNtFamily(20) && IsNtFamily(50) && IsNtFamily(100));
  CHECK(!IsNtFamily(5) && !IsNtFamily(10) && !IsNtFamily(30) && !IsNtFamily(40));
}

STUB_TEST(DetectionUnderThisSystemGivesAKnownCode) {
  int code = DetectOsCode();
  CHECK(code == 5 || code == 10 || code == 20 || code == 30 || code == 40 || code == 50 ||
        code == 60 || code == 65 || code == 70 || code == 75 || code == 80 || code == 100);
  // The tests run as a 64-bit program, which only a 64-bit system runs.
  CHECK(sizeof(void *) != 8 || IsSystem64Bit() == 1);
}
