#include "wizard/install_folder_text.h"

#include "script/language_strings.h"
#include "wizard/format_size.h"

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
