// INI files through the system's profile functions (which find, add and
// compare groups and keys ignoring letter case). Results are complete
// however long: buffers grow until the answer fits.
#ifndef QVS_PLATFORM_INI_FILES_H
#define QVS_PLATFORM_INI_FILES_H

#include <string>
#include <vector>

// Writes `group` with no keys (WritePrivateProfileSectionA): an existing
// group of that name loses its keys. True once the group is in the file.
bool WriteIniGroupEmpty(const std::string &iniPath, const std::string &group);
// Writes one key (WritePrivateProfileStringA).
bool WriteIniString(const std::string &iniPath, const std::string &group,
                    const std::string &key, const std::string &value);
// Removes a whole group with its keys, or one key of a group.
bool DeleteIniGroup(const std::string &iniPath, const std::string &group);
bool DeleteIniKey(const std::string &iniPath, const std::string &group, const std::string &key);
// The names of the file's groups; empty for a missing file.
std::vector<std::string> ReadIniGroupNames(const std::string &iniPath);
// The names of the keys of `group`.
std::vector<std::string> ReadIniKeyNames(const std::string &iniPath, const std::string &group);
// The value of a key; empty when it is missing.
std::string ReadIniString(const std::string &iniPath, const std::string &group,
                          const std::string &key);

#endif
