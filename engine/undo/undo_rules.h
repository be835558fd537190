// The portable decisions of undoing an installation: which root a done
// record names, how a key path is cleaned and split, which keys a vendor's
// task may not delete with everything below them, the bytes an earlier
// registry value is written back with, what undoing an environment
// variable writes, and which keys a file association used. No system call:
// the uninstaller's steps (engine/undo/undo_actions.h) act on these decisions,
// and the host tests check them.
#ifndef QVS_ENGINE_UNDO_UNDO_RULES_H
#define QVS_ENGINE_UNDO_UNDO_RULES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "format/uninstaller_data.h"

// Every value the installer writes into its Add/Remove Programs entry.
extern const char *const kAddRemoveValues[];
extern const size_t kAddRemoveValueCount;

// The script's root-key code (0 to 5) of a root's predefined handle value
// as a done record holds it (HKEY_LOCAL_MACHINE: -2147483646 gives 2).
// False for any other number: such a record names no root.
bool RootCodeOfHandleValue(int32_t handleValue, int32_t *rootCode);

// `keyPath` without "\" at either end and with repeated "\" made one; empty
// when nothing is left (the path would name the root itself).
std::string CleanKeyPath(const std::string &keyPath);

// The levels of a clean key path, outermost first ("A\B\C" gives "A",
// "A\B", "A\B\C").
std::vector<std::string> KeyPathLevels(const std::string &cleanKeyPath);

// The parent and last name of a clean key path ("A\B" and "C" for
// "A\B\C"; "" and "A" for "A").
void SplitKeyPath(const std::string &cleanKeyPath, std::string *parent, std::string *name);

// True when an uninstaller task may not delete the key with everything
// below it (`keyPath` is cleaned first): no root, an empty path, a key of one level
// (below HKEY_CLASSES_ROOT: one of the system's shared classes), and any
// of the system's shared keys or a key that holds one.
bool IsKeyTreeDeletionRefused(int32_t rootCode, const std::string &keyPath);

// The bytes that write back previous data of registry type `type` as a
// done record keeps it: a string (types 1 and 2) with its terminating zero,
// a DWORD (4) from its decimal text as four little-endian bytes, any other
// type as the bytes themselves. False for a DWORD text that is not a
// 32-bit decimal number.
bool PreviousValueBytes(int32_t type, const std::string &data, std::vector<uint8_t> *bytes);

// What undoing an environment variable does.
enum EnvironmentUndoAction {
  kEnvironmentLeave,   // nothing
  kEnvironmentDelete,  // delete the variable
  kEnvironmentWrite,   // write `value` with registry type `type`
};
struct EnvironmentUndo {
  EnvironmentUndoAction action = kEnvironmentLeave;
  int32_t type = 0;
  std::string value;
};

// The undo of a done record of an environment variable (type 4), given the
// variable as it is now (`present`, its registry type and text):
//   - unchanged since the installation (the value it wrote, or no written
//     value recorded): the earlier value is written back when there was
//     one, else the variable is deleted;
//   - changed since by someone else: only the ";"-separated entries the
//     installation added (in the value it wrote, not in the earlier one)
//     are taken out of today's value, everything else kept as it is;
//   - gone: left alone.
// A variable named PATH is never deleted or emptied: where the rules above
// would, only the installation's entries are taken out, and when nothing
// would be left it stays as it is.
EnvironmentUndo PlanEnvironmentUndo(const DoneTaskRecord &record, bool present,
                                    int32_t currentType, const std::string &current);

// The keys a file association of `extension` for `programPath` used on a
// system of `osCode` (engine/tasks/association_plan.h): the root, the
// extension's key, the class its default value names and the class's key.
struct AssociationKeys {
  int32_t rootCode = 0;
  std::string extensionKey;
  std::string className;
  std::string classKey;
};
// False for an empty extension or program, or a system of neither family.
bool AssociationKeysFor(const std::string &extension, const std::string &programPath, int osCode,
                        AssociationKeys *keys);

// True when a verb's command starts `programPath`: it begins with the
// trimmed path in double quotes, letter case ignored.
bool CommandStartsProgram(const std::string &command, const std::string &programPath);

#endif
