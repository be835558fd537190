#include "checks/os_classification.h"

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

// NT 6.2 (Windows 8, Server 2012) and everything after it.
bool IsLaterNt(const OsVersion &version) {
  return version.platform == kPlatformWindowsNT &&
         (version.majorVersion > 6 || (version.majorVersion == 6 && version.minorVersion >= 2));
}

struct ListedSystem {
  int code;
  const char *name;
};

const ListedSystem kListedSystems[] = {
    {kOsNT3, "Windows NT 3.x"},       {kOsWindows95, "Windows 95"},     {kOsNT4, "Windows NT 4.0"},
    {kOsWindows98, "Windows 98"},     {kOsWindowsMe, "Windows Me"},
    {kOsWindows2000, "Windows 2000"}, {kOsWindowsXP, "Windows XP"},
    {kOsServer2003, "Windows Server 2003"}, {kOsVista, "Windows Vista"},
    {kOsServer2008, "Windows Server 2008"}, {kOsWindows7, "Windows 7"},
};

std::string DescribeVersion(const OsVersion &v) {
  std::string text = "Windows " + std::to_string(v.majorVersion) + "." +
                     std::to_string(v.minorVersion) + " build " + std::to_string(v.buildNumber);
  if (v.platform == kPlatformWindowsNT) text += v.isWorkstation ? ", workstation" : ", server";
  return text;
}

}  // namespace

int ClassifyOsVersion(const OsDetails &details) {
  if (!details.known) return kOsOther;
  const OsVersion &v = details.version;
  if (v.platform == kPlatformWindows9x) return ClassifyWindows9x(v.minorVersion);
  if (v.platform == kPlatformWindowsNT)
    return ClassifyWindowsNT(v.majorVersion, v.minorVersion, v.isWorkstation);
  return kOsOther;
}

int OsCodeActingAs(int osCode, const OsDetails &details) {
  if (osCode != kOsOther) return osCode;
  if (!details.known) return kOsWindows7;
  if (IsLaterNt(details.version)) return details.version.isWorkstation ? kOsWindows7 : kOsServer2008;
  return kOsOther;
}

const char *ListedSystemName(int osCode) {
  for (const ListedSystem &system : kListedSystems)
    if (system.code == osCode) return system.name;
  return "";
}

std::string DescribeRunningSystem(int osCode, const OsDetails &details) {
  std::string text = details.known ? DescribeVersion(details.version) +
                                         (details.is64Bit ? ", 64-bit" : ", 32-bit")
                                   : std::string("the Windows version could not be read");
  text += " (OS code " + std::to_string(osCode) + ", ";
  const int actingAs = OsCodeActingAs(osCode, details);
  const std::string name = ListedSystemName(actingAs);
  if (actingAs == osCode && !name.empty()) return text + name + ")";
  return text + "acts as " + (name.empty() ? "no listed system" : name) + ")";
}
