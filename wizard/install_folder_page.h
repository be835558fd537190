// The install-folder page (page 4): folder field 156 with Browse 157 and
// the space lines 158 (available) and 159 (required).
//
// Call order: BuildInstallFolderPage after BuildComponentsPage (it takes
// the principal folder and RequiredSpace from there); PreparePage(4) calls
// RefreshSpaceLabels; the page-4 container hands WM_COMMAND from 156 and
// 157 to OnInstallFolderCommand. GoToNextPage reads InstallFolderText and
// uses DriveExists and GetDiskSpace (disk_space.h) for its checks.
#ifndef QVS_WIZARD_INSTALL_FOLDER_PAGE_H
#define QVS_WIZARD_INSTALL_FOLDER_PAGE_H

#include <windows.h>

#include <string>

// Creates controls 153 to 159 in `container`; the folder field gets the
// principal folder ending in "\" and the space lines are computed. False
// when a control could not be made.
bool BuildInstallFolderPage(HWND container);

// WM_COMMAND from the folder field (EN_CHANGE: the space lines follow the
// typed drive) or the Browse button (BN_CLICKED: the folder picker, titled
// with language string 142, starting at the field's folder).
void OnInstallFolderCommand(int controlId, int notifyCode);

// Recomputes both space lines: the free space of the folder field's drive
// (or of the installer's own drive when the field's drive does not exist)
// and RequiredSpace.
void RefreshSpaceLabels();

// The folder field's text as typed (empty before the page is built).
std::string InstallFolderText();

#endif
