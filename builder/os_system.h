// The builder's process-wide system calls, one implementation per host:
// os_system_posix.cpp (Linux) and os_system_windows.cpp (qvsbuild.exe):
// the command line and the console, the environment, the clock, the
// running program's place, clean-up on an interrupt, and starting another
// program (the signing tool). Texts are UTF-8 on both.
#ifndef QVS_BUILDER_OS_SYSTEM_H
#define QVS_BUILDER_OS_SYSTEM_H

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

// The program's arguments as UTF-8, the program's name first. On Windows
// they are read from the wide command line (main's argv holds them in the
// ANSI code page, which loses characters outside it).
std::vector<std::string> ProgramArguments(int argc, char **argv);

// Sets the console up for the builder's messages, which are UTF-8: on
// Windows the console's output code page becomes UTF-8 until the process
// ends. Call once, first.
void PrepareConsole();
// True when `stream` is a terminal or console (not a file or pipe).
bool IsTerminal(FILE *stream);
// Blanks the line a progress report was drawn on and returns to its start.
void ClearTerminalLine(FILE *stream);
// Lets `stream` pass its bytes on unchanged, for a document whose bytes
// are to be the same on every host: on Windows a redirected standard
// output otherwise turns each LF into CR LF.
void KeepBytesUnchanged(FILE *stream);

// The folder holding the running executable, or empty when unknown.
std::string ExecutableFolder();
// The value of an environment variable; false when unset or empty.
bool EnvironmentValue(const char *name, std::string *value);

// The local-clock reading of a UTC time (seconds since 1970), in seconds as
// if that reading were UTC: the scale the archive records. False when the
// time cannot be converted.
bool LocalClockFromUtc(int64_t utc, int64_t *local);

// Paths removed when the build is interrupted (Ctrl-C, or a terminal that
// closes), one per slot: files first, then folders (emptied by then). An
// empty path frees the slot.
enum InterruptSlot {
  kInterruptOutput,        // the installer being written
  kInterruptSigned,        // a file the signing tool writes
  kInterruptSigningCopy,   // the uninstaller copy being signed
  kInterruptWorkFolder,    // the private folder that holds it
  kInterruptSlots
};
void RemoveOnInterrupt(InterruptSlot slot, const std::string &path);

// The signing tools to look for, in order of preference: on Windows the
// system's signtool.exe, then osslsigncode.exe; on Linux osslsigncode.
std::vector<std::string> SigningToolNames();
// The full path of program `name` found in the folders of PATH (never the
// current folder), or empty.
std::string FindProgram(const std::string &name);

// Runs `arguments` (the program's path first) with `input` on its standard
// input and waits for it; its standard output and error are collected in
// *output. False, with LastSystemError set, when it cannot be started;
// otherwise *exitCode holds its exit code.
bool RunProgram(const std::vector<std::string> &arguments, const std::string &input,
                std::string *output, int *exitCode);

#endif
