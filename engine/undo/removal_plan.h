// What uninstalling takes, worked out from the data file without touching
// the system: the steps in the one order that cannot strand anything, and
// the records refused as unsafe. The uninstaller runs the steps
// (engine/undo/removal_run.h); the host tests check the plan.
//
// Order:
//   1. the vendor's uninstaller tasks, in list order (programs with
//      ExecutionTime 1 wait for step 6);
//   2. the done records, newest first: DLLs are unregistered while their
//      files still exist, values go before the keys that hold them;
//   3. every created file except the files to leave and the uninstaller's
//      own two files;
//   4. the created folders, deepest first (later created first among equal
//      depths), each only when empty;
//   5. the start-menu group: its folder and the created folders above it,
//      deepest first, each only when empty;
//   6. the programs with ExecutionTime 1;
//   7. the Add/Remove entry.
// Then `finalSteps`, once the uninstaller no longer runs from its own file:
// its data file, its executable, and the folders of steps 4 and 5 again
// (the installation folder held the uninstaller until then).
//
// Nothing outside the recorded lists is planned. Refused: a path that is
// not a full path (drive or share), holds a wildcard or is a device form; a
// drive or share root as a folder; a done record whose BaseKey is not one
// of the six roots or whose key path is empty; a done or task type outside
// its table.
#ifndef QVS_ENGINE_UNDO_REMOVAL_PLAN_H
#define QVS_ENGINE_UNDO_REMOVAL_PLAN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "format/uninstaller_data.h"

enum RemovalStepKind {
  // The uninstaller tasks, by type (uninstaller/README.md).
  kStepRunProgram,          // 0: path, arguments; runMode, runHidden, waitUntilQuit
  kStepDeleteKeyTree,       // 1: rootCode, keyPath, with everything below it
  kStepDeleteValue,         // 2: rootCode, keyPath, valueName
  kStepCopyFile,            // 3: path to otherPath, overwriting
  kStepDeleteTaskFile,      // 4: path
  kStepDeleteFolderTree,    // 5: path, with its contents (refused for the system's folders)
  kStepRemoveTaskFolder,    // 6: path, when empty
  kStepOpenWebAddress,      // 7: path (the address)
  // The installation's own changes.
  kStepUndoDone,            // done, undone (engine/undo/undo_actions.h)
  kStepDeleteFile,          // path
  kStepRemoveFolder,        // path, when empty
  kStepRemoveGroupFolder,   // path, when empty
  kStepRemoveAddRemoveEntry,  // rootCode, keyPath; only while it names `path` (the uninstaller)
  kStepDeleteOwnFile,       // path: the uninstaller's data file or executable
};

struct RemovalStep {
  RemovalStepKind kind = kStepDeleteFile;
  std::string path;
  std::string otherPath;  // kStepCopyFile: the destination; kStepRunProgram: the arguments
  int32_t rootCode = 0;
  std::string keyPath;    // clean (engine/undo/undo_rules.h)
  std::string valueName;
  int32_t runMode = 0;
  int32_t runHidden = 0;
  int32_t waitUntilQuit = 0;
  DoneTaskRecord done;
  // kStepDeleteFile: the created folders above the file. A file below one
  // that has become a link since is not deleted: the link is not followed.
  std::vector<std::string> createdAncestors;
};

struct RemovalPlan {
  std::vector<RemovalStep> steps;
  std::vector<RemovalStep> finalSteps;
  // One line per record left out as unsafe, naming it and why.
  std::vector<std::string> refused;
};

struct RemovalContext {
  int osCode = 0;                // the listed system the running one acts as
  std::string uninstallerPath;   // the installed uninstaller, not a copy of it
  std::string dataPath;          // its data file
  bool silent = false;           // no window: web addresses are not opened
};

RemovalPlan PlanRemoval(const UninstallerData &data, const RemovalContext &context);

// The Add/Remove entries' key, below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
extern const char kAddRemoveKeyPrefix[];

// True when `path` may be removed as a file or folder: a full path (drive
// letter or share), no wildcard, no device or long-path form, and not a
// drive or share root.
bool IsRemovablePath(const std::string &path);

// True when both name the same file or folder, letter case, "/" and
// repeated or trailing "\" ignored. Paths that are not full never match.
bool IsSamePath(const std::string &a, const std::string &b);

#endif
