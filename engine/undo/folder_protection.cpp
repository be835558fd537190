#include "engine/undo/folder_protection.h"

#include <ctype.h>

#include <algorithm>

#include "script/ansi_text.h"

namespace {

const char kUncLead[] = "\\\\";

std::vector<std::string> SplitNames(const std::string &text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// The system drops trailing dots and blanks from a name: "Windows." is
// "Windows". The names "." and ".." are kept for the caller to resolve.
std::string SystemName(const std::string &name) {
  if (name == "." || name == "..") return name;
  size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) end--;
  return name.substr(0, end);
}

// True when `folder` is `other` or holds it.
bool HoldsOrIs(const std::string &folder, const std::string &other) {
  if (other.size() < folder.size() || other.compare(0, folder.size(), folder) != 0) return false;
  return other.size() == folder.size() || other[folder.size()] == '\\';
}

std::string ParentOf(const std::string &folder) {
  const size_t last = folder.rfind('\\');
  return last == std::string::npos ? std::string() : folder.substr(0, last);
}

}  // namespace

std::string NormalizeFolderPath(const std::string &path) {
  std::string text = path;
  for (char &c : text) c = c == '/' ? '\\' : (char)AnsiLowerChar((unsigned char)c);
  std::string root;
  size_t rootNames = 0;  // names that belong to the root (server, share)
  if (text.compare(0, 2, kUncLead) == 0) {
    if (text.size() > 2 && (text[2] == '?' || text[2] == '.') &&
        (text.size() == 3 || text[3] == '\\')) {
      return std::string();
    }
    root = kUncLead;
    rootNames = 2;
    text = text.substr(2);
  } else if (text.size() >= 3 && isalpha((unsigned char)text[0]) && text[1] == ':' &&
             text[2] == '\\') {
    root = text.substr(0, 2);
    text = text.substr(2);
  } else {
    return std::string();
  }
  std::vector<std::string> kept;
  for (const std::string &raw : SplitNames(text)) {
    // A colon after the drive names a stream ("C:\Windows::$INDEX_ALLOCATION"
    // is the folder C:\Windows): no folder of its own.
    if (raw.find(':') != std::string::npos) return std::string();
    const std::string name = SystemName(raw);
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (kept.size() <= rootNames) return std::string();
      kept.pop_back();
      continue;
    }
    kept.push_back(name);
  }
  if (kept.size() < rootNames) return std::string();
  std::string normal = root;
  // A share's server follows the root's "\\" directly.
  for (size_t i = 0; i < kept.size(); i++) {
    if (i > 0 || rootNames == 0) normal += "\\";
    normal += kept[i];
  }
  return normal;
}

bool IsFolderDeletionRefused(const std::string &folder, const ProtectedFolders &protectedFolders) {
  const std::string normal = NormalizeFolderPath(folder);
  if (normal.empty()) return true;
  // A drive root is "x:"; a share root is "\\server\share".
  const bool unc = normal.compare(0, 2, kUncLead) == 0;
  const size_t separators = (size_t)std::count(normal.begin(), normal.end(), '\\');
  if ((!unc && separators == 0) || (unc && separators <= 3)) return true;
  for (const std::string &raw : protectedFolders.folders) {
    const std::string other = NormalizeFolderPath(raw);
    if (!other.empty() && HoldsOrIs(normal, other)) return true;
  }
  for (const std::string &raw : protectedFolders.profilesFolders) {
    const std::string profiles = NormalizeFolderPath(raw);
    if (profiles.empty()) continue;
    if (HoldsOrIs(normal, profiles) || ParentOf(normal) == profiles) return true;
  }
  return false;
}

bool IsInsideAnyFolder(const std::string &folder, const std::vector<std::string> &folders) {
  const std::string normal = NormalizeFolderPath(folder);
  if (normal.empty()) return false;
  for (const std::string &raw : folders) {
    const std::string other = NormalizeFolderPath(raw);
    if (!other.empty() && HoldsOrIs(other, normal)) return true;
  }
  return false;
}

bool GetsOwnProtection(const std::string &folder, bool elevated, bool parentMadeHere,
                       const std::vector<std::string> &keepingFolders) {
  return elevated && !parentMadeHere && !IsInsideAnyFolder(folder, keepingFolders);
}

namespace {

bool SameFolder(const FolderIdentity &a, const FolderIdentity &b) {
  return a.volume == b.volume && a.index == b.index;
}

bool LooksUpAs(FolderIdentityLookup lookup, const std::string &path, const FolderIdentity &wanted) {
  FolderIdentity found;
  return !path.empty() && lookup(path, &found) && SameFolder(found, wanted);
}

}  // namespace

bool IsProtectedFolderIdentity(const FolderIdentity &folder, const FolderIdentity *parent,
                               const ProtectedFolders &protectedFolders,
                               FolderIdentityLookup lookup) {
  if (lookup == nullptr) return true;
  for (const std::string &raw : protectedFolders.folders) {
    // The folder and each one that holds it, up to the drive or share root
    // (refused by its name already).
    const std::string normal = NormalizeFolderPath(raw);
    const bool unc = normal.compare(0, 2, kUncLead) == 0;
    const size_t rootSeparators = unc ? 3 : 0;
    for (std::string level = normal;
         (size_t)std::count(level.begin(), level.end(), '\\') > rootSeparators;
         level = ParentOf(level)) {
      if (LooksUpAs(lookup, level, folder)) return true;
    }
  }
  if (parent == nullptr) return false;
  for (const std::string &profiles : protectedFolders.profilesFolders)
    if (LooksUpAs(lookup, NormalizeFolderPath(profiles), *parent)) return true;
  return false;
}
