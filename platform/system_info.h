// Facts about the running system: version, processor architecture, the
// user's locale, and a seed for random numbers.
#ifndef QVS_PLATFORM_SYSTEM_INFO_H
#define QVS_PLATFORM_SYSTEM_INFO_H

#include <stdint.h>

#include <string>

enum OsPlatform { kPlatformWindows9x, kPlatformWindowsNT, kPlatformOther };

struct OsVersion {
  OsPlatform platform = kPlatformOther;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  // On Windows 95, 98 and Me the lower word of what the system reports
  // (the upper word repeats the version).
  uint32_t buildNumber = 0;
  // Only meaningful on the NT platform: false for servers and domain
  // controllers, and when the extended version record cannot be read.
  bool isWorkstation = false;
};

// Reads the version the system reports (GetVersionExA). Windows 8.1 and
// later report their own version only to a program whose manifest names
// them, else 6.2 build 9200. False when it fails.
bool ReadOsVersion(OsVersion *version);

enum NativeArchitecture { kArchitectureUnknown, kArchitectureIntel32, kArchitectureOther };
// The processor architecture of the system, not of this process
// (GetNativeSystemInfo, looked up at run time); unknown where the system
// lacks that function.
NativeArchitecture ReadNativeArchitecture();

// The user's default language ID as the locale gives it: four hexadecimal
// digits such as "0409". Empty when it cannot be read.
std::string ReadUserLanguageDigits();

// A number that differs between runs, to seed a pseudo-random sequence.
uint32_t ReadRandomSeed();

#endif
