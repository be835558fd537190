// Undoing the installation's recorded changes on the system, one done
// record at a time, on the rules of engine/undo/undo_rules.h. Failures are
// silent: what cannot be undone stays, and the next record is undone.
#ifndef QVS_ENGINE_UNDO_UNDO_ACTIONS_H
#define QVS_ENGINE_UNDO_UNDO_ACTIONS_H

#include <stdint.h>

#include <string>

#include "engine/tasks/run_program.h"
#include "format/uninstaller_data.h"

// Undoes `record` (its root code and clean key path already checked, for
// the registry types) on a system of `osCode`:
//   0 key:   deleted when it was not there before and is empty now;
//   1 value: written back with its earlier type and data, or deleted;
//   2 association: the extension's default value restored or deleted while
//            it still names the association's class; the class's verbs
//            that start the program removed (with the class's default
//            verb when it named one of them), and the class itself with
//            its icon once no other verb is left; keys only when empty;
//   3 DLL:   regsvr32 /u /s while the file exists (waited for, `callback`
//            called meanwhile, may be NULL);
//   4 environment variable (NT family): PlanEnvironmentUndo, then running
//            programs are told; left alone on Windows 9x;
//   5 INI group: removed when it was not there before and holds no key;
//   6 INI value: written back or removed, its group removed once empty;
//            after either, an INI file (named by a full path) left with
//            nothing but blanks is deleted.
void UndoDoneRecord(const DoneTaskRecord &record, int32_t rootCode, const std::string &keyPath,
                    int osCode, WaitCallbackFunction callback);

// Deletes the key `keyPath` below root `rootCode` when it has neither
// values nor subkeys. True when it is gone.
bool DeleteKeyIfEmpty(int32_t rootCode, const std::string &keyPath);

// Deletes the key with every subkey and value below it (at most a fixed
// depth; links are not followed). True when it is gone.
bool DeleteKeyTree(int32_t rootCode, const std::string &keyPath);

// Deletes one value of an existing key. True when it is gone.
bool DeleteValueOf(int32_t rootCode, const std::string &keyPath, const std::string &valueName);

// Removes the Add/Remove Programs entry at `keyPath` below `rootCode` while
// its UninstallString names `uninstallerPath`: the values the installer
// writes there, then the key when nothing else is left in it. An entry
// that names another uninstaller (a later installation of the same name)
// stays.
void RemoveAddRemoveEntry(int32_t rootCode, const std::string &keyPath,
                          const std::string &uninstallerPath);

#endif
