// Reading the installer's command line. Portable.
#ifndef QVS_STARTUP_COMMAND_LINE_H
#define QVS_STARTUP_COMMAND_LINE_H

#include <string>

// The switch the elevated copy of the installer is started with.
static const char kElevatedSwitch[] = "-elevated";

// The first parameter after the program name in `commandLine`, without the
// quotes that may enclose either; empty when there is none. The program name
// is quoted or runs to the first space or tab.
std::string FirstCommandLineParameter(const std::string &commandLine);

#endif
