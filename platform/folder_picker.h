// The system's folder picker.
#ifndef QVS_PLATFORM_FOLDER_PICKER_H
#define QVS_PLATFORM_FOLDER_PICKER_H

#include <windows.h>

#include <string>

// Lets the user choose a folder, with `title` above the folder tree, the
// picker opened at `startFolder` where it exists. True and `chosen` set
// when a file-system folder was chosen; false when cancelled or failed.
bool PickFolder(HWND owner, const std::string &title, const std::string &startFolder,
                std::string *chosen);

#endif
