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

// True when `path` lies in `folder` (ending in "\") or below it, letter case
// ignored; *below gets the rest of `path` after the folder.
bool IsBelowFolder(const std::string &folder, const std::string &path, std::string *below);

// True when every file of `relativeFiles` (paths below the install folder,
// such as "Docs\Manual.txt") fits the installer's path limits
// (format/payload_limits.h) once placed below `folder` as the installation
// places it (with a "\" appended when missing): the whole path, and every
// folder the installer writes into, the install folder itself included.
bool FitsWindowsPathLimit(const std::string &folder, const std::vector<std::string> &relativeFiles);

#endif
