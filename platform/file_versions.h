// The fixed file version of a program file's version resource, read through
// version.dll loaded from the system folder.
#ifndef QVS_PLATFORM_FILE_VERSIONS_H
#define QVS_PLATFORM_FILE_VERSIONS_H

#include <stdint.h>

#include <string>

// The file version's most and least significant DWORDs. False when
// version.dll or one of its functions is missing, or the file has no
// version resource.
bool ReadFileVersionNumbers(const std::string &path, uint32_t *mostSignificant,
                            uint32_t *leastSignificant);

// True when `path` names an existing file, not a folder; `size` (may be
// NULL) receives its size.
bool IsExistingRegularFile(const std::string &path, uint64_t *size);

#endif
