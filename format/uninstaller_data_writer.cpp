// Writes the uninstaller's data file (rules in uninstaller_data.h).
#include <string.h>

#include "format/uninstaller_data.h"
#include "format/uninstaller_data_names.h"
#include "format/uninstaller_data_text.h"

namespace {

const char kLineEnd[] = "\r\n";
// The bytes a line cannot hold, and what stands for them where a text is
// kept rather than left out.
const char kLineBreakers[] = {'\r', '\n', '\0'};
const char kLineBreakerReplacement = ' ';

bool FitsOnLine(const std::string &text) {
  for (char breaker : kLineBreakers)
    if (memchr(text.data(), breaker, text.size()) != nullptr) return false;
  return true;
}

void Line(std::string *out, const std::string &text) {
  *out += text;
  *out += kLineEnd;
}

// A text kept in place: each byte a line cannot hold becomes a blank.
void OneLine(std::string *out, const std::string &text) {
  if (FitsOnLine(text)) return Line(out, text);
  std::string line = text;
  for (char &c : line)
    if (c == '\r' || c == '\n' || c == '\0') c = kLineBreakerReplacement;
  Line(out, line);
}

void KeyLine(std::string *out, const std::string &key, const std::string &value) {
  *out += key;
  *out += kKeySeparator;
  Line(out, value);
}

void KeyOneLine(std::string *out, const std::string &key, const std::string &value) {
  *out += key;
  *out += kKeySeparator;
  OneLine(out, value);
}

void ItemHeader(std::string *out, int32_t id) { Line(out, "[" + DecimalText(id) + "]"); }

// A record's lines from its table. Texts are made to fit: callers that must
// not change a text check TextsFit first.
template <typename Record>
void FieldLinesOut(std::string *out, FieldLines<Record> lines, const Record &record) {
  for (size_t i = 0; i < lines.count; i++) {
    const FieldLine<Record> &line = lines.lines[i];
    if (line.text != nullptr)
      KeyOneLine(out, line.key, record.*line.text);
    else
      KeyLine(out, line.key, DecimalText(record.*line.number));
  }
}

template <typename Record>
bool TextsFit(FieldLines<Record> lines, const Record &record) {
  for (size_t i = 0; i < lines.count; i++)
    if (lines.lines[i].text != nullptr && !FitsOnLine(record.*lines.lines[i].text)) return false;
  return true;
}

// "l1=...", "f0=...": numbered lines without blanks.
void NumberedLine(std::string *out, char prefix, size_t number, const std::string &text) {
  *out += prefix;
  *out += CountText(number);
  *out += '=';
  OneLine(out, text);
}

void WriteLocalization(const std::vector<std::string> &strings, std::string *out) {
  Line(out, kSectionHeaders[kSectionLocalization]);
  for (size_t i = 0; i < strings.size(); i++)
    NumberedLine(out, kLanguageLinePrefix, kFirstLanguageLine + i, strings[i]);
}

void WriteConfig(const UninstallerData &data, std::string *out) {
  Line(out, kSectionHeaders[kSectionConfig]);
  FieldLinesOut(out, ConfigLines(), data.config);
  size_t folders = 0;
  for (const std::string &path : data.createdFolders) folders += FitsOnLine(path) ? 1 : 0;
  KeyLine(out, kCreatedFoldersCountKey, CountText(folders));
  KeyLine(out, kLeaveFilesCountKey, CountText(data.leaveFiles.size()));
  if (data.config.hasRequireAdministrator)
    KeyLine(out, kRequireAdministratorKey, DecimalText(data.config.RequireAdministrator));
}

void WriteCloseItems(const UninstallerData &data, std::string *out) {
  Line(out, kSectionHeaders[kSectionCloseItems]);
  KeyLine(out, kCheckForInstancesKey, DecimalText(data.UninstCheckForInstances));
  if (data.closeItems.empty()) return;
  std::vector<int32_t> ids;
  for (const UninstallerCloseItem &item : data.closeItems) ids.push_back(item.ID);
  KeyLine(out, kItemsKey, IdListText(ids));
  for (const UninstallerCloseItem &item : data.closeItems) {
    ItemHeader(out, item.ID);
    KeyLine(out, kIdKey, DecimalText(item.ID));
    KeyLine(out, kTypeKey, DecimalText(item.Type));
    FieldLinesOut(out, CloseItemLines(item.Type), item);
  }
}

void WriteComponents(const std::vector<UninstallerComponent> &components, std::string *out) {
  if (components.empty()) return;
  Line(out, kSectionHeaders[kSectionComponents]);
  std::vector<int32_t> ids;
  for (const UninstallerComponent &component : components) ids.push_back(component.ID);
  KeyLine(out, kItemsKey, IdListText(ids));
  for (const UninstallerComponent &component : components) {
    ItemHeader(out, component.ID);
    FieldLinesOut(out, ComponentLines(), component);
  }
}

void WritePrevious(const DoneTaskRecord &record, std::string *out) {
  if (!record.hasPrevious) return;
  KeyLine(out, kPreviousTypeKey, DecimalText(record.PreviousType));
  if (PreviousTypeIsText(record.PreviousType) && FitsOnLine(record.PreviousData))
    KeyLine(out, kPreviousDataKey, record.PreviousData);
  else
    KeyLine(out, kPreviousDataHexKey, HexText(record.PreviousData));
}

void WriteWritten(const DoneTaskRecord &record, std::string *out) {
  if (!record.hasWritten) return;
  if (FitsOnLine(record.WrittenData))
    KeyLine(out, kWrittenDataKey, record.WrittenData);
  else
    KeyLine(out, kWrittenDataHexKey, HexText(record.WrittenData));
}

// A done record whose texts cannot stand on a line is left out: see the
// header.
void WriteDoneTasks(const std::vector<DoneTaskRecord> &records, std::string *out) {
  std::vector<const DoneTaskRecord *> written;
  std::vector<int32_t> ids;
  for (const DoneTaskRecord &record : records) {
    if (!TextsFit(DoneTaskLines(record.Type), record)) continue;
    written.push_back(&record);
    ids.push_back(record.ID);
  }
  if (written.empty()) return;
  Line(out, kSectionHeaders[kSectionDoneTasks]);
  KeyLine(out, kItemsKey, IdListText(ids));
  for (const DoneTaskRecord *record : written) {
    ItemHeader(out, record->ID);
    KeyLine(out, kTypeKey, DecimalText(record->Type));
    FieldLinesOut(out, DoneTaskLines(record->Type), *record);
    WritePrevious(*record, out);
    WriteWritten(*record, out);
  }
}

// Every task is named in Items; a selected one whose texts all fit gets its
// group.
void WriteUninstallerTasks(const std::vector<UninstallerTaskRecord> &tasks, std::string *out) {
  if (tasks.empty()) return;
  Line(out, kSectionHeaders[kSectionUninstallerTasks]);
  std::vector<int32_t> ids;
  for (const UninstallerTaskRecord &task : tasks) ids.push_back(task.ID);
  KeyLine(out, kItemsKey, IdListText(ids));
  for (const UninstallerTaskRecord &task : tasks) {
    if (!task.selected || !TextsFit(TaskTypeLines(task.Type), task)) continue;
    ItemHeader(out, task.ID);
    KeyLine(out, kTypeKey, DecimalText(task.Type));
    FieldLinesOut(out, TaskSystemLines(), task);
    FieldLinesOut(out, TaskTypeLines(task.Type), task);
  }
}

// Created files and folders: a path that cannot stand on a line is left
// out, and the numbers stay consecutive.
void WritePathList(UninstallerSection section, const std::vector<std::string> &paths,
                   std::string *out) {
  Line(out, kSectionHeaders[section]);
  size_t number = kFirstPathLine;
  for (const std::string &path : paths) {
    if (!FitsOnLine(path)) continue;
    NumberedLine(out, kPathLinePrefix, number++, path);
  }
}

void WriteLeaveFiles(const std::vector<std::string> &paths, std::string *out) {
  if (paths.empty()) return;
  Line(out, kSectionHeaders[kSectionLeaveFiles]);
  for (size_t i = 0; i < paths.size(); i++)
    KeyOneLine(out, CountText(kFirstLeaveFileLine + i), paths[i]);
}

bool WithinCounts(const UninstallerData &data) {
  return data.localization.size() <= kMaxUninstallerStrings &&
         data.closeItems.size() <= kMaxUninstallerListItems &&
         data.components.size() <= kMaxUninstallerListItems &&
         data.doneTasks.size() <= kMaxUninstallerListItems &&
         data.uninstallerTasks.size() <= kMaxUninstallerListItems &&
         data.createdFiles.size() <= kMaxUninstallerPathEntries &&
         data.createdFolders.size() <= kMaxUninstallerPathEntries &&
         data.leaveFiles.size() <= kMaxUninstallerPathEntries;
}

}  // namespace

std::string WriteUninstallerData(const UninstallerData &data) {
  if (!WithinCounts(data)) return std::string();
  std::string out;
  WriteLocalization(data.localization, &out);
  WriteConfig(data, &out);
  WriteCloseItems(data, &out);
  WriteComponents(data.components, &out);
  WriteDoneTasks(data.doneTasks, &out);
  WriteUninstallerTasks(data.uninstallerTasks, &out);
  WritePathList(kSectionCreatedFiles, data.createdFiles, &out);
  WritePathList(kSectionCreatedFolders, data.createdFolders, &out);
  WriteLeaveFiles(data.leaveFiles, &out);
  if (out.size() > kMaxUninstallerDataSize) return std::string();
  return out;
}
