#include "platform/ini_files.h"

#include <windows.h>

namespace {

const DWORD kFirstBuffer = 4096;
// INI files are small; an answer beyond this is not read.
const DWORD kLargestBuffer = 16u << 20;

// A list answer (names separated by zeros, ended by two) into `names`.
// The profile functions report a cut-short list as buffer size less two.
template <typename Query>
std::vector<std::string> ReadNameList(Query query) {
  std::vector<std::string> names;
  for (DWORD size = kFirstBuffer; size <= kLargestBuffer; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length = query(&buffer[0], size);
    if (length + 2 >= size) continue;
    size_t start = 0;
    while (start < length) {
      const size_t end = buffer.find('\0', start);
      if (end == std::string::npos || end > length) break;
      if (end > start) names.push_back(buffer.substr(start, end - start));
      start = end + 1;
    }
    break;
  }
  return names;
}

}  // namespace

bool WriteIniGroupEmpty(const std::string &iniPath, const std::string &group) {
  // An empty key list: one terminating zero after the (empty) last entry.
  static const char kNoKeys[2] = {'\0', '\0'};
  // A key written and removed again, where the system writes no group for
  // an empty key list (Wine): removing a key leaves its group.
  static const char kPlaceholderKey[] = "QvsPlaceholder";
  if (!WritePrivateProfileSectionA(group.c_str(), kNoKeys, iniPath.c_str())) return false;
  for (const std::string &name : ReadIniGroupNames(iniPath))
    if (lstrcmpiA(name.c_str(), group.c_str()) == 0) return true;
  return WritePrivateProfileStringA(group.c_str(), kPlaceholderKey, "", iniPath.c_str()) &&
         WritePrivateProfileStringA(group.c_str(), kPlaceholderKey, NULL, iniPath.c_str());
}

bool WriteIniString(const std::string &iniPath, const std::string &group,
                    const std::string &key, const std::string &value) {
  return WritePrivateProfileStringA(group.c_str(), key.c_str(), value.c_str(),
                                    iniPath.c_str()) != 0;
}

std::vector<std::string> ReadIniGroupNames(const std::string &iniPath) {
  return ReadNameList([&](char *buffer, DWORD size) {
    return GetPrivateProfileSectionNamesA(buffer, size, iniPath.c_str());
  });
}

std::vector<std::string> ReadIniKeyNames(const std::string &iniPath, const std::string &group) {
  return ReadNameList([&](char *buffer, DWORD size) {
    return GetPrivateProfileStringA(group.c_str(), NULL, "", buffer, size, iniPath.c_str());
  });
}

std::string ReadIniString(const std::string &iniPath, const std::string &group,
                          const std::string &key) {
  for (DWORD size = kFirstBuffer; size <= kLargestBuffer; size *= 2) {
    std::string buffer(size, '\0');
    const DWORD length =
        GetPrivateProfileStringA(group.c_str(), key.c_str(), "", &buffer[0], size, iniPath.c_str());
    // A value cut short is reported as buffer size less one.
    if (length + 1 >= size) continue;
    buffer.resize(length);
    return buffer;
  }
  return std::string();
}

bool DeleteIniGroup(const std::string &iniPath, const std::string &group) {
  return WritePrivateProfileStringA(group.c_str(), NULL, NULL, iniPath.c_str()) != 0;
}

bool DeleteIniKey(const std::string &iniPath, const std::string &group, const std::string &key) {
  return WritePrivateProfileStringA(group.c_str(), key.c_str(), NULL, iniPath.c_str()) != 0;
}
