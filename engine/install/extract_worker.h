// The extraction of the product's files: the worker that walks the payload
// archive through the unpacker module, the two callbacks the module calls
// on that worker, and the worker that keeps the remaining time current.
//
// Call order (interface thread): PrepareExtraction, then start
// ExtractFilesWorker and RemainingTimeWorker on their threads; while they
// run, TakeExtractionDisplay gives what the progress page should show. The
// workers talk to the user only through interface_questions.h, pause at
// safe points while Install().PauseRequested is set (between chunks and
// between files) and stop there once Install().Running is 0.
#ifndef QVS_ENGINE_INSTALL_EXTRACT_WORKER_H
#define QVS_ENGINE_INSTALL_EXTRACT_WORKER_H

#include <stdint.h>

#include <string>
#include <vector>

#include "engine/install/install_plan.h"
#include "module/unpacker_api.h"

// How a run ended that the interface thread must finish.
enum ExtractionEnd {
  kExtractionRunning,
  kExtractionComplete,   // every entry walked
  kExtractionStopped,    // Running went to 0: the user cancelled
  kExtractionFailed,     // an error the user was told about, or an abort they chose
  kExtractionNoSpace,    // a disk was full and the user gave up
  kExtractionFatal,      // as failed, and the installer ends once it has rolled back
};

// A product file the extraction will write, in archive order.
struct PlannedFile {
  std::string destination;
  int64_t size = 0;
};

// What the extraction needs, fixed before it starts.
struct ExtractionPlan {
  std::string configPrefix;
  std::vector<ComponentFolder> folders;  // the selected components' folders
  std::vector<std::string> reservedNames;
  int32_t replaceStatus = 0;
  // The files to write: their notes go to the journal a batch at a time,
  // ahead of the files, with the folders they need.
  std::vector<PlannedFile> files;
};

void PrepareExtraction(const ExtractionPlan &plan);

// Thread entries; their arguments are ignored. ExtractFilesWorker returns 1
// when the archive was walked to its end, else 0; RemainingTimeWorker 0.
int ExtractFilesWorker(void *unused);
int RemainingTimeWorker(void *unused);

// The module's callbacks (registered by the driver).
int QVS_CALL OnFileProgress(const char *path, int64_t fileSize, int64_t bytesJustWritten,
                            int64_t fileBytesWritten);
int QVS_CALL OnReplaceExisting(const char *path, int64_t newSize, int32_t newDate);

ExtractionEnd ExtractionOutcome();

// What the progress page shows, as the workers last left it.
struct ExtractionDisplay {
  std::string status;         // the status line, before shortening
  std::string remainingTime;  // the remaining-time line
  int percent = 0;            // the progress bar
  bool cancelOffered = true;  // false once the last file is being written
};
// Fills *display; false when nothing changed since the last call.
bool TakeExtractionDisplay(ExtractionDisplay *display);

// The worker stands still while the interface thread asks the user
// something: call with true before asking, false after.
void HoldWorkers(bool hold);

#endif
