#include "format/uninstaller_data_names.h"

namespace {

template <typename Record, size_t N>
FieldLines<Record> Lines(const FieldLine<Record> (&table)[N]) {
  return FieldLines<Record>{table, N};
}

template <typename Record>
FieldLines<Record> NoLines() {
  return FieldLines<Record>{nullptr, 0};
}

template <typename Record>
bool HasKey(FieldLines<Record> lines, const std::string &key) {
  for (size_t i = 0; i < lines.count; i++)
    if (key == lines.lines[i].key) return true;
  return false;
}

typedef UninstallerConfig Cfg;
const FieldLine<Cfg> kConfig[] = {
    {"ProgramName", &Cfg::ProgramName, nullptr},
    {"ProgramVersion", &Cfg::ProgramVersion, nullptr},
    {"CompanyName", &Cfg::CompanyName, nullptr},
    {"ProgramWebsite", &Cfg::ProgramWebsite, nullptr},
    {"SupportEmail", &Cfg::SupportEmail, nullptr},
    {"StartMenuPath", &Cfg::StartMenuPath, nullptr},
    {"CreateAddRemoveEntry", nullptr, &Cfg::CreateAddRemoveEntry},
    {"AddRemoveEntryName", &Cfg::AddRemoveEntryName, nullptr},
    {"AddRemoveForAllUsers", nullptr, &Cfg::AddRemoveForAllUsers},
    {"RebootRequired", nullptr, &Cfg::RebootRequired},
};

typedef UninstallerCloseItem Close;
const FieldLine<Close> kCloseMutex[] = {
    {"MutexName", &Close::MutexName, nullptr},
};
const FieldLine<Close> kCloseWindow[] = {
    {"WindowName", &Close::WindowName, nullptr},
    {"WindowClass", &Close::WindowClass, nullptr},
    {"MatchExactly", nullptr, &Close::MatchExactly},
};

typedef UninstallerComponent Comp;
const FieldLine<Comp> kComponent[] = {
    {"PathVariable", &Comp::PathVariable, nullptr},
    {"InstallationPath", &Comp::InstallationPath, nullptr},
};

typedef DoneTaskRecord Done;
const FieldLine<Done> kDoneKeyLines[] = {
    {"BaseKey", nullptr, &Done::BaseKey},
    {"KeyPath", &Done::KeyPath, nullptr},
};
const FieldLine<Done> kDoneValueLines[] = {
    {"BaseKey", nullptr, &Done::BaseKey},
    {"KeyPath", &Done::KeyPath, nullptr},
    {"ValueName", &Done::ValueName, nullptr},
};
const FieldLine<Done> kDoneAssociationLines[] = {
    {"ExePath", &Done::ExePath, nullptr},
    {"Extension", &Done::Extension, nullptr},
};
const FieldLine<Done> kDoneDllLines[] = {
    {"DLLPath", &Done::DLLPath, nullptr},
};
const FieldLine<Done> kDoneVariableLines[] = {
    {"VariableName", &Done::VariableName, nullptr},
};
const FieldLine<Done> kDoneIniGroupLines[] = {
    {"GroupName", &Done::GroupName, nullptr},
    {"IniPath", &Done::IniPath, nullptr},
};
const FieldLine<Done> kDoneIniValueLines[] = {
    {"IniPath", &Done::IniPath, nullptr},
    {"Group", &Done::Group, nullptr},
    {"ValueName", &Done::ValueName, nullptr},
};

typedef UninstallerTaskRecord Task;
const FieldLine<Task> kTaskSystems[] = {
    {"Win95", nullptr, &Task::Win95},
    {"WinNT4", nullptr, &Task::WinNT4},
    {"Win98", nullptr, &Task::Win98},
    {"WinMe", nullptr, &Task::WinMe},
    {"Win2000", nullptr, &Task::Win2000},
    {"WinXP", nullptr, &Task::WinXP},
    {"WinServer2003", nullptr, &Task::WinServer2003},
    {"WinVista", nullptr, &Task::WinVista},
    {"WinServer2008", nullptr, &Task::WinServer2008},
    {"Win7", nullptr, &Task::Win7},
};
const FieldLine<Task> kTaskRun[] = {
    {"ProgramPath", &Task::ProgramPath, nullptr},
    {"CommandLine", &Task::CommandLine, nullptr},
    {"RunMode", nullptr, &Task::RunMode},
    {"ExecutionTime", nullptr, &Task::ExecutionTime},
    {"RunHidden", nullptr, &Task::RunHidden},
    {"WaitUntilQuit", nullptr, &Task::WaitUntilQuit},
};
const FieldLine<Task> kTaskKey[] = {
    {"BaseKey", nullptr, &Task::BaseKey},
    {"Key", &Task::Key, nullptr},
};
const FieldLine<Task> kTaskValue[] = {
    {"BaseKey", nullptr, &Task::BaseKey},
    {"Key", &Task::Key, nullptr},
    {"ValueName", &Task::ValueName, nullptr},
};
const FieldLine<Task> kTaskCopy[] = {
    {"SourceFile", &Task::SourceFile, nullptr},
    {"DestinationFile", &Task::DestinationFile, nullptr},
};
const FieldLine<Task> kTaskFile[] = {
    {"FilePath", &Task::FilePath, nullptr},
};
const FieldLine<Task> kTaskAddress[] = {
    {"Address", &Task::Address, nullptr},
};

// The highest type that has lines of its own, per kind.
const int32_t kLastCloseItemType = 1;
const int32_t kLastDoneType = kDoneIniValue;
const int32_t kLastTaskType = 7;

}  // namespace

FieldLines<UninstallerConfig> ConfigLines() { return Lines(kConfig); }

FieldLines<UninstallerCloseItem> CloseItemLines(int32_t type) {
  switch (type) {
    case 0: return Lines(kCloseMutex);
    case 1: return Lines(kCloseWindow);
    default: return NoLines<UninstallerCloseItem>();
  }
}

FieldLines<UninstallerComponent> ComponentLines() { return Lines(kComponent); }

FieldLines<DoneTaskRecord> DoneTaskLines(int32_t type) {
  switch (type) {
    case kDoneRegistryKey: return Lines(kDoneKeyLines);
    case kDoneRegistryValue: return Lines(kDoneValueLines);
    case kDoneFileAssociation: return Lines(kDoneAssociationLines);
    case kDoneDllRegistration: return Lines(kDoneDllLines);
    case kDoneEnvironmentVariable: return Lines(kDoneVariableLines);
    case kDoneIniGroup: return Lines(kDoneIniGroupLines);
    case kDoneIniValue: return Lines(kDoneIniValueLines);
    default: return NoLines<DoneTaskRecord>();
  }
}

FieldLines<UninstallerTaskRecord> TaskSystemLines() { return Lines(kTaskSystems); }

FieldLines<UninstallerTaskRecord> TaskTypeLines(int32_t type) {
  switch (type) {
    case 0: return Lines(kTaskRun);
    case 1: return Lines(kTaskKey);
    case 2: return Lines(kTaskValue);
    case 3: return Lines(kTaskCopy);
    case 4: return Lines(kTaskFile);
    case 5:
    case 6:
    case 7: return Lines(kTaskAddress);
    default: return NoLines<UninstallerTaskRecord>();
  }
}

bool IsConfigKey(const std::string &key) {
  return key == kCreatedFoldersCountKey || key == kLeaveFilesCountKey ||
         key == kRequireAdministratorKey ||
         HasKey(ConfigLines(), key);
}

bool IsCloseItemKey(const std::string &key) {
  if (key == kIdKey || key == kTypeKey) return true;
  for (int32_t type = 0; type <= kLastCloseItemType; type++)
    if (HasKey(CloseItemLines(type), key)) return true;
  return false;
}

bool IsComponentKey(const std::string &key) { return HasKey(ComponentLines(), key); }

bool IsDoneTaskKey(const std::string &key) {
  if (key == kTypeKey || key == kPreviousTypeKey || key == kPreviousDataKey ||
      key == kPreviousDataHexKey || key == kWrittenDataKey || key == kWrittenDataHexKey)
    return true;
  for (int32_t type = 0; type <= kLastDoneType; type++)
    if (HasKey(DoneTaskLines(type), key)) return true;
  return false;
}

bool IsTaskKey(const std::string &key) {
  if (key == kTypeKey || HasKey(TaskSystemLines(), key)) return true;
  for (int32_t type = 0; type <= kLastTaskType; type++)
    if (HasKey(TaskTypeLines(type), key)) return true;
  return false;
}

bool PreviousTypeIsText(int32_t type) {
  return type == kPreviousString || type == kPreviousExpandString || type == kPreviousDword;
}
