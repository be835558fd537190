// What the user chose in the wizard, frozen into one record when the review
// page is left. From then on the engine and its workers read this record and
// never a control: a worker that asked a control of the interface thread
// while that thread waits for it would deadlock.
#ifndef QVS_ENGINE_STATE_INSTALL_CHOICES_H
#define QVS_ENGINE_STATE_INSTALL_CHOICES_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/script_settings.h"

struct InstallChoices {
  // The install-folder field as typed.
  std::string installFolder;
  // The installation-mode page took part, and "anyone using this computer"
  // was chosen there.
  bool userScopeOffered = false;
  bool allUsers = false;
  // The script's CreateGroup is 1 and the no-group box is not checked; the
  // group field's text.
  bool createGroup = false;
  std::string groupName;
  // The additional-tasks boxes: desktop and quick-launch shortcuts.
  bool desktopShortcuts = false;
  bool quickLaunchShortcuts = false;
  // 0 default, 1 full, 2 custom.
  int installType = 0;
  // The IDs of the components the wizard counted as selected, ascending.
  std::vector<int32_t> selectedComponents;
};

// The process's frozen choices (empty until the review page is left).
InstallChoices &UserChoices();

// True when `componentId` is among the selected components; never for an
// ID no component carries (such as the 0 of items that belong to none).
bool IsComponentSelected(const InstallChoices &choices, int32_t componentId);

// The log's account of `choices`, one line each, the same for an
// interactive and a silent run: the install folder, the components (ID and
// internal name), for whom (when the choice was offered), the start-menu
// group, and the desktop and quick-launch shortcut boxes.
std::vector<std::string> ChoiceLogLines(const ScriptSettings &settings,
                                        const InstallChoices &choices);

#endif
