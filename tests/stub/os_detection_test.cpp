// The detection on the system the tests run on: it reads a version, and
// that version has a code and acts as a listed system. (The table of codes
// is a host test: tests/unit/checks_os_classification_test.cpp.)
#include "checks/os_detection.h"
#include "tests/stub/stub_check.h"

STUB_TEST(DetectionUnderThisSystemReadsAVersionThatActsAsAListedOne) {
  const OsDetails details = DetectOsDetails();
  CHECK(details.known);
  CHECK(details.version.platform == kPlatformWindowsNT);
  const int code = ClassifyOsVersion(details);
  CHECK(code == 5 || code == 10 || code == 20 || code == 30 || code == 40 || code == 50 ||
        code == 60 || code == 65 || code == 70 || code == 75 || code == 80 || code == 100);
  CHECK(*ListedSystemName(OsCodeActingAs(code, details)) != '\0');
  // The tests run as a 64-bit program, which only a 64-bit system runs.
  CHECK(sizeof(void *) != 8 || (IsSystem64Bit() == 1 && details.is64Bit));
}
