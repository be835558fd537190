#include "checks/hardware_requirements.h"

#include <string>

#include "checks/check_messages.h"
#include "script/language_strings.h"
#include "script/string_ids.h"

namespace {

// A report line: "- " and the line text with $P the minimum and $Q the
// recommended value of the resource, whichever pass reports it.
std::string ReportLine(int textIndex, int64_t minimum, int64_t recommended) {
  std::string line = ReplacePlaceholder(LangString(textIndex), "$P", std::to_string(minimum));
  return "- " + ReplacePlaceholder(line, "$Q", std::to_string(recommended));
}

// One pass against the minimum or the recommended thresholds; returns the
// number of misses and appends their lines to `report`.
int RunPass(const ScriptSettings &s, const CheckEnvironment &env, bool recommended,
            std::string *report) {
  int misses = 0;
  if (s.CheckCPUSpeed == 1) {
    int32_t speed = env.measureProcessorSpeed != nullptr ? env.measureProcessorSpeed() : 0;
    int32_t threshold = recommended ? s.CPUSpeedRec : s.CPUSpeedMin;
    if (speed < threshold) {
      *report += ReportLine(kStrProcessorLine, s.CPUSpeedMin, s.CPUSpeedRec);
      misses++;
    }
  }
  if (s.CheckMemSize == 1) {
    uint64_t bytes = env.measurePhysicalMemory != nullptr ? env.measurePhysicalMemory() : 0;
    int64_t megabytes = MemoryMegabytes(bytes);
    int64_t threshold = recommended ? s.MemSizeRec : s.MemSizeMin;
    if (megabytes < threshold) {
      *report += ReportLine(kStrMemoryLine, s.MemSizeMin, s.MemSizeRec);
      misses++;
    }
  }
  return misses;
}

CheckResult ReportMisses(const CheckEnvironment &env, std::string report, int32_t failFlag) {
  if (failFlag == 0) {
    report += "\r\n" + LangString(kStrContinueAnyway);
    bool yes = ShowCheckMessage(env, kStrInformationCaption, report, kCheckButtonsYesNo, kCheckIconExclamation);
    return yes ? kCheckContinue : kCheckEndInstaller;
  }
  report += "\r\n" + LangString(kStrCannotContinue);
  ShowCheckMessage(env, kStrInformationCaption, report, kCheckButtonsOk, kCheckIconExclamation);
  return kCheckEndInstaller;
}

}  // namespace

int64_t MemoryMegabytes(uint64_t totalBytes) {
  return (int64_t)(totalBytes / 1024 / 1024) + 1;
}

CheckResult CheckHardwareRequirements(const ScriptSettings &settings, const CheckEnvironment &env) {
  if (settings.CheckSysRequirements != 1) return kCheckContinue;
  std::string report = LangString(kStrBelowMinimum);
  if (RunPass(settings, env, false, &report) > 0)
    return ReportMisses(env, report, settings.FailMinimumReqs);
  report = LangString(kStrBelowRecommended);
  if (RunPass(settings, env, true, &report) > 0)
    return ReportMisses(env, report, settings.FailRecommendedReqs);
  return kCheckContinue;
}
