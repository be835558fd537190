// The state of one installation run, shared by the interface thread, the
// extraction worker, the remaining-time worker and the task thread.
//
// Flags and counters are atomics with one writer each; texts are written
// by the interface thread before any worker starts and only read after.
// The start-menu group folder lives in InstallerScript().StartMenuFolder,
// where the path variables read it.
#ifndef QVS_ENGINE_STATE_INSTALL_STATE_H
#define QVS_ENGINE_STATE_INSTALL_STATE_H

#include <stdint.h>

#include <atomic>
#include <string>

struct InstallState {
  // Always ending in "\".
  std::string InstallPath;
  std::string UninstallerExePath;
  std::string UninstallerDataPath;
  // 1 while extraction may continue; 0 tells every worker and callback to
  // stop at its next safe point.
  std::atomic<int32_t> Running{0};
  // 1 when extraction ended through an error or an abort the user chose.
  std::atomic<int32_t> Failed{0};
  // 1 while the interface thread asks the user something that must find
  // the workers standing still (the cancel question); workers wait at
  // their next safe point until it is 0 again.
  std::atomic<int32_t> PauseRequested{0};
  std::atomic<int32_t> TotalFiles{0};
  std::atomic<int32_t> FilesDone{0};
  std::atomic<int64_t> BytesTotal{0};
  std::atomic<int64_t> BytesDone{0};
  // Local date-time in seconds since 1970 when extraction began.
  std::atomic<int64_t> StartTime{0};
  // Remembered answer of the replace question: 0 none, 1 overwrite all,
  // 2 keep all.
  std::atomic<int32_t> ReplaceAnswerSticky{0};
  // The after-copy tasks' progress, 0 to 100, for the progress bar.
  std::atomic<int32_t> TaskPercent{0};
};

InstallState &Install();

// BytesDone / BytesTotal x 100; 0 while the total is 0.
double OverallPercent(const InstallState &state);

#endif
