// The texts of the install-folder page: the folder field's first value, the
// drive a folder names and the two space lines. Portable.
#ifndef QVS_WIZARD_INSTALL_FOLDER_TEXT_H
#define QVS_WIZARD_INSTALL_FOLDER_TEXT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/path_rules.h"

// The drive part of a folder text: its first three characters ("C:\").
std::string DriveOfFolder(const std::string &folder);

// True when `text`, trimmed of spaces and tabs, names no folder at all:
// empty or a lone "\".
bool IsBlankFolderText(const std::string &text);

// A space line: `pattern` (a language string holding "$P") with "$P"
// replaced by FormatSize(bytes, decimals), or by `notAvailable` when
// `bytes` is negative (a failed disk query).
std::string SpaceLineText(const std::string &pattern, int64_t bytes, int decimals,
                          const std::string &notAvailable);

// Windows refuses a path of more than 259 characters (MAX_PATH with its
// terminator), and a folder of more than 247 (the room CreateDirectory
// keeps for a short file name).
static const size_t kLongestWindowsPath = 259;
static const size_t kLongestWindowsFolder = 247;

// True when `path` lies in `folder` (ending in "\") or below it, letter case
// ignored; *below gets the rest of `path` after the folder.
bool IsBelowFolder(const std::string &folder, const std::string &path, std::string *below);

// True when every file of `relativeFiles` (paths below the install folder,
// such as "Docs\Manual.txt") fits these limits once placed below `folder`
// as the installation places it (with a "\" appended when missing), and
// so does every folder that holds one.
bool FitsWindowsPathLimit(const std::string &folder, const std::vector<std::string> &relativeFiles);

#endif
