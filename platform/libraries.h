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
// system offers that (SetDefaultDllDirectories), else takes the current and
// application folders out of the search (SetDllDirectoryA("")); on systems
// with neither it does nothing. Call first thing in the process.
void HardenDllSearch();

// Loads `name` (for example "version.dll") from the system folder by its full
// path. NULL on failure.
LibraryHandle LoadSystemLibrary(const char *name);
// A system library already mapped into every process (kernel32.dll,
// user32.dll); not to be freed.
LibraryHandle GetLoadedSystemLibrary(const char *name);
// Loads a library by its full path. NULL on failure.
LibraryHandle LoadLibraryFromPath(const std::string &path);
// The exported function `name`, or NULL (also when `library` is NULL).
void *FindLibraryFunction(LibraryHandle library, const char *name);
void FreeLibraryHandle(LibraryHandle *library);

// The system folder without a trailing "\"; false when it cannot be read.
bool GetSystemFolder(std::string *path);

#endif
