#include <stdio.h>

#include "tests/stub/stub_check.h"
#include "tests/wine/crash_report.h"

namespace {

struct RegisteredTest {
  const char *name;
  StubTestFunction function;
};

const int kMaxTests = 128;
RegisteredTest gTests[kMaxTests];
int gTestCount = 0;
int gPassed = 0;
int gFailed = 0;
const char *gCurrent = "";

}  // namespace

StubTestRegistration::StubTestRegistration(const char *name, StubTestFunction function) {
  if (gTestCount < kMaxTests) gTests[gTestCount++] = RegisteredTest{name, function};
}

void RecordCheck(bool passed, const char *expression, const char *file, int line) {
  if (passed) {
    gPassed++;
    return;
  }
  gFailed++;
  printf("FAIL %s: %s:%d: %s\n", gCurrent, file, line, expression);
}

int main() {
  InstallCrashReport();
  for (int i = 0; i < gTestCount; i++) {
    gCurrent = gTests[i].name;
    int failedBefore = gFailed;
    gTests[i].function();
    printf("%s %s\n", gFailed == failedBefore ? "ok  " : "FAIL", gCurrent);
  }
  printf("RESULT %d %d\n", gPassed, gFailed);
  fflush(stdout);
  return gFailed == 0 ? 0 : 1;
}
