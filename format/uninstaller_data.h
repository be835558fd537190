// The uninstaller's data file (Uninst<n>.dat beside Uninst<n>.exe): what an
// installation leaves behind for the uninstaller, written by the installer
// and read by the uninstaller and the tests with this one writer and reader.
//
// The file is ANSI text, one entry per line, every line ended by CR LF, no
// blank lines, groups in a fixed order (see WriteUninstallerData).
// Integers are decimal with a leading "-" when negative; texts are written
// as they are, without quoting or escaping.
#ifndef QVS_FORMAT_UNINSTALLER_DATA_H
#define QVS_FORMAT_UNINSTALLER_DATA_H

#include <stdint.h>

#include <string>
#include <vector>

// The done types: what an installation task changed.
enum DoneTaskType {
  kDoneRegistryKey = 0,       // BaseKey, KeyPath
  kDoneRegistryValue = 1,     // BaseKey, KeyPath, ValueName
  kDoneFileAssociation = 2,   // ExePath, Extension
  kDoneDllRegistration = 3,   // DLLPath
  kDoneEnvironmentVariable = 4,  // VariableName
  kDoneIniGroup = 5,          // GroupName, IniPath
  kDoneIniValue = 6,          // IniPath, Group, ValueName
};

// One performed change, with the fields of its type (the others stay
// empty). Texts are expanded.
struct DoneTaskRecord {
  int32_t ID = 0;
  std::string Name;  // local date-time in seconds since 1970, as text
  int32_t Type = 0;
  int32_t ComponentID = 0;
  // The root key's predefined handle value as a signed 32-bit number:
  // HKEY_LOCAL_MACHINE is 0x80000002, written -2147483646.
  int32_t BaseKey = 0;
  std::string KeyPath;
  std::string ValueName;
  std::string ExePath;
  std::string Extension;
  std::string DLLPath;
  std::string VariableName;
  std::string GroupName;
  std::string IniPath;
  std::string Group;
  // What the change replaced, so that undoing it restores rather than
  // deletes: a registry value or environment variable that existed before,
  // an association's earlier default value. Written as extra lines
  // ("PreviousType = ", "PreviousData = ") only when hasPrevious is set;
  // readers that do not know them ignore them.
  bool hasPrevious = false;
  int32_t PreviousType = 0;   // the registry type (REG_SZ 1, REG_EXPAND_SZ 2, REG_DWORD 4, ...)
  std::string PreviousData;   // the earlier data as text (a DWORD in decimal)
};

#endif
