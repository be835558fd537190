// The uninstaller's command line and the names of its files. Portable.
//
//   Uninst3.exe [/S]                   as the user or a deployment tool starts it
//   Uninst3.exe -elevated [/S]         relaunched through the elevation prompt
//   <copy> -from "<Uninst3.exe>" -parent N -report N -self N [-guarded] [/S]
//                                      the copy in the temporary folder that does
//                                      the work; N are inherited handles;
//                                      -guarded: it works with the administrator
//                                      rights the installer asked for
// "/S" (any letter case) is a silent run. Unknown words are ignored.
#ifndef QVS_UNINSTALLER_ARGUMENTS_H
#define QVS_UNINSTALLER_ARGUMENTS_H

#include <stdint.h>

#include <string>

struct UninstallerArguments {
  bool silent = false;
  bool elevated = false;
  // Set for the working copy: the installed uninstaller it was made from.
  std::string originalPath;
  uint64_t parentProcess = 0;  // the installed uninstaller's process
  uint64_t resultPipe = 0;     // where the exit code goes
  uint64_t selfFile = 0;       // the copy's own file, deleted with its last handle
  // The work runs with the administrator rights the installer asked for:
  // the data file must be one only administrators can change.
  bool guarded = false;
};

// Reads a whole command line (the program's name first, quoted or up to
// the first blank).
UninstallerArguments ParseUninstallerArguments(const std::string &commandLine);

// The parameters (without the program's name) that start a process with
// `arguments`; the inverse of ParseUninstallerArguments.
std::string UninstallerParameters(const UninstallerArguments &arguments);

// The data file beside the uninstaller: its name with ".dat" in place of
// the extension (Uninst3.exe reads Uninst3.dat).
std::string DataFilePathFor(const std::string &uninstallerPath);

// The administrator flag the installer appends to the uninstaller: the
// last four bytes of its file, little-endian; set when they make 1.
bool AdministratorFlagFromTail(const uint8_t tail[4]);
// The flag of an uninstaller that ends with its signature, where nothing
// may be appended: its data file's RequireAdministrator line; set when that
// line is there and reads 1, not set for a file without it or one the
// reader refuses.
bool AdministratorFlagFromData(const std::string &dataText);

#endif
