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

int FindRunningItems(const std::vector<CloseItem> &items, const CheckEnvironment &env,
                     const std::string &mutexLine, const std::string &windowLine,
                     std::string *report) {
  int found = 0;
  for (const CloseItem &item : items) {
    if (item.Type == kTypeMutex) {
      if (env.isMutexPresent != nullptr && env.isMutexPresent(item.MutexName)) {
        if (report != nullptr) *report += ReplacePlaceholder(mutexLine, "$P", item.MutexName);
        found++;
      }
    } else if (item.Type == kTypeWindow) {
      if (env.isWindowPresent != nullptr &&
          env.isWindowPresent(item.WindowName, item.WindowClass, ContainsFlagFor(item))) {
        if (report != nullptr) *report += ReplacePlaceholder(windowLine, "$P", item.WindowName);
        found++;
      }
    }
  }
  return found;
}

CheckResult CheckRunningInstances(ScriptSettings *settings, const CheckEnvironment &env) {
  if (settings == nullptr || settings->closeItemsInstaller.empty()) return kCheckContinue;
  std::vector<CloseItem> items;
  items.swap(settings->closeItemsInstaller);
  std::string report;
  const int found = FindRunningItems(items, env, LangString(kStrActiveMutexLine),
                                     LangString(kStrOpenWindowLine), &report);
  if (found == 0) return kCheckContinue;
  std::string text = ReplacePlaceholder(LangString(kStrActivePrograms), "$P", report);
  ShowCheckMessage(env, kStrActiveProgramsCaption, text, kCheckButtonsOk, kCheckIconExclamation);
  return kCheckEndInstaller;
}
