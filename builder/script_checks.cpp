#include "builder/script_checks.h"

#include <stdint.h>

namespace {

std::string TrimSpaces(const std::string &text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string NameForm(const std::string &name) {
  std::string result = TrimSpaces(name);
  for (char &c : result) {
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  }
  return result;
}

// Integer reading of the installer: optional sign, then "$" hex, "%" binary
// or decimal digits up to the first other character.
int64_t ParseInteger(const std::string &text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) i++;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    i++;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    i++;
  }
  uint64_t value = 0;
  for (; i < text.size(); i++) {
    char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) break;
    value = value * (uint64_t)base + (uint64_t)digit;
  }
  return negative ? -(int64_t)value : (int64_t)value;
}

}  // namespace

std::string ReadScriptGroupValue(const std::string &text, const std::string &groupName,
                                 const std::string &key) {
  const std::string wantedGroup = NameForm(groupName);
  const std::string wantedKey = NameForm(key);
  std::string group;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\r', start);
    if (end == std::string::npos) end = text.size();
    std::string line;
    for (size_t i = start; i < end; i++) {
      if (text[i] != '\n') line.push_back(text[i]);
    }
    line = TrimSpaces(line);
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.back() == ']' && line.size() >= 2) {
      group = NameForm(line.substr(1, line.size() - 2));
      continue;
    }
    if (group != wantedGroup) continue;
    size_t equals = line.find('=');
    std::string lineKey = equals == std::string::npos ? std::string() : line.substr(0, equals);
    if (NameForm(lineKey) != wantedKey) continue;
    return equals == std::string::npos ? line : TrimSpaces(line.substr(equals + 1));
  }
  return std::string();
}

std::string ReadBuilderValue(const std::string &text, const std::string &key) {
  return ReadScriptGroupValue(text, "Builder", key);
}

bool ScriptCreatesUninstaller(const std::string &text) {
  return ParseInteger(ReadScriptGroupValue(text, "UninstallerSettings", "CreateUninstaller")) == 1;
}

bool ScriptRequiresAdministrator(const std::string &text) {
  return ParseInteger(ReadBuilderValue(text, "RequireAdministrator")) == 1;
}

std::string DocumentTextProblem(const std::string &text) {
  size_t line = 1;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '\0')
      return "zero byte at line " + std::to_string(line) + "; the installer would cut the text there";
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
      return "line " + std::to_string(line) +
             " ends in LF only; the installer splits lines at CR, so save it with CRLF";
    if (text[i] == '\n') line++;
  }
  return std::string();
}
