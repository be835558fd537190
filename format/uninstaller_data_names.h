// The groups, keys and per-type lines of the uninstaller's data file, in
// tables that its writer and its reader both walk, so that the two cannot
// disagree on a name or an order (uninstaller_data.h describes the file).
#ifndef QVS_FORMAT_UNINSTALLER_DATA_NAMES_H
#define QVS_FORMAT_UNINSTALLER_DATA_NAMES_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "format/uninstaller_data.h"

// The groups in the order they must appear.
enum UninstallerSection {
  kSectionLocalization,
  kSectionConfig,
  kSectionCloseItems,
  kSectionComponents,
  kSectionDoneTasks,
  kSectionUninstallerTasks,
  kSectionCreatedFiles,
  kSectionCreatedFolders,
  kSectionLeaveFiles,
  kSectionCount,
};

inline const char *const kSectionHeaders[kSectionCount] = {
    "[LocalizationUninstall]", "[UninstallerConfig]", "[CloseItemsUninstaller]",
    "[Components]",            "[DoneTasks]",         "[UninstallerTasks]",
    "[CreatedFiles]",          "[CreatedFolders]",    "[LeaveFiles]",
};

// "Key = value" lines; numbered lines "l1=", "f0=" and "1 = ".
inline const char kKeySeparator[] = " = ";
const size_t kKeySeparatorLength = sizeof kKeySeparator - 1;
const char kLanguageLinePrefix = 'l';
const char kPathLinePrefix = 'f';
const size_t kFirstLanguageLine = 1;
const size_t kFirstPathLine = 0;
const size_t kFirstLeaveFileLine = 1;

inline const char kItemsKey[] = "Items";
inline const char kTypeKey[] = "Type";
inline const char kIdKey[] = "ID";
inline const char kCheckForInstancesKey[] = "UninstCheckForInstances";
inline const char kPreviousTypeKey[] = "PreviousType";
inline const char kPreviousDataKey[] = "PreviousData";
inline const char kPreviousDataHexKey[] = "PreviousDataHex";
inline const char kWrittenDataKey[] = "WrittenData";
inline const char kWrittenDataHexKey[] = "WrittenDataHex";
// Additive lines at the end of [UninstallerConfig]: how many lines the two
// last groups hold, so that a file cut short at a line end in one of them
// is not taken for a complete one (it would lose files to leave).
inline const char kCreatedFoldersCountKey[] = "CreatedFoldersCount";
inline const char kLeaveFilesCountKey[] = "LeaveFilesCount";
// Additive line of [UninstallerConfig], only for a signed uninstaller
// image: the administrator flag, which cannot follow the image there.
inline const char kRequireAdministratorKey[] = "RequireAdministrator";

// One line of a record: its key and the field it carries, a text or an
// integer (exactly one of the two is set).
template <typename Record>
struct FieldLine {
  const char *key;
  std::string Record::*text;
  int32_t Record::*number;
};

template <typename Record>
struct FieldLines {
  const FieldLine<Record> *lines;
  size_t count;
};

// [UninstallerConfig], in line order.
FieldLines<UninstallerConfig> ConfigLines();
// The lines after "ID" and "Type" of a close item of `type`.
FieldLines<UninstallerCloseItem> CloseItemLines(int32_t type);
FieldLines<UninstallerComponent> ComponentLines();
// The lines after "Type" of a done record of `type` (none for a type
// outside 0-6).
FieldLines<DoneTaskRecord> DoneTaskLines(int32_t type);
// The ten per-system lines after "Type" of an uninstaller task, and then
// the lines of its `type`.
FieldLines<UninstallerTaskRecord> TaskSystemLines();
FieldLines<UninstallerTaskRecord> TaskTypeLines(int32_t type);

// Whether `key` is a line of the format in an item group of that kind, for
// any type: the reader keeps these and ignores every other line.
bool IsCloseItemKey(const std::string &key);
bool IsComponentKey(const std::string &key);
bool IsDoneTaskKey(const std::string &key);
bool IsTaskKey(const std::string &key);
bool IsConfigKey(const std::string &key);

// Whether previous data of registry type `type` is written as it stands
// (when it fits on a line) rather than in hexadecimal.
bool PreviousTypeIsText(int32_t type);

#endif
