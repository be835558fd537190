// Running the steps of a removal plan (engine/undo/removal_plan.h) on the
// system, one at a time, on any thread. A step that fails leaves its
// target and the run goes on with the next.
#ifndef QVS_ENGINE_UNDO_REMOVAL_RUN_H
#define QVS_ENGINE_UNDO_REMOVAL_RUN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "engine/undo/folder_protection.h"
#include "engine/undo/removal_plan.h"
#include "engine/tasks/run_program.h"

struct RemovalRun {
  int osCode = 0;  // the listed system the running one acts as
  // Called while a program or regsvr32 is waited for (may be NULL).
  WaitCallbackFunction waitCallback = NULL;
  // Files in use are left to the next restart (the uninstaller); a
  // rollback leaves them where they are.
  bool scheduleInUse = true;
  // What is left for the next restart: files in use, and the folders that
  // hold them.
  std::vector<std::string> scheduled;
  bool restartNeeded = false;
  // Kept copies that could not be given back: the user's files are still
  // in them.
  std::vector<std::string> notRestored;
  // Per created folder of the plan: 0 not asked yet, 1 no link on the way
  // up, 2 it or a created folder above it has become a link.
  std::vector<uint8_t> linkAnswers;
};

// Runs one step of `plan`.
void RunRemovalStep(const RemovalStep &step, const RemovalPlan &plan, RemovalRun *run);

#endif
