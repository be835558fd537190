// Finding the user's web browser and the command line that opens an
// address in it. The registry and file tests go through a
// CheckEnvironment; starting the program is OpenWebAddress's (web_address.h).
#ifndef QVS_CHECKS_BROWSER_PROGRAM_H
#define QVS_CHECKS_BROWSER_PROGRAM_H

#include <string>

#include "checks/check_environment.h"

// The folder part of a command or path: the text up to and including its
// last "\" or "/", after one leading double quote is skipped; empty when
// it has no separator.
std::string CommandFolderPart(const std::string &command);

// A program path from a shell command such as "C:\B\b.exe" -url "%1": the
// folder part followed by the text after the last separator up to the next
// double quote, trimmed of spaces.
std::string ProgramPathFromCommand(const std::string &command);

// The browser program: the registered StartMenuInternet client (the
// user's, else the machine's) when its command names a non-empty file;
// else the program of the web-protocol association (Vista and later) or of
// the .html class (earlier systems); else "iexplore.exe". Uses osCode, os,
// registryReadValue and nonEmptyFileExists.
std::string FindBrowserProgram(const CheckEnvironment &env);

// The command line that starts `program` on `address`: the program in
// double quotes (kept as it is when it already opens with one), a blank and
// the address as written.
std::string BrowserCommandLine(const std::string &program, const std::string &address);

#endif
