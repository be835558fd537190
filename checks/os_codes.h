// The OS code: one integer per run that classifies the running Windows
// version. Versions compare by code order: every code from 50 up (and 20)
// is the NT family, 80 and up is Windows 7 or later.
#ifndef QVS_CHECKS_OS_CODES_H
#define QVS_CHECKS_OS_CODES_H

enum OsCode {
  kOsNT3 = 5,
  kOsWindows95 = 10,
  kOsNT4 = 20,
  kOsWindows98 = 30,
  kOsWindowsMe = 40,
  kOsWindows2000 = 50,
  kOsWindowsXP = 60,
  kOsServer2003 = 65,
  kOsVista = 70,
  kOsServer2008 = 75,
  kOsWindows7 = 80,
  kOsOther = 100,  // later versions, unlisted minor versions, detection failure
};

// Codes below this are refused at start-up.
static const int kOsOldestSupported = kOsWindows95;

// NT family: NT 4.0, or Windows 2000 and everything after it.
inline bool IsNtFamily(int osCode) { return osCode == kOsNT4 || osCode >= kOsWindows2000; }

#endif
