// Dynamic libraries.
//
// System DLLs are only ever loaded from the system folder, so that a DLL of
// the same name placed beside a downloaded installer is never picked up.
// FreeLibraryHandle clears the handle and is safe to call twice.
#ifndef QVS_PLATFORM_LIBRARIES_H
#define QVS_PLATFORM_LIBRARIES_H

#include <string>

typedef void *LibraryHandle;

// Restricts the DLL search of this process to the system folder where the
// system offers that (SetDefaultDllDirectories: Windows 8 and later, and
// Windows Vista and 7 with update KB2533623). Elsewhere it can only take the
// current folder out of the search (SetDllDirectoryA("")): the folder the
// program was started from is still searched first for every DLL loaded by
// name, by this program's own libraries or by the system's, so a DLL
// planted beside a downloaded installer can still be picked up there. On
// systems with neither call it does nothing. Call first thing in the
// process.
void HardenDllSearch();

// Loads `name` (for example "version.dll") from the system folder by its full
// path. NULL on failure.
LibraryHandle LoadSystemLibrary(const char *name);
// A system library already mapped into every process (kernel32.dll,
// user32.dll); not to be freed.
LibraryHandle GetLoadedSystemLibrary(const char *name);
// Loads a library by its full path. NULL on failure.
LibraryHandle LoadLibraryFromPath(const std::string &path);
// Loads the library file that `heldFile` (open, denying others write,
// delete and rename) holds, by the file's final path as the system names
// it through the handle: every link on the way resolved, every folder a
// real one that cannot be renamed while a file in it is open, so the name
// cannot be pointed elsewhere between the check and the load. Where the
// system cannot name a handle's file (before Windows Vista) `path` is
// used. NULL on failure.
LibraryHandle LoadHeldLibraryFile(void *heldFile, const std::string &path);
// The exported function `name`, or NULL (also when `library` is NULL).
void *FindLibraryFunction(LibraryHandle library, const char *name);
void FreeLibraryHandle(LibraryHandle *library);

// The system folder without a trailing "\"; false when it cannot be read.
bool GetSystemFolder(std::string *path);

#endif
