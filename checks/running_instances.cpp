#include "checks/running_instances.h"

#include <vector>

#include "checks/check_messages.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "script/string_ids.h"

namespace {

const int32_t kTypeMutex = 0;
const int32_t kTypeWindow = 1;

std::string Comparable(const std::string &text) { return TrimSpaces(AnsiLower(text)); }

}  // namespace

bool WindowMatches(const std::string &title, const std::string &className,
                   const std::string &windowName, const std::string &windowClass,
                   int containsFlag) {
  if (windowName.empty()) return false;
  std::string wantedTitle = Comparable(windowName);
  std::string actualTitle = Comparable(title);
  bool titleMatches = containsFlag == 1 ? actualTitle.find(wantedTitle) != std::string::npos
                                        : actualTitle == wantedTitle;
  if (!titleMatches) return false;
  return windowClass.empty() || Comparable(className) == Comparable(windowClass);
}

int ContainsFlagFor(const CloseItem &item) { return item.MatchExactly == 1 ? 0 : 1; }

CheckResult CheckRunningInstances(ScriptSettings *settings, const CheckEnvironment &env) {
  if (settings == nullptr || settings->closeItemsInstaller.empty()) return kCheckContinue;
  std::vector<CloseItem> items;
  items.swap(settings->closeItemsInstaller);
  std::string report;
  int found = 0;
  for (const CloseItem &item : items) {
    if (item.Type == kTypeMutex) {
      if (env.isMutexPresent != nullptr && env.isMutexPresent(item.MutexName)) {
        report += ReplacePlaceholder(LangString(kStrActiveMutexLine), "$P", item.MutexName);
        found++;
      }
    } else if (item.Type == kTypeWindow) {
      if (env.isWindowPresent != nullptr &&
          env.isWindowPresent(item.WindowName, item.WindowClass, ContainsFlagFor(item))) {
        report += ReplacePlaceholder(LangString(kStrOpenWindowLine), "$P", item.WindowName);
        found++;
      }
    }
  }
  if (found == 0) return kCheckContinue;
  std::string text = ReplacePlaceholder(LangString(kStrActivePrograms), "$P", report);
  ShowCheckMessage(env, kStrActiveProgramsCaption, text, kCheckButtonsOk, kCheckIconExclamation);
  return kCheckEndInstaller;
}
