// The system-integration operations behind task types 5 to 10: file
// associations, DLL registration, environment variables, fonts and INI
// entries. Texts arrive path-expanded. Nothing shows a message.
//
// `ahead` (may be NULL) is told what the change replaces right before it is
// made, so that the journal notes it first and the done record lets the
// rollback and the uninstaller restore it rather than delete it; when it
// answers no, nothing is changed and the operation fails.
#ifndef QVS_ENGINE_TASKS_SYSTEM_INTEGRATION_H
#define QVS_ENGINE_TASKS_SYSTEM_INTEGRATION_H

#include <string>

#include "engine/tasks/run_program.h"
#include "engine/tasks/system_rules.h"

// Registers the extension for the program (see PlanFileAssociation: NT
// family below HKEY_CLASSES_ROOT, 9x family below HKLM\Software\Classes).
// A key that cannot be created skips only the values that depend on it.
// 1 when the extension now names the program, 0 when that could not be
// written or the system is of neither family. What it replaces: the
// extension's earlier default value.
int RegisterFileAssociation(const std::string &extension, const std::string &description,
                            const std::string &programPath, const std::string &iconSpec,
                            const std::string &programFileName, const std::string &verb,
                            const std::string &commandLine, const ChangeAhead *ahead);

// Runs regsvr32 /s on the DLL (the system folder's regsvr32; shown
// normally) and waits for it, calling `callback` (may be NULL) while it
// runs. 1 when it ended with exit code 0, else 0.
int RegisterDll(const std::string &dllPath, WaitCallbackFunction callback);
// The same with regsvr32 /u /s: the DLL's own unregistration.
int UnregisterDll(const std::string &dllPath, WaitCallbackFunction callback);

// Sets a system environment variable. NT family: the value in the
// machine's Environment key, REG_EXPAND_SZ when it was that before or
// refers to other variables, else REG_SZ, read and written whole. 9x
// family: a "SET name=value" line appended to AUTOEXEC.BAT in the root of
// the drive holding the temporary folder. Running programs are told. 1 on
// success, 0 otherwise (also on other systems). What it replaces: the
// earlier value and type (NT family).
int SetEnvironmentVariableTask(const std::string &name, const std::string &value,
                               const ChangeAhead *ahead);

// Results of InstallFont.
enum FontInstallResult {
  kFontInstalled = 1,
  kFontNotRegistered = -1,  // installed, but its registry entry failed
  kFontNotAdded = -2,       // copied, but the system did not take it
  kFontNotCopied = -3,
};
// Copies the font into the system's fonts folder, adds it, tells running
// programs, and registers it under its title (FontTitle). The copy and the
// registry value are journalled first, so that a rollback or a recovery
// undoes them; the uninstaller leaves fonts.
int InstallFont(const std::string &fontPath);

// Makes sure `group` exists in the INI file. A group that exists already
// keeps its keys (nothing is written) and is reported as found (present,
// type 0), so that undoing the task leaves it. Non-zero on success.
int WriteIniGroup(const std::string &group, const std::string &iniPath, const ChangeAhead *ahead);

// Writes one INI value; what it replaces is the earlier value (type 1).
// Non-zero on success.
int WriteIniValue(const std::string &group, const std::string &valueName,
                  const std::string &valueData, const std::string &iniPath,
                  const ChangeAhead *ahead);

#endif
