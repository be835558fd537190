#include "script/task_fields.h"

namespace {

typedef TaskDetails D;

#define QVS_TEXT(name) {#name, &D::name, nullptr}
#define QVS_NUMBER(name) {#name, nullptr, &D::name}

const TaskField kRunProgram[] = {QVS_TEXT(ProgramPath),     QVS_TEXT(CommandLine),
                                 QVS_NUMBER(RunMode),       QVS_NUMBER(ExecutionTime),
                                 QVS_NUMBER(RunHidden),     QVS_NUMBER(WaitUntilQuit)};
const TaskField kRegistryKey[] = {QVS_NUMBER(BaseKey), QVS_TEXT(KeyPath)};
const TaskField kRegistryValue[] = {QVS_NUMBER(BaseKey), QVS_TEXT(KeyPath), QVS_TEXT(ValueName),
                                    QVS_TEXT(ValueData), QVS_NUMBER(ValueType)};
const TaskField kShortcut[] = {QVS_TEXT(OutputPath),  QVS_TEXT(FilePath), QVS_TEXT(IconPath),
                               QVS_NUMBER(IconIndex), QVS_TEXT(CommandLine), QVS_TEXT(StartIn),
                               QVS_TEXT(Comment)};
const TaskField kInternetShortcut[] = {QVS_TEXT(LinkPath), QVS_TEXT(WebAddress)};
const TaskField kAssociation[] = {QVS_TEXT(ExePath),   QVS_TEXT(CommandLine),
                                  QVS_TEXT(ExplorerDescription), QVS_TEXT(Extension),
                                  QVS_TEXT(Icon),      QVS_NUMBER(IconIndex),
                                  QVS_TEXT(Description)};
const TaskField kDll[] = {QVS_TEXT(DllPath)};
const TaskField kEnvironment[] = {QVS_TEXT(VariableName), QVS_TEXT(VariableData)};
const TaskField kFont[] = {QVS_TEXT(FontPath)};
const TaskField kIniGroup[] = {QVS_TEXT(IniPath), QVS_TEXT(GroupName)};
const TaskField kIniValue[] = {QVS_TEXT(IniPath), QVS_TEXT(Group), QVS_TEXT(ValueName),
                               QVS_TEXT(ValueData)};
const TaskField kAddress[] = {QVS_TEXT(Address)};
const TaskField kCopy[] = {QVS_TEXT(SourceFile), QVS_TEXT(DestinationFile)};

// Uninstaller types whose keys differ from the installer's.
const TaskField kUninstallKey[] = {QVS_NUMBER(BaseKey), QVS_TEXT(Key)};
const TaskField kUninstallValue[] = {QVS_NUMBER(BaseKey), QVS_TEXT(KeyPath), QVS_TEXT(ValueName)};
const TaskField kUninstallFile[] = {QVS_TEXT(FilePath)};

#undef QVS_TEXT
#undef QVS_NUMBER

template <size_t N>
TaskFieldList List(const TaskField (&fields)[N]) {
  TaskFieldList list = {fields, N};
  return list;
}

}  // namespace

TaskFieldList InstallerTaskFields(int32_t type) {
  switch (type) {
    case 0: return List(kRunProgram);
    case 1: return List(kRegistryKey);
    case 2: return List(kRegistryValue);
    case 3: return List(kShortcut);
    case 4: return List(kInternetShortcut);
    case 5: return List(kAssociation);
    case 6: return List(kDll);
    case 7: return List(kEnvironment);
    case 8: return List(kFont);
    case 9: return List(kIniGroup);
    case 10: return List(kIniValue);
    case 11:
    case 12:
    case 14: return List(kAddress);
    case 13: return List(kCopy);
    default: return TaskFieldList{nullptr, 0};
  }
}

TaskFieldList UninstallerTaskFields(int32_t type) {
  switch (type) {
    case 0: return List(kRunProgram);
    case 1: return List(kUninstallKey);
    case 2: return List(kUninstallValue);
    case 3: return List(kCopy);
    case 4: return List(kUninstallFile);
    case 5:
    case 6:
    case 7: return List(kAddress);
    default: return TaskFieldList{nullptr, 0};
  }
}
