// For the test programs that run under Wine: output goes out unbuffered and
// a crash prints its exception code and address before the program ends.
// Without this a crash loses whatever stdout still held, and the suite sees
// a program that printed nothing.
#ifndef QVS_TESTS_WINE_CRASH_REPORT_H
#define QVS_TESTS_WINE_CRASH_REPORT_H

#include <stdio.h>
#include <windows.h>

inline LONG WINAPI ReportCrash(EXCEPTION_POINTERS *exception) {
  const EXCEPTION_RECORD *record = exception->ExceptionRecord;
  printf("FAIL: crashed with exception %08lx at %p\n", (unsigned long)record->ExceptionCode,
         record->ExceptionAddress);
  fflush(stdout);
  return EXCEPTION_EXECUTE_HANDLER;
}

inline void InstallCrashReport() {
  setvbuf(stdout, NULL, _IONBF, 0);
  SetUnhandledExceptionFilter(ReportCrash);
}

#endif
