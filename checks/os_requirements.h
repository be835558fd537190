// The operating-system requirement of the installer script, and the
// per-system switches of required items and tasks.
#ifndef QVS_CHECKS_OS_REQUIREMENTS_H
#define QVS_CHECKS_OS_REQUIREMENTS_H

#include <stdint.h>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// The SystemRequirements flag that allows `osCode` (Win95 ... Win7); null
// for codes that have none (NT 3.x, anything else).
const int32_t *SystemRequirementFlag(const ScriptSettings &settings, int osCode);

// Whether an item or task with these switches applies on `osCode`: its
// switch for the code is nonzero, and a code without a switch always
// applies.
bool OsFlagsApply(const OsFlags &flags, int osCode);

// The first check of the main flow. Refuses, with language string 6, a
// system whose SystemRequirements flag is 0, and, with string 7, a 64-bit
// system when SystemRequirements/InstallerType is 1 (env.isSystem64Bit is
// only asked then). Caption string 3, information icon, texts as they
// stand. Uses env.osCode, showMessage, isSystem64Bit.
CheckResult CheckOsRequirements(const ScriptSettings &settings, const CheckEnvironment &env);

#endif
