// Starting the script's programs: directly or through the shell, hidden or
// shown, waited for or not. Used by the run-program task and the finish
// actions, on any thread.
#ifndef QVS_ENGINE_TASKS_RUN_PROGRAM_H
#define QVS_ENGINE_TASKS_RUN_PROGRAM_H

#include <stdint.h>

#include <string>

// Run modes of the script's programs.
enum RunMode { kRunDirect = 0, kRunThroughShell = 1 };

// Called while a started program is waited for; its argument is ignored.
typedef int (*WaitCallbackFunction)(void *ignored);

// Handles every window event waiting for the calling thread; returns 0.
// The wait callback that task execution hands to RunProgram and to the DLL
// registration.
int WaitCallback(void *ignored);

// Starts `path`: run mode 0 directly (CreateProcessA, the quoted path and
// `commandLine` as its command line, or an empty one when `commandLine`
// is empty), run mode 1 through the shell with its default action (a
// document opens in its program) and `commandLine` as parameters; the
// folder part of `path` is the working folder. `hidden` 1 hides the
// window. With `wait` 1 the call returns once the program has ended,
// sleeping meanwhile and calling `callback` (may be NULL) whenever window
// events arrive. Every process handle is closed before the return.
// Returns the shell's success (1 or 0) in run mode 1; 0 otherwise, also
// for an empty path or another run mode (nothing is started then).
// `started` (may be NULL) tells whether a program was started, in either
// mode.
int RunProgram(const std::string &path, const std::string &commandLine, int32_t runMode,
               int32_t hidden, int32_t wait, WaitCallbackFunction callback,
               bool *started = NULL);

// As RunProgram without waiting, for a program the user is to work with
// (the finish page's program and documents): started as the user who
// started the installer, through that user's copy of it when this is the
// elevated copy (platform/user_side.h). Returns 1 in run mode 1 when it
// was started or handed over; 0 otherwise.
int RunProgramForUser(const std::string &path, const std::string &commandLine, int32_t runMode,
                      int32_t hidden);

#endif
