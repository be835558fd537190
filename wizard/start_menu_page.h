// The start-menu page (page 6): the group name, the existing start-menu
// folders to pick from, and the box that asks for no group at all.
#ifndef QVS_WIZARD_START_MENU_PAGE_H
#define QVS_WIZARD_START_MENU_PAGE_H

#include <windows.h>

#include <string>

#include "script/script_settings.h"

void BuildStartMenuPage(HWND container, const ScriptSettings &settings);
// Fills the folder list once, from the all-users start menu when option
// 180 is set, else from the user's own. Call after the mode page is built.
void FillStartMenuList();

// A row picked in the list (206): the group field becomes the row's text,
// "\" and the script's group name.
void OnStartMenuListSelect(const ScriptSettings &settings);
// The no-group box (207): field and list are disabled while it is checked.
void OnNoGroupToggle();

std::string GroupFieldText();
bool IsNoGroupChecked();

#endif
