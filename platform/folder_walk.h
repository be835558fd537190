// Walking a folder tree.
#ifndef QVS_PLATFORM_FOLDER_WALK_H
#define QVS_PLATFORM_FOLDER_WALK_H

#include <string>
#include <vector>

// The names (last path component) of every folder below `folder` (which
// ends in "\"), at any depth, each folder before the folders inside it, in
// the order the system lists them; "." and ".." and files are left out.
// The walk stops going deeper after `maxDepth` levels and after `maxCount`
// names, so that a folder loop (a junction to a parent) ends.
std::vector<std::string> ListSubfolderNames(const std::string &folder, int maxDepth,
                                            size_t maxCount);

#endif
