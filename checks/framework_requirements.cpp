#include "checks/framework_requirements.h"

#include "checks/check_messages.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "script/registry_text.h"
#include "script/string_ids.h"

namespace {

struct DotNetProbe {
  const char *keyPath;
  const char *valueName;
  const char *expected;
};

const DotNetProbe kDotNetProbes[kDotNetProbeCount] = {
    {"Software\\Microsoft\\.NETFramework\\Policy\\v1.0", "3705", "3321-3705"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v1.1.4322", "Install", "1"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727", "Install", "1"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.0\\Setup", "InstallSuccess", "1"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5", "Install", "1"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full", "Install", "1"},
    {"Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client", "Install", "1"},
};

const char *const kDotNetNames[kDotNetProbeCount] = {"1.0", "1.1", "2.0", "3.0",
                                                     "3.5", "4.0", "4.0 Client Profile"};
const char *const kBrowserNames[kBrowserProbeCount] = {"4", "5", "6", "7", "8", "9"};

const char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";

// Codes 1..exactCount name one probe each; the next `laterCount` codes name
// "this probe or any after it", the last probe being `lastProbe`.
bool FindRequirement(int32_t code, int exactCount, int laterCount, int lastProbe,
                     int exactText, int laterText, const char *const *names,
                     VersionRequirement *out) {
  if (code >= 1 && code <= exactCount) {
    int probe = code - 1;
    out->firstProbe = probe;
    out->lastProbe = probe;
    out->failureText = exactText;
    out->versionName = names[probe];
    return true;
  }
  if (code > exactCount && code <= exactCount + laterCount) {
    int probe = code - exactCount - 1;
    out->firstProbe = probe;
    out->lastProbe = lastProbe;
    out->failureText = laterText;
    out->versionName = names[probe];
    return true;
  }
  return false;
}

bool RequirementMet(const VersionRequirement &req, const CheckEnvironment &env,
                    bool (*probe)(const CheckEnvironment &, int, const std::string &),
                    const std::string &probeInput) {
  for (int p = req.firstProbe; p <= req.lastProbe; p++)
    if (probe(env, p, probeInput)) return true;
  return false;
}

bool DotNetProbeAdapter(const CheckEnvironment &env, int probe, const std::string &) {
  return DotNetProbePasses(env, probe);
}

bool BrowserProbeAdapter(const CheckEnvironment &, int probe, const std::string &version) {
  return BrowserVersionPasses(version, probe);
}

CheckResult ReportMissingVersion(const CheckEnvironment &env, const VersionRequirement &req,
                                 int32_t visitFlag, const std::string &address) {
  std::string text = ReplacePlaceholder(LangString(req.failureText), "$P", req.versionName);
  ShowCheckMessage(env, kStrRequirementsCaption, text, kCheckButtonsOk, kCheckIconExclamation);
  if (ShouldVisitWebPage(visitFlag, address) && env.openWebAddress != nullptr)
    env.openWebAddress(address);
  return kCheckEndInstaller;
}

}  // namespace

bool FindDotNetRequirement(int32_t code, VersionRequirement *requirement) {
  // Codes 8 to 12: 1.0 ... 3.5 or later, where the 4.0 Client Profile
  // (the last probe) counts as later.
  return requirement != nullptr &&
         FindRequirement(code, 7, 5, kDotNetProbeCount - 1, kStrDotNetExact, kStrDotNetOrNewer,
                         kDotNetNames, requirement);
}

bool FindBrowserRequirement(int32_t code, VersionRequirement *requirement) {
  return requirement != nullptr &&
         FindRequirement(code, 6, 5, kBrowserProbeCount - 1, kStrIeExact, kStrIeOrNewer,
                         kBrowserNames, requirement);
}

bool DotNetProbePasses(const CheckEnvironment &env, int probe) {
  if (probe < 0 || probe >= kDotNetProbeCount) return false;
  if (env.registryValueExists == nullptr || env.registryReadValue == nullptr) return false;
  const DotNetProbe &p = kDotNetProbes[probe];
  if (!env.registryValueExists(kRootLocalMachine, p.keyPath, p.valueName)) return false;
  return env.registryReadValue(kRootLocalMachine, p.keyPath, p.valueName) == p.expected;
}

bool BrowserVersionPasses(const std::string &versionText, int probe) {
  if (probe < 0 || probe >= kBrowserProbeCount || versionText.empty()) return false;
  return versionText[0] == (char)('4' + probe);
}

bool ShouldVisitWebPage(int32_t visitFlag, const std::string &address) {
  return visitFlag == 1 && !TrimSpaces(address).empty();
}

CheckResult CheckDotNetRequirement(const ScriptSettings &settings, const CheckEnvironment &env) {
  VersionRequirement req;
  if (!FindDotNetRequirement(settings.DotNETVersion, &req)) return kCheckContinue;
  if (RequirementMet(req, env, DotNetProbeAdapter, std::string())) return kCheckContinue;
  return ReportMissingVersion(env, req, settings.DotNETVisitWebpage, settings.DotNETWebpageAddress);
}

CheckResult CheckBrowserRequirement(const ScriptSettings &settings, const CheckEnvironment &env) {
  VersionRequirement req;
  if (!FindBrowserRequirement(settings.IEVersion, &req)) return kCheckContinue;
  std::string version;
  if (env.registryReadValue != nullptr)
    version = env.registryReadValue(kRootLocalMachine, kBrowserKey, "Version");
  if (RequirementMet(req, env, BrowserProbeAdapter, version)) return kCheckContinue;
  return ReportMissingVersion(env, req, settings.IEVisitWebpage, settings.IEWebpageAddress);
}
