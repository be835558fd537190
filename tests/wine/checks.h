// The checks of the Wine test programs: each CHECK counts as passed or
// failed, a failure is printed with its line, and the program ends with
// ReportChecks, whose summary line the suites read.
#ifndef QVS_TESTS_WINE_CHECKS_H
#define QVS_TESTS_WINE_CHECKS_H

#include <stdio.h>

#include <string>

inline int g_passed = 0;
inline int g_failed = 0;

inline void Check(bool condition, const std::string &what, int line) {
  if (condition) {
    g_passed++;
  } else {
    g_failed++;
    printf("FAIL (line %d): %s\n", line, what.c_str());
  }
}

#define CHECK(condition, what) Check((condition), (what), __LINE__)

// Prints "checks: P passed, F failed"; the program's exit code.
inline int ReportChecks() {
  printf("checks: %d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 ? 0 : 1;
}

#endif
