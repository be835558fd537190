// The program's own executable file, held open for the whole run.
//
// An installer reads its payload from its own file, often in a folder the
// user (and any program the user runs) can write, while it runs with an
// administrator's rights. Opened by path again and again, the file could be
// renamed and another put in its place between two reads. Opened once so
// that nobody may write, delete or rename it while the handle is open, and
// proved to be the very file the process was started from, it gives the
// same bytes for as long as the run lasts.
#ifndef QVS_PLATFORM_RUNNING_IMAGE_H
#define QVS_PLATFORM_RUNNING_IMAGE_H

#include <stdint.h>

#include "platform/files.h"

enum RunningImageResult {
  kRunningImageOpen,
  // The file cannot be opened so (someone holds it open for writing, or it
  // is unreadable).
  kRunningImageUnavailable,
  // The file the process's path names now is not the one it was started
  // from: it was moved or replaced.
  kRunningImageReplaced,
};

// Opens the executable this process was started from for reading, denying
// others write access, deletion and renaming (they may still read it and
// start it), and proves that the file opened is the running image: the
// image's file as the system names it now must be a name of the file held,
// checked twice around an open of that name, so that it cannot have moved
// in between (the held file's names cannot change while it is held). On
// systems without the native calls this needs (Windows 9x) the open alone
// stands. On kRunningImageOpen *file is the handle; NULL otherwise.
RunningImageResult OpenRunningImage(FileHandle *file);

// True when `file` and the handle `number` of the running process
// `processId` lead to one file (same volume, same file number): the
// elevated copy's proof that it runs from the very file the user's copy
// holds. False when that handle cannot be reached.
bool HoldsSameFileAs(FileHandle file, uint32_t processId, uint64_t number);

#endif
