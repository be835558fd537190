// Running the steps of a removal plan (engine/undo/removal_plan.h) on the
// system, one at a time, on any thread. A step that fails leaves its
// target and the run goes on with the next.
#ifndef QVS_ENGINE_UNDO_REMOVAL_RUN_H
#define QVS_ENGINE_UNDO_REMOVAL_RUN_H

#include <string>
#include <vector>

#include "engine/undo/folder_protection.h"
#include "engine/undo/removal_plan.h"
#include "engine/tasks/run_program.h"

struct RemovalRun {
  int osCode = 0;  // the listed system the running one acts as
  // Called while a program or regsvr32 is waited for (may be NULL).
  WaitCallbackFunction waitCallback = NULL;
  // What is left for the next restart: files in use, and the folders that
  // hold them.
  std::vector<std::string> scheduled;
  bool restartNeeded = false;
};

void RunRemovalStep(const RemovalStep &step, RemovalRun *run);

#endif
