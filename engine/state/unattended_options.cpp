#include "engine/state/unattended_options.h"

#include <set>

#include "engine/state/install_log.h"
#include "script/ansi_text.h"

namespace {

const char kElevated[] = "-elevated";
const char kHandover[] = "-handover=";
const int32_t kLargestLangId = 0xFFFF;
const int kLargestInstallType = 2;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(const std::string &line, size_t *at) {
  while (*at < line.size() && IsBlank(line[*at])) (*at)++;
}

// One word: up to the first blank outside double quotes; the quotes are
// dropped, so "/GROUP=My Group" and /GROUP="My Group" read alike.
std::string ReadWord(const std::string &line, size_t *at) {
  std::string word;
  bool quoted = false;
  for (; *at < line.size(); (*at)++) {
    const char c = line[*at];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsBlank(c)) break;
    word += c;
  }
  return word;
}

bool StartsWithIgnoringCase(const std::string &text, const std::string &prefix) {
  return text.size() >= prefix.size() && AnsiLower(text.substr(0, prefix.size())) == prefix;
}

// A decimal number without sign or leading zeros, up to `largest`.
bool ReadNumber(const std::string &text, int64_t largest, int64_t *value) {
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) return false;
  int64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  if (result > largest) return false;
  *value = result;
  return true;
}

bool ReadComponentList(const std::string &text, std::vector<int32_t> *ids) {
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    const std::string field = TrimSpaces(text.substr(start, comma - start));
    int64_t id = 0;
    if (!ReadNumber(field, 2147483647, &id)) return false;
    ids->push_back((int32_t)id);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

// A decimal number without sign, up to 20 digits (a 64-bit handle value).
bool ReadHandoverNumber(const std::string &text, uint64_t *value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = (uint64_t)(c - '0');
    if (result > (UINT64_MAX - digit) / 10) return false;
    result = result * 10 + digit;
  }
  *value = result;
  return true;
}

// "PROCESS,LOG,REQUESTS,IMAGE" of the hand-over parameter.
bool ReadHandover(const std::string &text, UnattendedOptions *options) {
  const size_t kFields = 4;
  uint64_t values[kFields] = {0, 0, 0, 0};
  size_t start = 0;
  for (size_t i = 0; i < kFields; i++) {
    const size_t comma = text.find(',', start);
    const bool last = i + 1 == kFields;
    // Exactly four numbers: a comma after each but the last.
    if ((comma == std::string::npos) != last) return false;
    const size_t end = last ? text.size() : comma;
    if (!ReadHandoverNumber(text.substr(start, end - start), &values[i])) return false;
    start = end + 1;
  }
  if (values[0] == 0 || values[0] > 0xFFFFFFFFull) return false;
  options->handoverProcess = (uint32_t)values[0];
  options->handoverLog = values[1];
  options->handoverRequests = values[2];
  options->handoverImage = values[3];
  return true;
}

// The folder of /D=: the rest of the line, blanks at its end dropped, and
// the quotes that may enclose it.
std::string ReadFolder(const std::string &line, size_t at) {
  std::string folder = line.substr(at);
  while (!folder.empty() && IsBlank(folder[folder.size() - 1])) folder.erase(folder.size() - 1);
  if (folder.size() >= 2 && folder[0] == '"' && folder[folder.size() - 1] == '"')
    folder = folder.substr(1, folder.size() - 2);
  return folder;
}

struct Reader {
  UnattendedOptions *options;
  std::set<std::string> seen;

  void Problem(const std::string &text) { options->problems.push_back(text); }

  // False (with a problem) when the switch `name` was given before.
  bool FirstTime(const std::string &name) {
    if (seen.insert(name).second) return true;
    Problem("the switch /" + name + " is given twice");
    return false;
  }

  void Switch(const std::string &word);
};

void Reader::Switch(const std::string &word) {
  UnattendedOptions &o = *options;
  const size_t equals = word.find('=');
  const std::string name = AnsiLower(word.substr(1, equals == std::string::npos ? std::string::npos
                                                                                : equals - 1));
  const bool hasValue = equals != std::string::npos;
  const std::string value = hasValue ? word.substr(equals + 1) : std::string();
  const struct {
    const char *name;
    bool takesValue;
  } known[] = {{"s", false},         {"components", true}, {"type", true},
               {"allusers", false},  {"currentuser", false}, {"group", true},
               {"nogroup", false},   {"desktop", false},    {"nodesktop", false},
               {"quicklaunch", false}, {"noquicklaunch", false},
               {"lang", true},       {"log", true},         {"norestart", false},
               {"forcerestart", false}};
  bool isKnown = false;
  for (const auto &k : known) {
    if (name != k.name) continue;
    isKnown = true;
    if (k.takesValue != hasValue) {
      Problem(k.takesValue ? "the switch /" + name + " needs a value (/" + name + "=...)"
                           : "the switch /" + name + " takes no value");
      return;
    }
  }
  if (!isKnown) {
    Problem("unknown switch " + QuotedForLog(word));
    return;
  }
  if (!FirstTime(name)) return;
  int64_t number = 0;
  if (name == "s") {
    o.silent = true;
  } else if (name == "components") {
    if (!ReadComponentList(value, &o.components)) Problem("/COMPONENTS needs a list of component IDs such as 1,4,7: " + QuotedForLog(value));
    o.hasComponents = true;
  } else if (name == "type") {
    if (ReadNumber(value, kLargestInstallType, &number))
      o.installType = (int)number;
    else
      Problem("/TYPE needs an install type from 0 to 2: " + QuotedForLog(value));
  } else if (name == "allusers" || name == "currentuser") {
    if (o.scope != kScopeNotGiven) Problem("/ALLUSERS and /CURRENTUSER exclude each other");
    o.scope = name == "allusers" ? kScopeAllUsers : kScopeCurrentUser;
  } else if (name == "group" || name == "nogroup") {
    if (o.group != kGroupNotGiven) Problem("/GROUP and /NOGROUP exclude each other");
    o.group = name == "group" ? kGroupNamed : kGroupNone;
    o.groupName = value;
    if (name == "group" && TrimSpaces(value).empty()) Problem("/GROUP needs a group name");
  } else if (name == "desktop" || name == "nodesktop") {
    if (o.desktop != kShortcutsNotGiven) Problem("/DESKTOP and /NODESKTOP exclude each other");
    o.desktop = name == "desktop" ? kShortcutsWanted : kShortcutsRefused;
  } else if (name == "quicklaunch" || name == "noquicklaunch") {
    if (o.quickLaunch != kShortcutsNotGiven)
      Problem("/QUICKLAUNCH and /NOQUICKLAUNCH exclude each other");
    o.quickLaunch = name == "quicklaunch" ? kShortcutsWanted : kShortcutsRefused;
  } else if (name == "lang") {
    if (ReadNumber(value, kLargestLangId, &number) && number > 0) {
      o.hasLanguage = true;
      o.languageId = (int32_t)number;
    } else {
      Problem("/LANG needs a language ID such as 1033: " + QuotedForLog(value));
    }
  } else if (name == "log") {
    o.logPath = value;
    if (value.empty()) Problem("/LOG needs a file name");
  } else if (name == "norestart" || name == "forcerestart") {
    if (o.restart != kRestartNotGiven) Problem("/NORESTART and /FORCERESTART exclude each other");
    o.restart = name == "norestart" ? kRestartNever : kRestartForced;
  }
}

}  // namespace

UnattendedOptions ReadUnattendedOptions(const std::string &commandLine) {
  UnattendedOptions options;
  Reader reader{&options, {}};
  size_t at = 0;
  SkipBlanks(commandLine, &at);
  ReadWord(commandLine, &at);  // the program
  SkipBlanks(commandLine, &at);
  for (;;) {
    SkipBlanks(commandLine, &at);
    if (at >= commandLine.size()) break;
    if (StartsWithIgnoringCase(commandLine.substr(at), "/d=")) {
      options.hasFolder = true;
      options.folder = ReadFolder(commandLine, at + 3);
      if (options.folder.empty()) reader.Problem("/D= needs a folder");
      options.switches += (options.switches.empty() ? "" : " ") + commandLine.substr(at);
      break;
    }
    const size_t wordStart = at;
    const std::string word = ReadWord(commandLine, &at);
    if (word == kElevated) {
      options.elevated = true;
      continue;
    }
    if (StartsWithIgnoringCase(word, kHandover)) {
      if (options.hasHandover || !ReadHandover(word.substr(sizeof kHandover - 1), &options))
        reader.Problem("the hand-over from the first copy of the installer is not readable");
      options.hasHandover = true;
      continue;
    }
    options.switches += (options.switches.empty() ? "" : " ") +
                        commandLine.substr(wordStart, at - wordStart);
    if (word.size() < 2 || word[0] != '/') {
      reader.Problem("unknown switch " + QuotedForLog(word));
      continue;
    }
    // A quoted "/D=C:\My Folder" holds the folder whole.
    if (StartsWithIgnoringCase(word, "/d=")) {
      if (options.hasFolder) reader.Problem("the switch /D is given twice");
      options.hasFolder = true;
      options.folder = word.substr(3);
      if (options.folder.empty()) reader.Problem("/D= needs a folder");
      continue;
    }
    reader.Switch(word);
  }
  if (options.hasComponents && options.installType >= 0)
    reader.Problem("/COMPONENTS and /TYPE exclude each other");
  return options;
}

std::string HandoverParameter(uint32_t processId, uint64_t logFile, uint64_t requests,
                              uint64_t image) {
  return std::string(kHandover) + std::to_string((unsigned long long)processId) + "," +
         std::to_string((unsigned long long)logFile) + "," +
         std::to_string((unsigned long long)requests) + "," +
         std::to_string((unsigned long long)image);
}

UnattendedOptions &Unattended() {
  static UnattendedOptions options;
  return options;
}
