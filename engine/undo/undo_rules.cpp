#include "engine/undo/undo_rules.h"

#include <stdlib.h>

#include "engine/tasks/association_plan.h"
#include "engine/tasks/task_rules.h"
#include "format/uninstaller_data_text.h"
#include "script/ansi_text.h"
#include "script/registry_text.h"

const char *const kAddRemoveValues[] = {
    "DisplayName",    "DisplayVersion",   "DisplayIcon",          "Publisher",
    "URLInfoAbout",   "HelpLink",         "Contact",              "UninstallString",
    "QuietUninstallString", "InstallLocation", "EstimatedSize",  "NoModify",
    "NoRepair",
};
const size_t kAddRemoveValueCount = sizeof kAddRemoveValues / sizeof kAddRemoveValues[0];

namespace {

const int32_t kLastRootCode = kRootDynData;
const char kListSeparator = ';';
const char kPathVariable[] = "path";

// The system's shared keys (lower case): deleting one, or a key that holds
// one, with everything below it would damage the system or other programs.
const char *const kSharedKeys[] = {
    "software\\microsoft\\windows\\currentversion\\uninstall",
    "software\\microsoft\\windows\\currentversion\\run",
    "software\\microsoft\\windows\\currentversion\\runonce",
    "software\\microsoft\\windows\\currentversion\\app paths",
    "software\\microsoft\\windows\\currentversion\\explorer",
    "software\\microsoft\\windows\\currentversion\\policies",
    "software\\microsoft\\windows\\currentversion\\shell extensions",
    "software\\microsoft\\windows nt\\currentversion",
    "software\\microsoft\\.netframework",
    "software\\microsoft\\internet explorer",
    "software\\classes\\clsid",
    "software\\classes\\interface",
    "software\\classes\\typelib",
    "software\\classes\\appid",
    "software\\policies",
    "software\\wow6432node\\microsoft",
    "system\\currentcontrolset\\control",
    "system\\currentcontrolset\\services",
    "system\\controlset001",
    "system\\controlset002",
    "control panel\\desktop",
    "control panel\\international",
};

// Keys of one level below HKEY_CLASSES_ROOT that every program shares.
const char *const kSharedClasses[] = {
    "*",      "allfilesystemobjects", "appid",     "clsid",   "directory", "drive",
    "folder", "interface",            "typelib",   "mime",    "exefile",   "dllfile",
    "lnkfile", "batfile",             "cmdfile",   "comfile", ".exe",      ".dll",
    ".lnk",   ".bat",                 ".cmd",      ".com",    "http",      "https",
    "file",   "mailto",               "unknown",   "systemfileassociations",
};

template <size_t N>
bool Listed(const char *const (&list)[N], const std::string &text) {
  for (const char *item : list)
    if (text == item) return true;
  return false;
}

// True when `key` is `other` or holds it (both lower case, clean).
bool IsOrHolds(const std::string &key, const std::string &other) {
  if (other.size() < key.size() || other.compare(0, key.size(), key) != 0) return false;
  return other.size() == key.size() || other[key.size()] == '\\';
}

std::vector<std::string> SplitList(const std::string &text) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(kListSeparator, start);
    entries.push_back(text.substr(start, end == std::string::npos ? std::string::npos
                                                                    : end - start));
    if (end == std::string::npos) return entries;
    start = end + 1;
  }
}

std::string EntryKey(const std::string &entry) { return AnsiLower(TrimSpaces(entry)); }

bool HoldsEntry(const std::vector<std::string> &entries, const std::string &key) {
  for (const std::string &entry : entries)
    if (EntryKey(entry) == key) return true;
  return false;
}

// The entries of what the installation wrote that were not there before.
std::vector<std::string> AddedEntries(const DoneTaskRecord &record) {
  std::vector<std::string> added;
  const std::vector<std::string> before =
      record.hasPrevious ? SplitList(record.PreviousData) : std::vector<std::string>();
  for (const std::string &entry : SplitList(record.WrittenData)) {
    const std::string key = EntryKey(entry);
    if (!key.empty() && !HoldsEntry(before, key)) added.push_back(key);
  }
  return added;
}

// `current` without the entries in `added`; false when nothing was taken.
bool WithoutEntries(const std::string &current, const std::vector<std::string> &added,
                    std::string *result) {
  std::string kept;
  bool first = true;
  bool removed = false;
  for (const std::string &entry : SplitList(current)) {
    const std::string key = EntryKey(entry);
    bool ours = false;
    for (const std::string &taken : added) ours = ours || (!key.empty() && key == taken);
    if (ours) {
      removed = true;
      continue;
    }
    if (!first) kept += kListSeparator;
    kept += entry;
    first = false;
  }
  *result = kept;
  return removed;
}

EnvironmentUndo Write(int32_t type, const std::string &value) {
  EnvironmentUndo undo;
  undo.action = kEnvironmentWrite;
  undo.type = type;
  undo.value = value;
  return undo;
}

// Today's value less the installation's entries, or nothing to do.
EnvironmentUndo TakeOutAdded(const DoneTaskRecord &record, int32_t currentType,
                             const std::string &current) {
  std::string remaining;
  if (!record.hasWritten || !WithoutEntries(current, AddedEntries(record), &remaining))
    return EnvironmentUndo();
  return Write(currentType, remaining);
}

}  // namespace

bool RootCodeOfHandleValue(int32_t handleValue, int32_t *rootCode) {
  for (int32_t code = 0; code <= kLastRootCode; code++) {
    if (RootHandleValue(code) != 0 && RootHandleValue(code) == handleValue) {
      *rootCode = code;
      return true;
    }
  }
  return false;
}

std::string CleanKeyPath(const std::string &keyPath) {
  std::string clean;
  for (char c : keyPath) {
    if (c == '\\' && (clean.empty() || clean.back() == '\\')) continue;
    clean += c;
  }
  while (!clean.empty() && clean.back() == '\\') clean.pop_back();
  return clean;
}

std::vector<std::string> KeyPathLevels(const std::string &cleanKeyPath) {
  std::vector<std::string> levels;
  if (cleanKeyPath.empty()) return levels;
  for (size_t at = cleanKeyPath.find('\\'); at != std::string::npos;
       at = cleanKeyPath.find('\\', at + 1)) {
    levels.push_back(cleanKeyPath.substr(0, at));
  }
  levels.push_back(cleanKeyPath);
  return levels;
}

void SplitKeyPath(const std::string &cleanKeyPath, std::string *parent, std::string *name) {
  const size_t last = cleanKeyPath.rfind('\\');
  *parent = last == std::string::npos ? std::string() : cleanKeyPath.substr(0, last);
  *name = last == std::string::npos ? cleanKeyPath : cleanKeyPath.substr(last + 1);
}

bool IsKeyTreeDeletionRefused(int32_t rootCode, const std::string &keyPath) {
  const std::string clean = CleanKeyPath(keyPath);
  if (!IsRegistryRootCode(rootCode) || clean.empty()) return true;
  const std::string lower = AnsiLower(clean);
  const bool oneLevel = lower.find('\\') == std::string::npos;
  if (oneLevel && (rootCode != kRootClassesRoot || Listed(kSharedClasses, lower))) return true;
  for (const char *shared : kSharedKeys)
    if (IsOrHolds(lower, shared)) return true;
  return false;
}

bool PreviousValueBytes(int32_t type, const std::string &data, std::vector<uint8_t> *bytes) {
  bytes->clear();
  if (type == kRegistryString || type == kRegistryExpandString) {
    bytes->assign(data.begin(), data.end());
    bytes->push_back(0);
    return true;
  }
  if (type == kRegistryDword) {
    int32_t number = 0;
    if (!ParseDecimal32(data, &number)) {
      // The registry's own reading of an unsigned DWORD above 2^31.
      char *end = NULL;
      const unsigned long long wide = strtoull(data.c_str(), &end, 10);
      if (data.empty() || data[0] == '-' || *end != '\0' || wide > 0xFFFFFFFFull) return false;
      number = (int32_t)(uint32_t)wide;
    }
    const uint32_t value = (uint32_t)number;
    for (int shift = 0; shift < 32; shift += 8) bytes->push_back((uint8_t)(value >> shift));
    return true;
  }
  bytes->assign(data.begin(), data.end());
  return true;
}

EnvironmentUndo PlanEnvironmentUndo(const DoneTaskRecord &record, bool present,
                                    int32_t currentType, const std::string &current) {
  if (!present) return EnvironmentUndo();
  const bool unchanged = !record.hasWritten || current == record.WrittenData;
  EnvironmentUndo undo;
  if (!unchanged) {
    undo = TakeOutAdded(record, currentType, current);
  } else if (record.hasPrevious) {
    undo = Write(record.PreviousType, record.PreviousData);
  } else {
    undo.action = kEnvironmentDelete;
  }
  const bool isPath = AnsiLower(TrimSpaces(record.VariableName)) == kPathVariable;
  const bool empties = undo.action == kEnvironmentDelete ||
                       (undo.action == kEnvironmentWrite && TrimSpaces(undo.value).empty());
  if (isPath && empties) {
    undo = TakeOutAdded(record, currentType, current);
    if (undo.action == kEnvironmentWrite && TrimSpaces(undo.value).empty())
      undo = EnvironmentUndo();
  }
  return undo;
}

bool AssociationKeysFor(const std::string &extension, const std::string &programPath, int osCode,
                        AssociationKeys *keys) {
  std::string bare = TrimSpaces(extension);
  if (!bare.empty() && bare[0] == '.') bare.erase(0, 1);
  if (bare.empty() || TrimSpaces(programPath).empty()) return false;
  AssociationTexts texts;
  texts.extension = extension;
  texts.programPath = programPath;
  texts.programFileName = FileNamePartOf(programPath);
  AssociationPlan plan;
  if (!PlanFileAssociation(texts, osCode, &plan) || TrimSpaces(plan.className).empty())
    return false;
  keys->rootCode = plan.rootCode;
  keys->extensionKey = plan.extensionKey;
  keys->className = plan.className;
  keys->classKey = plan.classKey;
  return true;
}

bool CommandStartsProgram(const std::string &command, const std::string &programPath) {
  const std::string program = TrimSpaces(programPath);
  if (program.empty()) return false;
  return StartsWithIgnoringCase(TrimSpaces(command), QuoteEnds(program));
}
