/* The demo product's stand-in programs: each shows one message box naming
 * itself and ends. Built without the C runtime so that each stays a few KB;
 * DEMO_TEXT is set per program by tools/make-demo-programs.sh. */
#include <windows.h>

#ifndef DEMO_TEXT
#define DEMO_TEXT "Demo Product"
#endif

void __stdcall DemoEntry(void) {
  MessageBoxA(NULL, DEMO_TEXT, "Demo Product 1.0", MB_OK | MB_ICONINFORMATION);
  ExitProcess(0);
}
