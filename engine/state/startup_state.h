// The process-wide state that start-up prepares and every later stage reads.
// One instance, filled on the main thread; its fonts, icons, brush and lists
// live until the process ends.
#ifndef QVS_ENGINE_STATE_STARTUP_STATE_H
#define QVS_ENGINE_STATE_STARTUP_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "checks/os_classification.h"
#include "platform/fonts.h"
#include "platform/images.h"
#include "platform/libraries.h"
#include "platform/mutexes.h"

static const int kPageIconCount = 5;
static const int kStateIconCount = 4;

struct StartupState {
  // The OS code, which the requirement check goes by, and what the
  // detection read, from which the log's account of the system and the
  // system this one acts as follow.
  int osCode = 0;
  OsDetails os;
  bool isAdministrator = false;
  // Administrator rights on an NT-family system; never set on Windows 9x.
  bool hasAdminRightsNT = false;
  FontHandle fontNormal = NULL;
  FontHandle fontTitle = NULL;
  FontHandle fontSmall = NULL;
  // 32 x 32, 24-bit: package; with list; with down arrow; with check mark;
  // with computer.
  BitmapHandle pageIcons[kPageIconCount] = {};
  // 16 x 16, 256 colours: the component tree's item states 0 to 3.
  BitmapHandle stateIcons[kStateIconCount] = {};
  BrushHandle whiteBrush = NULL;
  std::vector<std::string> reservedNames;
  std::string languageName;
  int32_t languageId = 0;
  MutexHandle instanceMutex = NULL;
  // Empty until this process has created the temporary module file.
  std::string tempModulePath;
  LibraryHandle moduleHandle = NULL;
};

StartupState &Startup();

// Reads the running system into osCode and os; once, first thing in a
// process.
void DetectRunningSystem(StartupState *state);

// The listed system the running one acts as (OsCodeActingAs of osCode and
// os): what every OS-dependent rule but the requirement check goes by.
int ActingOsCode();

#endif
