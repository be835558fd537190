// A minimal check harness for the stub's Windows tests (no GoogleTest for
// the MinGW targets). Each test is a function registered by STUB_TEST; a
// failed CHECK prints where and why and the test goes on.
#ifndef QVS_TESTS_STUB_STUB_CHECK_H
#define QVS_TESTS_STUB_STUB_CHECK_H

#include <stdio.h>

typedef void (*StubTestFunction)();

struct StubTestRegistration {
  StubTestRegistration(const char *name, StubTestFunction function);
};

// Counts one check; prints the failure with its location.
void RecordCheck(bool passed, const char *expression, const char *file, int line);

#define STUB_TEST(name)                                                   \
  static void name();                                                     \
  static StubTestRegistration name##_registration(#name, name);           \
  static void name()

#define CHECK(expression) RecordCheck((expression) ? true : false, #expression, __FILE__, __LINE__)

#endif
