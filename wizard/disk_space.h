// Disk space and drive queries of the install-folder page and its Next check.
#ifndef QVS_WIZARD_DISK_SPACE_H
#define QVS_WIZARD_DISK_SPACE_H

#include <stdint.h>

#include <string>

// The space of the volume holding `path`, by `kind` (letter case ignored):
// "t" total bytes, "f" bytes free to this user, "u" total minus free. -1
// for any other kind or when the query fails. No system error box appears
// for a drive without a medium.
int64_t GetDiskSpace(const std::string &path, const char *kind);

// 1 when `path`, with "\" appended if missing, names an existing folder; for
// a drive root such as "D:\" when the system knows a drive there. Else 0.
int DriveExists(const std::string &path);

#endif
