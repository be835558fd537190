// The portable decisions of task execution: which per-system switch applies
// to the running system, the progress of the after-copy tasks, the registry
// type a value task writes, the handle value the uninstaller's data file
// records for a root key, and how a program's command line is built.
#ifndef QVS_ENGINE_TASKS_TASK_RULES_H
#define QVS_ENGINE_TASKS_TASK_RULES_H

#include <stdint.h>

#include <string>

#include "script/script_settings.h"

// Task types of the installer script's InstallerTasks items.
enum TaskType {
  kTaskRunProgram = 0,
  kTaskCreateRegistryKey = 1,
  kTaskWriteRegistryValue = 2,
  kTaskShortcut = 3,
  kTaskInternetShortcut = 4,
  kTaskFileAssociation = 5,
  kTaskRegisterDll = 6,
  kTaskEnvironmentVariable = 7,
  kTaskInstallFont = 8,
  kTaskIniGroup = 9,
  kTaskIniValue = 10,
  kTaskCreateFolder = 11,
  kTaskDeleteFolder = 12,
  kTaskCopyFile = 13,
  kTaskDeleteFile = 14,
};

// The phases a task can run in: before the files are extracted (programs
// only), and after.
enum TaskPhase { kPhaseBeforeCopy = 0, kPhaseAfterCopy = 1 };

// The two families as the system tasks tell them apart: Windows 95, 98
// and Me; and the listed NT systems (NT 4.0, 2000 to Windows 7). Other
// codes (NT 3.x, kOsOther) belong to neither. Callers pass the system the
// running one acts as, so a later Windows counts as a listed NT system.
bool IsNineXSystem(int osCode);
bool IsListedNtSystem(int osCode);

// The switch of `flags` that belongs to `osCode`; 0 for a code none of the
// ten switches names (the task then runs nowhere).
int32_t TaskFlagForOs(const OsFlags &flags, int osCode);

// The after-copy progress once `done` of `total` items are handled:
// done / total x 100, rounded to the nearest integer; 0 when total is 0.
int32_t TaskProgressPercent(size_t done, size_t total);

// A value task's "ValueType" as a registry type: 0 text -> REG_SZ (1),
// 1 number -> REG_DWORD (4), anything else 0 (nothing is written).
int32_t RegistryTypeForValueType(int32_t valueType);

// The predefined handle of root-key code `code` as the signed 32-bit number
// the uninstaller's data file records (HKEY_LOCAL_MACHINE is 0x80000002);
// 0 for a code that names no root.
int32_t RootHandleValue(int32_t code);

// The command line a directly started program receives: empty when
// `commandLine` is empty (the path then goes only as the application
// name), else the path in double quotes, a blank and `commandLine`.
std::string DirectCommandLine(const std::string &path, const std::string &commandLine);

// The part of `path` after its last "\" or "/" (all of it when there is
// neither).
std::string FileNamePartOf(const std::string &path);

// True when `text` begins with `prefix`, letter case ignored (AnsiLower).
bool StartsWithIgnoringCase(const std::string &text, const std::string &prefix);

#endif
