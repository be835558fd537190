// The installation-mode page (page 5): for all users or for the current
// user only.
#ifndef QVS_WIZARD_INSTALL_MODE_PAGE_H
#define QVS_WIZARD_INSTALL_MODE_PAGE_H

#include <windows.h>

#include <string>

// `userName` is the logon name read when the main flow started. Option 180
// starts set on the NT family, 181 otherwise.
void BuildInstallModePage(HWND container, const std::string &userName);

// True while option 180 (all users) is set.
bool IsAllUsersChosen();

#endif
