// The answers of an unattended installation, taken from the command line
// where the wizard would take them from its pages, with the wizard's own
// defaults for what the line leaves out. Portable.
#ifndef QVS_WIZARD_UNATTENDED_CHOICES_H
#define QVS_WIZARD_UNATTENDED_CHOICES_H

#include <stdint.h>

#include <string>
#include <vector>

#include "engine/state/install_choices.h"
#include "engine/state/unattended_options.h"
#include "script/script_settings.h"
#include "wizard/tree_states.h"

struct UnattendedDefaults {
  // The component tree as the wizard builds it (presets applied).
  TreeModel tree;
  // The install-folder field's first text (the principal component's folder
  // expanded, ending in "\").
  std::string folder;
  // The installation-mode page would take part (NT family, administrator).
  bool userScopeOffered = false;
  // The running system's OS code, for the tasks page's shortcut boxes.
  int osCode = 0;
};

// Fills *choices from `options` and `defaults` as the wizard's pages would
// have left them: the components of /COMPONENTS (and those that are always
// installed) or of /TYPE (else the preset selection); /D= or the default
// folder; /ALLUSERS or /CURRENTUSER when the choice is offered (else the
// page's default, all users); /GROUP= or /NOGROUP (else the script's group
// name); the desktop and quick-launch shortcuts as the tasks page would
// have them, ticked when it shows them (there are such shortcuts for the
// selected components), unless /NODESKTOP or /NOQUICKLAUNCH refuse them.
// False, with *problem saying which
// answer, when the wizard would refuse one: a component the installer does
// not have, or a group name it would not accept.
bool MakeUnattendedChoices(const UnattendedOptions &options, const ScriptSettings &settings,
                           const UnattendedDefaults &defaults, InstallChoices *choices,
                           std::string *problem);

#endif
