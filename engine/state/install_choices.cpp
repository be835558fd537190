#include "engine/state/install_choices.h"

#include <algorithm>

InstallChoices &UserChoices() {
  static InstallChoices choices;
  return choices;
}

bool IsComponentSelected(const InstallChoices &choices, int32_t componentId) {
  return std::binary_search(choices.selectedComponents.begin(), choices.selectedComponents.end(),
                            componentId);
}
