// Small path operations that need no system: the checks of a user-typed
// install folder and start-menu group, the folder part of a path, the
// start-menu folder of a group, and the compaction of a long path for
// display given a way to measure text.
#ifndef QVS_SCRIPT_PATH_RULES_H
#define QVS_SCRIPT_PATH_RULES_H

#include <string>
#include <vector>

// 1 when `path` can be an install folder: not empty, none of * ? " < > |,
// no "::", "\\" or "\:", a first component that is not in `reservedNames`
// (lower case; see BuildReservedNames), and a drive colon or a backslash
// somewhere. Else 0.
int IsValidInstallPath(const std::string &path, const std::vector<std::string> &reservedNames);

// 1 when `name` can be a start-menu group: not empty, none of * ? " < > |
// and no colon or "\\". Single backslashes (or slashes) name nested
// folders, each a real name: a name that begins with a separator (rooted),
// or holds a "." or ".." component (also as "..." or ". ", which the system
// reads the same), would place the shortcuts outside the start menu. Else 0.
int IsValidGroupName(const std::string &name);

// `folder` with "\" appended unless it ends with one; "" gives "\".
std::string WithTrailingBackslash(const std::string &folder);

// Everything up to and including the last "\" or "/"; empty when there is
// neither.
std::string FolderPartOf(const std::string &path);

// The start-menu folder that receives the shortcuts: `programsFolder` (the
// expanded programs folder), "\", `groupName` and "\", with every double
// backslash reduced to one.
std::string BuildStartMenuFolder(const std::string &programsFolder, const std::string &groupName);

// Width in pixels of `text` in the font it will be shown in.
typedef int (*TextWidthFunction)(void *context, const std::string &text);

// `path` when it is at most `maxWidth` wide; otherwise the beginning of its
// folder part, "\..\" and the beginning of its file part, grown a character
// of each at a time until the whole is at least `maxWidth` less the width
// of "\..\".
std::string CompactPathForDisplay(const std::string &path, int maxWidth, TextWidthFunction measure,
                                  void *context);

#endif
