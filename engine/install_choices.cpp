#include "engine/install_choices.h"

#include <algorithm>

InstallChoices &UserChoices() {
  static InstallChoices choices;
  return choices;
}

bool IsComponentSelected(const InstallChoices &choices, int32_t componentId) {
  return std::binary_search(choices.selectedComponents.begin(), choices.selectedComponents.end(),
                            componentId);
}

std::string StartMenuGroupFolder(const InstallChoices &choices, const std::string &base) {
  if (!choices.createGroup) return std::string();
  const std::string joined = base + "\\" + choices.groupName + "\\";
  std::string folder;
  folder.reserve(joined.size());
  for (size_t i = 0; i < joined.size(); i++) {
    folder += joined[i];
    if (joined[i] == '\\' && i + 1 < joined.size() && joined[i + 1] == '\\') i++;
  }
  return folder;
}
