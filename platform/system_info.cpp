#include "platform/system_info.h"

#include <windows.h>

#include "platform/libraries.h"

namespace {
typedef void(WINAPI *GetNativeSystemInfoFn)(LPSYSTEM_INFO);
}

bool ReadOsVersion(OsVersion *version) {
  if (version == NULL) return false;
  *version = OsVersion();
  OSVERSIONINFOA basic;
  ZeroMemory(&basic, sizeof basic);
  basic.dwOSVersionInfoSize = sizeof basic;
  // GetVersionExA is deprecated in newer SDKs but is the call every system
  // this installer supports has.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&basic)) return false;
  version->majorVersion = basic.dwMajorVersion;
  version->minorVersion = basic.dwMinorVersion;
  version->buildNumber = basic.dwBuildNumber;
  if (basic.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    version->platform = kPlatformWindows9x;
    version->buildNumber = LOWORD(basic.dwBuildNumber);
  } else if (basic.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    version->platform = kPlatformWindowsNT;
    OSVERSIONINFOEXA extended;
    ZeroMemory(&extended, sizeof extended);
    extended.dwOSVersionInfoSize = sizeof extended;
    version->isWorkstation = GetVersionExA((OSVERSIONINFOA *)&extended) &&
                             extended.wProductType == VER_NT_WORKSTATION;
  }
#pragma GCC diagnostic pop
  return true;
}

NativeArchitecture ReadNativeArchitecture() {
  NativeArchitecture result = kArchitectureUnknown;
  LibraryHandle kernel = GetLoadedSystemLibrary("kernel32.dll");
  GetNativeSystemInfoFn getInfo =
      (GetNativeSystemInfoFn)FindLibraryFunction(kernel, "GetNativeSystemInfo");
  if (getInfo != NULL) {
    SYSTEM_INFO info;
    ZeroMemory(&info, sizeof info);
    getInfo(&info);
    result = info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL ? kArchitectureIntel32
                                                                          : kArchitectureOther;
  }
  return result;
}

std::string ReadUserLanguageDigits() {
  char digits[8] = {0};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, digits, sizeof digits);
  if (length <= 0) return std::string();
  digits[sizeof digits - 1] = '\0';
  return std::string(digits);
}

uint32_t ReadRandomSeed() {
  LARGE_INTEGER counter;
  counter.QuadPart = 0;
  QueryPerformanceCounter(&counter);
  return (uint32_t)GetTickCount() ^ ((uint32_t)GetCurrentProcessId() << 16) ^
         (uint32_t)counter.LowPart ^ (uint32_t)counter.HighPart;
}
