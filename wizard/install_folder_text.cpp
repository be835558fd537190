#include "wizard/install_folder_text.h"

#include "format/payload_limits.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "script/format_size.h"

std::string DriveOfFolder(const std::string &folder) { return folder.substr(0, 3); }

bool IsBlankFolderText(const std::string &text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return true;
  size_t last = text.find_last_not_of(" \t");
  return last == first && text[first] == '\\';
}

std::string SpaceLineText(const std::string &pattern, int64_t bytes, int decimals,
                          const std::string &notAvailable) {
  std::string size = bytes < 0 ? notAvailable : FormatSize((uint64_t)bytes, decimals);
  return ReplacePlaceholder(pattern, "$P", size);
}

bool FitsWindowsPathLimit(const std::string &folder, const std::vector<std::string> &relativeFiles) {
  const size_t base = WithTrailingBackslash(folder).size();
  // The install folder itself is written into (the uninstaller's files),
  // also when no product file lies in it.
  if (base > kMaxWritableFolderLength) return false;
  for (const std::string &relative : relativeFiles) {
    if (base + relative.size() > kMaxInstalledPathLength) return false;
    const size_t lastBreak = relative.rfind('\\');
    if (lastBreak != std::string::npos && base + lastBreak + 1 > kMaxWritableFolderLength)
      return false;
  }
  return true;
}

bool IsBelowFolder(const std::string &folder, const std::string &path, std::string *below) {
  if (path.size() < folder.size() || AnsiLower(path.substr(0, folder.size())) != AnsiLower(folder))
    return false;
  if (below != nullptr) *below = path.substr(folder.size());
  return true;
}
