#include "uninstaller/arguments.h"

#include <stdlib.h>

#include "format/uninstaller_data.h"
#include "script/ansi_text.h"

namespace {

const char kSilentSwitch[] = "/s";
const char kElevatedSwitch[] = "-elevated";
const char kFromSwitch[] = "-from";
const char kParentSwitch[] = "-parent";
const char kReportSwitch[] = "-report";
const char kSelfSwitch[] = "-self";
const char kGuardedSwitch[] = "-guarded";
const char kDataExtension[] = ".dat";
const uint32_t kFlagSet = 1;
// A handle number has at most 20 decimal digits.
const size_t kMaxNumberDigits = 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next word: in double quotes (which may hold blanks) or up to a blank.
bool NextWord(const std::string &line, size_t *at, std::string *word) {
  while (*at < line.size() && IsBlank(line[*at])) (*at)++;
  if (*at >= line.size()) return false;
  word->clear();
  if (line[*at] == '"') {
    const size_t close = line.find('"', *at + 1);
    const size_t end = close == std::string::npos ? line.size() : close;
    *word = line.substr(*at + 1, end - *at - 1);
    *at = close == std::string::npos ? line.size() : close + 1;
    return true;
  }
  const size_t start = *at;
  while (*at < line.size() && !IsBlank(line[*at])) (*at)++;
  *word = line.substr(start, *at - start);
  return true;
}

uint64_t Number(const std::string &text) {
  if (text.empty() || text.size() > kMaxNumberDigits) return 0;
  for (char c : text)
    if (c < '0' || c > '9') return 0;
  return strtoull(text.c_str(), NULL, 10);
}

}  // namespace

UninstallerArguments ParseUninstallerArguments(const std::string &commandLine) {
  UninstallerArguments arguments;
  size_t at = 0;
  std::string word;
  NextWord(commandLine, &at, &word);  // the program
  while (NextWord(commandLine, &at, &word)) {
    const std::string lower = AnsiLower(word);
    std::string value;
    if (lower == kSilentSwitch) {
      arguments.silent = true;
    } else if (lower == kElevatedSwitch) {
      arguments.elevated = true;
    } else if (lower == kFromSwitch && NextWord(commandLine, &at, &value)) {
      arguments.originalPath = value;
    } else if (lower == kParentSwitch && NextWord(commandLine, &at, &value)) {
      arguments.parentProcess = Number(value);
    } else if (lower == kReportSwitch && NextWord(commandLine, &at, &value)) {
      arguments.resultPipe = Number(value);
    } else if (lower == kSelfSwitch && NextWord(commandLine, &at, &value)) {
      arguments.selfFile = Number(value);
    } else if (lower == kGuardedSwitch) {
      arguments.guarded = true;
    }
  }
  return arguments;
}

std::string UninstallerParameters(const UninstallerArguments &arguments) {
  std::string parameters;
  if (!arguments.originalPath.empty()) {
    // Windows paths cannot hold a double quote, so quoting keeps them whole.
    parameters = std::string(kFromSwitch) + " \"" + arguments.originalPath + "\" " +
                 kParentSwitch + " " + std::to_string(arguments.parentProcess) + " " +
                 kReportSwitch + " " + std::to_string(arguments.resultPipe) + " " + kSelfSwitch +
                 " " + std::to_string(arguments.selfFile);
  }
  if (arguments.guarded) parameters += std::string(parameters.empty() ? "" : " ") + kGuardedSwitch;
  if (arguments.elevated) parameters += std::string(parameters.empty() ? "" : " ") + kElevatedSwitch;
  if (arguments.silent) parameters += std::string(parameters.empty() ? "" : " ") + "/S";
  return parameters;
}

std::string DataFilePathFor(const std::string &uninstallerPath) {
  const size_t name = uninstallerPath.find_last_of("\\/");
  const size_t dot = uninstallerPath.rfind('.');
  const bool hasExtension = dot != std::string::npos && (name == std::string::npos || dot > name);
  return (hasExtension ? uninstallerPath.substr(0, dot) : uninstallerPath) + kDataExtension;
}

bool AdministratorFlagFromTail(const uint8_t tail[4]) {
  const uint32_t flag = (uint32_t)tail[0] | (uint32_t)tail[1] << 8 | (uint32_t)tail[2] << 16 |
                        (uint32_t)tail[3] << 24;
  return flag == kFlagSet;
}

bool AdministratorFlagFromData(const std::string &dataText) {
  UninstallerData data;
  return ReadUninstallerData(dataText, &data, nullptr) && data.config.hasRequireAdministrator &&
         (uint32_t)data.config.RequireAdministrator == kFlagSet;
}
