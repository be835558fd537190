// The temporary file that holds the unpacker module while the installer
// runs.
//
// The file is created new and written while no other process may write it,
// then reopened so that nobody may write, delete or rename it, and read back
// and compared: a change made in the moment between the two opens is
// caught. The caller keeps `lock` open until the library is loaded, and
// loads it by the name the system gives the held file (LoadHeldLibraryFile),
// so the bytes loaded are the bytes written.
#ifndef QVS_STARTUP_TEMP_MODULE_H
#define QVS_STARTUP_TEMP_MODULE_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "platform/files.h"

// Largest random number in a temporary module name.
static const uint32_t kTempNumberMaximum = 7777777;

// `folder` + "\" when it lacks one + "_temp_" + `number` + ".tmp".
std::string TempModuleFileName(const std::string &folder, uint32_t number);

// Random names drawn before a search gives up: a temporary folder so full
// that this many miss is not one to fill further.
static const int kTempNameAttempts = 1000;

// The first of at most `attempts` names in `folder`, each with a random
// number from 0 to kTempNumberMaximum, that `exists` does not know; empty
// when every one drawn is taken.
std::string FindUnusedTempName(const std::string &folder, bool (*exists)(const std::string &path),
                               int attempts);

// A path in the temporary folder, named as above, that names no existing
// file. Empty when the temporary folder cannot be read or no free name was
// found in kTempNameAttempts tries.
std::string MakeTempModulePath();

enum TempModuleResult {
  kTempModuleReady,
  kTempModuleNotCreated,  // no free name, or the file could not be created
  kTempModuleNotWritten,  // writing failed, or the file changed before it was locked
};

// Writes `size` bytes to a new temporary file. On kTempModuleReady `path`
// names the file and `lock` holds it against writers; on
// kTempModuleNotWritten `path` names the file this process created (for the
// caller to delete); on kTempModuleNotCreated `path` is empty.
TempModuleResult WriteTempModule(const uint8_t *bytes, size_t size, std::string *path,
                                 FileHandle *lock);

#endif
