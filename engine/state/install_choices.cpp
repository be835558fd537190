#include "engine/state/install_choices.h"

#include <algorithm>

#include "engine/state/install_log.h"

InstallChoices &UserChoices() {
  static InstallChoices choices;
  return choices;
}

bool IsComponentSelected(const InstallChoices &choices, int32_t componentId) {
  return std::binary_search(choices.selectedComponents.begin(), choices.selectedComponents.end(),
                            componentId);
}

std::vector<std::string> ChoiceLogLines(const ScriptSettings &settings,
                                        const InstallChoices &choices) {
  std::vector<std::string> lines;
  lines.push_back("Install folder: " + QuotedForLog(choices.installFolder));
  std::string components;
  for (const Component &component : settings.components)
    if (IsComponentSelected(choices, component.ID))
      components += (components.empty() ? "" : ", ") + std::to_string((long)component.ID) + " " +
                    component.InternalName;
  lines.push_back("Components: " + (components.empty() ? std::string("none") : components));
  if (choices.userScopeOffered)
    lines.push_back(choices.allUsers ? "For all users" : "For the current user only");
  lines.push_back("Start-menu group: " +
                  (choices.createGroup ? QuotedForLog(choices.groupName) : std::string("none")));
  lines.push_back(std::string("Desktop shortcuts: ") + (choices.desktopShortcuts ? "yes" : "no"));
  lines.push_back(std::string("Quick-launch shortcuts: ") +
                  (choices.quickLaunchShortcuts ? "yes" : "no"));
  return lines;
}
