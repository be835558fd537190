#include "engine/tasks/system_rules.h"

#include "engine/tasks/task_rules.h"
#include "script/ansi_text.h"
#include "script/registry_text.h"

namespace {

const uint32_t kTypeString = 1;
const uint32_t kTypeExpandString = 2;
const uint32_t kTypeDword = 4;
const size_t kDwordSize = 4;

}  // namespace

bool HasPercentReference(const std::string &text) {
  const size_t open = text.find('%');
  if (open == std::string::npos) return false;
  for (size_t i = open + 1; i < text.size(); i++) {
    if (text[i] != '%') continue;
    // "%%" names nothing; the second "%" may open a reference of its own.
    if (i > open + 1) return true;
    return HasPercentReference(text.substr(i));
  }
  return false;
}

int32_t EnvironmentValueType(bool existingIsExpandString, const std::string &value) {
  return existingIsExpandString || HasPercentReference(value) ? kRegistryExpandString
                                                              : kRegistryString;
}

std::string AppendAutoexecSet(const std::string &existing, const std::string &name,
                              const std::string &value) {
  std::string result;
  size_t start = 0;
  while (start < existing.size()) {
    size_t end = existing.find_first_of("\r\n", start);
    if (end == std::string::npos) end = existing.size();
    result += existing.substr(start, end - start);
    result += "\r\n";
    if (end < existing.size() && existing[end] == '\r' && end + 1 < existing.size() &&
        existing[end + 1] == '\n') {
      end++;
    }
    start = end + 1;
  }
  return result + "SET " + TrimSpaces(name) + "=" + TrimSpaces(value);
}

std::string FontTitle(const std::string &fontPath) {
  const std::string name = FileNamePartOf(fontPath);
  const size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  return ReplaceIgnoringCase(name, "." + extension, std::string());
}

std::string PreviousRegistryText(uint32_t type, const uint8_t *data, size_t size) {
  if (type == kTypeString || type == kTypeExpandString) return RegistryStringText(data, size);
  // A longer DWORD reads as its first four bytes, as the system reads it.
  if (type == kTypeDword) return RegistryDwordText(data, size < kDwordSize ? size : kDwordSize);
  // The data file encodes these bytes itself; encoding them here too would
  // make the undo write back their hexadecimal text.
  return size == 0 ? std::string() : std::string((const char *)data, size);
}

bool IniNameListed(const std::vector<std::string> &names, const std::string &name) {
  const std::string wanted = TrimSpaces(name);
  for (const std::string &listed : names) {
    const std::string candidate = TrimSpaces(listed);
    if (AnsiLower(candidate) == AnsiLower(wanted)) return true;
  }
  return false;
}

bool AllowsChange(const ChangeAhead *ahead, const PreviousValue &found) {
  return ahead == nullptr || ahead->before == nullptr || ahead->before(found, ahead->context);
}
