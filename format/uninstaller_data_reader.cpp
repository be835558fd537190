// Reads the uninstaller's data file (rules in uninstaller_data.h). The file
// may be damaged or hostile: every count is bounded before it grows a list,
// and only the lines the format knows are kept, so what the reader holds
// stays proportional to the file.
#include <utility>

#include "format/uninstaller_data.h"
#include "format/uninstaller_data_names.h"
#include "format/uninstaller_data_text.h"

namespace {

const char kLineEnd[] = "\r\n";
const size_t kLineEndLength = sizeof kLineEnd - 1;
const int kNoSection = -1;

// The kind of group the current lines belong to.
enum GroupKind {
  kGroupNone,
  kGroupNumbered,     // [LocalizationUninstall], [CreatedFiles], ...: lines kept as read
  kGroupSectionHead,  // a keyed group's own lines, before its first item group
  kGroupItem,         // an item group [<ID>]
};

typedef bool (*KnownKey)(const std::string &key);

struct Reader {
  UninstallerData *out = nullptr;
  std::string error;
  size_t lineNumber = 0;
  int section = kNoSection;
  bool seen[kSectionCount] = {};
  GroupKind kind = kGroupNone;
  // The known lines of the current keyed group, and where it began.
  std::vector<std::pair<std::string, std::string>> lines;
  size_t groupLine = 0;
  int32_t itemId = 0;
  // The current list's Items, and the next one a group may claim.
  std::vector<int32_t> items;
  size_t nextItem = 0;
  size_t claimedItem = 0;  // the Items position of the current item group
  size_t nextNumber = 0;   // the number the next numbered line must carry
  // The line counts [UninstallerConfig] announces for the last two groups,
  // when it does.
  bool hasTailCounts = false;
  int32_t createdFoldersCount = 0;
  int32_t leaveFilesCount = 0;
  size_t configLine = 0;
};

bool Fail(Reader *r, size_t line, const std::string &what) {
  r->error = "line " + CountText(line) + ": " + what;
  return false;
}

bool Fail(Reader *r, const std::string &what) { return Fail(r, r->lineNumber, what); }

std::string SectionName(int section) { return kSectionHeaders[section]; }

std::string GroupName(const Reader &r) {
  if (r.kind == kGroupItem)
    return "group [" + DecimalText(r.itemId) + "] of " + SectionName(r.section);
  return SectionName(r.section);
}

bool StartsWith(const std::string &text, const std::string &prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every line ends with CR LF, and neither byte nor a zero byte stands
// anywhere else.
bool CheckBytes(Reader *r, const std::string &text) {
  if (text.empty()) return Fail(r, 1, "the file is empty");
  if (text.size() > kMaxUninstallerDataSize)
    return Fail(r, 1, "the file is larger than " + CountText(kMaxUninstallerDataSize) + " bytes");
  size_t line = 1;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (c == '\0') return Fail(r, line, "a zero byte");
    if (c == '\n') return Fail(r, line, "a line feed without carriage return");
    if (c != '\r') continue;
    if (i + 1 == text.size() || text[i + 1] != '\n')
      return Fail(r, line, "a carriage return without line feed");
    i++;
    line++;
  }
  if (text.size() < kLineEndLength || text.compare(text.size() - kLineEndLength, kLineEndLength,
                                                   kLineEnd) != 0)
    return Fail(r, line, "the last line does not end with CR LF (the file is cut short)");
  return true;
}

// The keys of an item group of a list section.
KnownKey KnownKeysOf(int section) {
  switch (section) {
    case kSectionCloseItems: return IsCloseItemKey;
    case kSectionComponents: return IsComponentKey;
    case kSectionDoneTasks: return IsDoneTaskKey;
    default: return IsTaskKey;
  }
}

bool IsListSection(int section) {
  return section == kSectionCloseItems || section == kSectionComponents ||
         section == kSectionDoneTasks || section == kSectionUninstallerTasks;
}

bool IsKeyedSection(int section) { return section == kSectionConfig || IsListSection(section); }

// A key line of the current group. Lines without " = " and keys the format
// does not have are additions of some other writer: ignored.
bool AddKeyLine(Reader *r, const std::string &line) {
  size_t separator = line.find(kKeySeparator);
  if (separator == std::string::npos) return true;
  std::string key = line.substr(0, separator);
  bool known = false;
  if (r->kind == kGroupItem)
    known = KnownKeysOf(r->section)(key);
  else if (r->section == kSectionConfig)
    known = IsConfigKey(key);
  else
    known = key == kItemsKey || (r->section == kSectionCloseItems && key == kCheckForInstancesKey);
  if (!known) return true;
  for (const auto &entry : r->lines)
    if (entry.first == key) return Fail(r, "a second " + key + " line in " + GroupName(*r));
  r->lines.emplace_back(key, line.substr(separator + kKeySeparatorLength));
  return true;
}

// "l1=", "f0=" and "1 = " lines: each must carry the next number; other
// lines are ignored.
bool AddNumberedLine(Reader *r, const std::string &line) {
  std::vector<std::string> *list = nullptr;
  std::string prefix;
  size_t limit = kMaxUninstallerPathEntries;
  if (r->section == kSectionLocalization) {
    if (line.size() < 2 || line[0] != kLanguageLinePrefix || !IsDigit(line[1])) return true;
    list = &r->out->localization;
    prefix = kLanguageLinePrefix + CountText(r->nextNumber) + "=";
    limit = kMaxUninstallerStrings;
  } else if (r->section == kSectionLeaveFiles) {
    if (!IsDigit(line[0])) return true;
    list = &r->out->leaveFiles;
    prefix = CountText(r->nextNumber) + kKeySeparator;
  } else {
    if (line.size() < 2 || line[0] != kPathLinePrefix || !IsDigit(line[1])) return true;
    list = r->section == kSectionCreatedFiles ? &r->out->createdFiles : &r->out->createdFolders;
    prefix = kPathLinePrefix + CountText(r->nextNumber) + "=";
  }
  if (!StartsWith(line, prefix))
    return Fail(r, "expected a line beginning " + prefix + " in " + SectionName(r->section));
  if (list->size() == limit)
    return Fail(r, "more than " + CountText(limit) + " lines in " + SectionName(r->section));
  list->push_back(line.substr(prefix.size()));
  r->nextNumber++;
  return true;
}

const std::string *Find(const Reader &r, const char *key) {
  for (const auto &entry : r.lines)
    if (entry.first == key) return &entry.second;
  return nullptr;
}

bool NeedText(Reader *r, const char *key, const std::string **value) {
  *value = Find(*r, key);
  if (*value != nullptr) return true;
  return Fail(r, r->groupLine, "no " + std::string(key) + " line in " + GroupName(*r));
}

bool NeedNumber(Reader *r, const char *key, int32_t *number) {
  const std::string *value = nullptr;
  if (!NeedText(r, key, &value)) return false;
  if (!ParseDecimal32(*value, number))
    return Fail(r, r->groupLine,
                std::string(key) + " in " + GroupName(*r) + " is not a 32-bit number");
  return true;
}

template <typename Record>
bool ReadFields(Reader *r, FieldLines<Record> lines, Record *record) {
  for (size_t i = 0; i < lines.count; i++) {
    const FieldLine<Record> &line = lines.lines[i];
    if (line.text != nullptr) {
      const std::string *value = nullptr;
      if (!NeedText(r, line.key, &value)) return false;
      record->*line.text = *value;
    } else if (!NeedNumber(r, line.key, &(record->*line.number))) {
      return false;
    }
  }
  return true;
}

bool ReadPrevious(Reader *r, DoneTaskRecord *record) {
  const std::string *type = Find(*r, kPreviousTypeKey);
  const std::string *data = Find(*r, kPreviousDataKey);
  const std::string *hex = Find(*r, kPreviousDataHexKey);
  if (type == nullptr && data == nullptr && hex == nullptr) return true;
  std::string where = " in " + GroupName(*r);
  if (type == nullptr) return Fail(r, r->groupLine, "previous data without PreviousType" + where);
  if (!NeedNumber(r, kPreviousTypeKey, &record->PreviousType)) return false;
  if ((data == nullptr) == (hex == nullptr))
    return Fail(r, r->groupLine,
                "PreviousType needs one PreviousData or PreviousDataHex line" + where);
  if (data != nullptr) {
    if (!PreviousTypeIsText(record->PreviousType))
      return Fail(r, r->groupLine, "previous data of this type must be hexadecimal" + where);
    record->PreviousData = *data;
  } else if (!ParseHex(*hex, &record->PreviousData)) {
    return Fail(r, r->groupLine, "PreviousDataHex is not hexadecimal" + where);
  }
  record->hasPrevious = true;
  return true;
}

bool ReadWritten(Reader *r, DoneTaskRecord *record) {
  const std::string *data = Find(*r, kWrittenDataKey);
  const std::string *hex = Find(*r, kWrittenDataHexKey);
  if (data == nullptr && hex == nullptr) return true;
  if (data != nullptr && hex != nullptr)
    return Fail(r, r->groupLine, "both WrittenData and WrittenDataHex in " + GroupName(*r));
  if (data != nullptr)
    record->WrittenData = *data;
  else if (!ParseHex(*hex, &record->WrittenData))
    return Fail(r, r->groupLine, "WrittenDataHex is not hexadecimal in " + GroupName(*r));
  record->hasWritten = true;
  return true;
}

// The counts are additive lines: a file without them is read without the
// check, but a file with one has both.
bool ReadConfig(Reader *r) {
  UninstallerConfig *config = &r->out->config;
  if (!ReadFields(r, ConfigLines(), config)) return false;
  if (Find(*r, kRequireAdministratorKey) != nullptr) {
    if (!NeedNumber(r, kRequireAdministratorKey, &config->RequireAdministrator)) return false;
    config->hasRequireAdministrator = true;
  }
  bool folders = Find(*r, kCreatedFoldersCountKey) != nullptr;
  bool leave = Find(*r, kLeaveFilesCountKey) != nullptr;
  if (!folders && !leave) return true;
  if (!NeedNumber(r, kCreatedFoldersCountKey, &r->createdFoldersCount) ||
      !NeedNumber(r, kLeaveFilesCountKey, &r->leaveFilesCount))
    return false;
  r->hasTailCounts = true;
  r->configLine = r->groupLine;
  return true;
}

bool CheckTailCounts(Reader *r) {
  if (!r->hasTailCounts) return true;
  const UninstallerData &out = *r->out;
  if ((int64_t)out.createdFolders.size() != r->createdFoldersCount ||
      (int64_t)out.leaveFiles.size() != r->leaveFilesCount)
    return Fail(r, r->configLine,
                "[UninstallerConfig] announces " + DecimalText(r->createdFoldersCount) +
                    " created folders and " + DecimalText(r->leaveFilesCount) +
                    " files to leave, but the file holds " + CountText(out.createdFolders.size()) +
                    " and " + CountText(out.leaveFiles.size()) + " (it is cut short)");
  return true;
}

bool ReadSectionHead(Reader *r) {
  UninstallerData *out = r->out;
  if (r->section == kSectionConfig) return ReadConfig(r);
  if (r->section == kSectionCloseItems &&
      !NeedNumber(r, kCheckForInstancesKey, &out->UninstCheckForInstances))
    return false;
  const std::string *items = Find(*r, kItemsKey);
  if (items == nullptr) {
    if (r->section == kSectionCloseItems) return true;
    return Fail(r, r->groupLine, "no Items line in " + SectionName(r->section));
  }
  if (!ParseIdList(*items, kMaxUninstallerListItems, &r->items))
    return Fail(r, r->groupLine, "Items of " + SectionName(r->section) +
                                     " is not a list of at most " +
                                     CountText(kMaxUninstallerListItems) + " numbers");
  // Every uninstaller task is named; the groups that follow fill the
  // selected ones.
  if (r->section == kSectionUninstallerTasks) {
    out->uninstallerTasks.resize(r->items.size());
    for (size_t i = 0; i < r->items.size(); i++) out->uninstallerTasks[i].ID = r->items[i];
  }
  return true;
}

bool ReadItem(Reader *r) {
  UninstallerData *out = r->out;
  switch (r->section) {
    case kSectionCloseItems: {
      UninstallerCloseItem item;
      if (!NeedNumber(r, kIdKey, &item.ID) || !NeedNumber(r, kTypeKey, &item.Type)) return false;
      if (item.ID != r->itemId)
        return Fail(r, r->groupLine, "the ID line of " + GroupName(*r) + " names another item");
      if (!ReadFields(r, CloseItemLines(item.Type), &item)) return false;
      out->closeItems.push_back(item);
      return true;
    }
    case kSectionComponents: {
      UninstallerComponent component;
      component.ID = r->itemId;
      if (!ReadFields(r, ComponentLines(), &component)) return false;
      out->components.push_back(component);
      return true;
    }
    case kSectionDoneTasks: {
      DoneTaskRecord record;
      record.ID = r->itemId;
      if (!NeedNumber(r, kTypeKey, &record.Type)) return false;
      if (!ReadFields(r, DoneTaskLines(record.Type), &record) || !ReadPrevious(r, &record) ||
          !ReadWritten(r, &record))
        return false;
      out->doneTasks.push_back(record);
      return true;
    }
    default: {  // kSectionUninstallerTasks
      UninstallerTaskRecord task;
      task.ID = r->itemId;
      task.selected = true;
      if (!NeedNumber(r, kTypeKey, &task.Type)) return false;
      if (!ReadFields(r, TaskSystemLines(), &task) ||
          !ReadFields(r, TaskTypeLines(task.Type), &task))
        return false;
      out->uninstallerTasks[r->claimedItem] = task;
      return true;
    }
  }
}

// Turns the lines gathered for the group that just ended into its record.
bool EndGroup(Reader *r) {
  bool ok = true;
  if (r->kind == kGroupSectionHead) ok = ReadSectionHead(r);
  if (r->kind == kGroupItem) ok = ReadItem(r);
  r->lines.clear();
  r->kind = kGroupNone;
  return ok;
}

// Close items, components and done records have one group per ID of
// Items, in that order; uninstaller tasks have one for some of them.
bool EndSection(Reader *r) {
  if (r->section == kNoSection) return true;
  if (r->section != kSectionUninstallerTasks && r->nextItem < r->items.size())
    return Fail(r, "Items of " + SectionName(r->section) + " names " + CountText(r->items.size()) +
                       " groups, but only " + CountText(r->nextItem) + " follow");
  return true;
}

bool StartSection(Reader *r, int section) {
  if (r->seen[section]) return Fail(r, SectionName(section) + " appears twice");
  if (section < r->section)
    return Fail(r, SectionName(section) + " comes after " + SectionName(r->section));
  r->seen[section] = true;
  r->section = section;
  r->groupLine = r->lineNumber;
  r->kind = IsKeyedSection(section) ? kGroupSectionHead : kGroupNumbered;
  r->items.clear();
  r->nextItem = 0;
  r->nextNumber = section == kSectionLocalization ? kFirstLanguageLine
                  : section == kSectionLeaveFiles ? kFirstLeaveFileLine
                                                  : kFirstPathLine;
  return true;
}

bool StartItem(Reader *r, int32_t id) {
  if (!IsListSection(r->section))
    return Fail(r, "item group [" + DecimalText(id) + "] outside a list group");
  if (r->section == kSectionUninstallerTasks) {
    while (r->nextItem < r->items.size() && r->items[r->nextItem] != id) r->nextItem++;
  }
  if (r->nextItem >= r->items.size() || r->items[r->nextItem] != id)
    return Fail(r, "group [" + DecimalText(id) + "] is not the next item named by Items of " +
                       SectionName(r->section));
  r->claimedItem = r->nextItem++;
  r->kind = kGroupItem;
  r->itemId = id;
  r->groupLine = r->lineNumber;
  return true;
}

bool GroupLine(Reader *r, const std::string &line) {
  if (!EndGroup(r)) return false;
  for (int section = 0; section < kSectionCount; section++) {
    if (line != kSectionHeaders[section]) continue;
    return EndSection(r) && StartSection(r, section);
  }
  int32_t id = 0;
  if (!ParseDecimal32(line.substr(1, line.size() - 2), &id))
    return Fail(r, "unknown group " + line);
  return StartItem(r, id);
}

bool ReadLine(Reader *r, const std::string &line) {
  if (line.empty()) return Fail(r, "a blank line");
  if (line.front() == '[' && line.back() == ']') return GroupLine(r, line);
  if (r->section == kNoSection) return Fail(r, "a line before the first group");
  if (r->kind == kGroupNumbered) return AddNumberedLine(r, line);
  return AddKeyLine(r, line);
}

bool ReadAll(Reader *r, const std::string &text) {
  if (!CheckBytes(r, text)) return false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(kLineEnd, start);  // found: CheckBytes saw the last CR LF
    r->lineNumber++;
    if (!ReadLine(r, text.substr(start, end - start))) return false;
    start = end + kLineEndLength;
  }
  if (!EndGroup(r) || !EndSection(r)) return false;
  const int kAlwaysWritten[] = {kSectionLocalization, kSectionConfig, kSectionCloseItems,
                                kSectionCreatedFiles, kSectionCreatedFolders};
  for (int section : kAlwaysWritten)
    if (!r->seen[section]) return Fail(r, "no " + SectionName(section) + " group");
  return CheckTailCounts(r);
}

}  // namespace

bool ReadUninstallerData(const std::string &text, UninstallerData *out, std::string *error) {
  *out = UninstallerData();
  Reader reader;
  reader.out = out;
  if (ReadAll(&reader, text)) return true;
  *out = UninstallerData();
  if (error != nullptr) *error = reader.error;
  return false;
}
