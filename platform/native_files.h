// The system's native file open (ntdll's NtOpenFile), which Win32 lacks:
// a file named as the system names it internally, or a name inside an open
// folder, so that no path is looked up again. Used by running_image and
// held_entries.
#ifndef QVS_PLATFORM_NATIVE_FILES_H
#define QVS_PLATFORM_NATIVE_FILES_H

#include <stddef.h>
#include <stdint.h>

// True where the call exists (the NT family).
bool HasNativeOpen();

// Opens `name` (`characters` UTF-16 characters, no terminator needed): a
// native name such as "\Device\HarddiskVolume2\x" when `folder` is NULL,
// else a name inside the open folder `folder`; with `access`, sharing
// everything, for synchronous reads, and the extra open `options`
// (0x00200000: a reparse point as itself). NULL on failure.
void *OpenNativeName(const wchar_t *name, size_t characters, void *folder, uint32_t access,
                     uint32_t options);

#endif
