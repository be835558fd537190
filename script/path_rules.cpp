#include "script/path_rules.h"

#include "script/ansi_text.h"
#include "script/reserved_names.h"

namespace {

bool IsForbiddenChar(char c) {
  return c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

bool Contains(const std::string &text, const char *part) {
  return text.find(part) != std::string::npos;
}

// The field `index` (0-based) of `text` split at backslashes; empty when
// there are fewer fields.
std::string BackslashField(const std::string &text, size_t index) {
  size_t start = 0;
  for (size_t field = 0; field < index; ++field) {
    const size_t next = text.find('\\', start);
    if (next == std::string::npos) return std::string();
    start = next + 1;
  }
  const size_t end = text.find('\\', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

const char kEllipsis[] = "\\..\\";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A relative path made of real names only: no leading separator (a rooted
// name), no empty name between separators, and no name that the system
// reads as "." or "..": it drops trailing dots and blanks, so "..." and
// ". ." climb too. One trailing separator is allowed.
bool StaysInsideItsFolder(const std::string &path) {
  size_t start = 0;
  while (start < path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) end++;
    size_t kept = end;
    while (kept > start && (path[kept - 1] == '.' || path[kept - 1] == ' ')) kept--;
    if (kept == start) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

int IsValidInstallPath(const std::string &path, const std::vector<std::string> &reservedNames) {
  if (path.empty()) return 0;
  bool hasSeparator = false;
  for (char c : path) {
    if (IsForbiddenChar(c)) return 0;
    if (c == ':' || c == '\\') hasSeparator = true;
  }
  if (Contains(path, "::") || Contains(path, "\\\\") || Contains(path, "\\:")) return 0;
  const std::string first = BackslashField(path, path[0] == '\\' ? 1 : 0);
  if (IsReservedName(reservedNames, first)) return 0;
  return hasSeparator ? 1 : 0;
}

int IsValidGroupName(const std::string &name) {
  if (name.empty()) return 0;
  if (Contains(name, ":") || Contains(name, "\\\\")) return 0;
  for (char c : name) {
    if (IsForbiddenChar(c)) return 0;
  }
  return StaysInsideItsFolder(name) ? 1 : 0;
}

std::string WithTrailingBackslash(const std::string &folder) {
  if (!folder.empty() && folder[folder.size() - 1] == '\\') return folder;
  return folder + "\\";
}

std::string FolderPartOf(const std::string &path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string BuildStartMenuFolder(const std::string &programsFolder, const std::string &groupName) {
  std::string folder = programsFolder + "\\" + groupName + "\\";
  size_t doubled = folder.find("\\\\");
  while (doubled != std::string::npos) {
    folder.erase(doubled, 1);
    doubled = folder.find("\\\\", doubled);
  }
  return folder;
}

std::string CompactPathForDisplay(const std::string &path, int maxWidth, TextWidthFunction measure,
                                  void *context) {
  if (measure == nullptr || measure(context, path) <= maxWidth) return path;
  const std::string folder = FolderPartOf(path);
  const std::string file = path.substr(folder.size());
  const int available = maxWidth - measure(context, kEllipsis);
  std::string head;
  std::string tail;
  // Grows until wide enough; stops too once both parts are used up, so a
  // measure that is not additive cannot keep it going.
  for (size_t i = 0; i < folder.size() || i < file.size(); ++i) {
    if (i < folder.size()) head += folder[i];
    if (i < file.size()) tail += file[i];
    if (measure(context, head + kEllipsis + tail) >= available) break;
  }
  return head + kEllipsis + tail;
}
