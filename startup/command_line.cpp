#include "startup/command_line.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one quoted or blank-delimited token from `position`, moving past it.
std::string ReadToken(const std::string &line, size_t *position) {
  size_t at = *position;
  std::string token;
  if (at < line.size() && line[at] == '"') {
    size_t close = line.find('"', at + 1);
    size_t end = close == std::string::npos ? line.size() : close;
    token = line.substr(at + 1, end - at - 1);
    at = close == std::string::npos ? line.size() : close + 1;
  } else {
    size_t start = at;
    while (at < line.size() && !IsBlank(line[at])) at++;
    token = line.substr(start, at - start);
  }
  *position = at;
  return token;
}

void SkipBlanks(const std::string &line, size_t *position) {
  while (*position < line.size() && IsBlank(line[*position])) (*position)++;
}

}  // namespace

std::string FirstCommandLineParameter(const std::string &commandLine) {
  size_t position = 0;
  SkipBlanks(commandLine, &position);
  ReadToken(commandLine, &position);
  SkipBlanks(commandLine, &position);
  return ReadToken(commandLine, &position);
}
