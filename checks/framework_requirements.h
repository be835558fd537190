// The .NET Framework and Internet Explorer requirements of the installer
// script. A requirement code names one version exactly, or a version "or
// later" (a range of probes of which one must pass).
#ifndef QVS_CHECKS_FRAMEWORK_REQUIREMENTS_H
#define QVS_CHECKS_FRAMEWORK_REQUIREMENTS_H

#include <stdint.h>

#include <string>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// What a requirement code asks: probes `firstProbe` to `lastProbe` (one of
// them must pass), the language string that reports the failure and the
// version name it shows as $P.
struct VersionRequirement {
  int firstProbe = 0;
  int lastProbe = 0;
  int failureText = 0;
  const char *versionName = "";
};

// False for a code that asks nothing (0 and every unlisted code).
bool FindDotNetRequirement(int32_t code, VersionRequirement *requirement);
bool FindBrowserRequirement(int32_t code, VersionRequirement *requirement);

static const int kDotNetProbeCount = 7;
static const int kBrowserProbeCount = 6;

// .NET probe `probe` (0 to 6): a value below HKEY_LOCAL_MACHINE that must
// exist and read exactly as expected. Uses registryValueExists and
// registryReadValue.
bool DotNetProbePasses(const CheckEnvironment &env, int probe);
// Internet Explorer probe `probe` (0 to 5) on the text of the "Version"
// value: its first character is "4" for probe 0 ... "9" for probe 5.
bool BrowserVersionPasses(const std::string &versionText, int probe);

// True when the visit flag is 1 and the address holds more than spaces.
bool ShouldVisitWebPage(int32_t visitFlag, const std::string &address);

// The checks: return at once when the code asks nothing or a named probe
// passes; otherwise show the failure (caption string 8, exclamation icon),
// open the web page when asked (env.openWebAddress, the address as
// written) and end the installer.
CheckResult CheckDotNetRequirement(const ScriptSettings &settings, const CheckEnvironment &env);
CheckResult CheckBrowserRequirement(const ScriptSettings &settings, const CheckEnvironment &env);

#endif
