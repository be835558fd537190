#include "checks/os_detection.h"

namespace {

int ClassifyWindows9x(uint32_t minor) {
  if (minor == 0) return kOsWindows95;
  if (minor == 10) return kOsWindows98;
  if (minor == 90) return kOsWindowsMe;
  return kOsOther;
}

int ClassifyWindowsNT(uint32_t major, uint32_t minor, bool workstation) {
  if (major == 3) return kOsNT3;
  if (major == 4) return kOsNT4;
  if (major == 5) {
    if (minor == 0) return kOsWindows2000;
    if (minor == 1) return kOsWindowsXP;
    // XP x64 reports 5.2 as a workstation.
    if (minor == 2) return workstation ? kOsWindowsXP : kOsServer2003;
    return kOsOther;
  }
  if (major == 6) {
    if (minor == 0) return workstation ? kOsVista : kOsServer2008;
    // Server 2008 R2 is 6.1 as a server.
    if (minor == 1) return workstation ? kOsWindows7 : kOsServer2008;
    return kOsOther;
  }
  return kOsOther;
}

}  // namespace

int ClassifyOsVersion(bool known, const OsVersion &version) {
  if (!known) return kOsOther;
  if (version.platform == kPlatformWindows9x) return ClassifyWindows9x(version.minorVersion);
  if (version.platform == kPlatformWindowsNT)
    return ClassifyWindowsNT(version.majorVersion, version.minorVersion, version.isWorkstation);
  return kOsOther;
}
