// Earlier installations: programs in the Add/Remove Programs list whose
// presence stops the installer until the user has removed them.
#ifndef QVS_CHECKS_EXISTING_INSTALLATIONS_H
#define QVS_CHECKS_EXISTING_INSTALLATIONS_H

#include <string>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// Whether an uninstall entry matches an item: the names are equal exactly
// (letter case counts), and the versions are equal exactly unless either
// is empty. Both item texts are taken as given (already expanded).
bool InstallationMatches(const std::string &programName, const std::string &programVersion,
                         const std::string &displayName, const std::string &displayVersion);

// Scans the Uninstall keys of the user and then of the machine; the first
// entry that matches an item with Remove 1 is reported (caption string 27,
// text 28 with $P the entry's DisplayVersion, exclamation icon) and ends
// the installer. The items are expanded again at each comparison. When
// nothing blocks, the items are released from `settings`. Uses
// showMessage, expandText, registrySubkeys, registryValueExists,
// registryReadValue.
CheckResult CheckExistingInstallations(ScriptSettings *settings, const CheckEnvironment &env);

#endif
