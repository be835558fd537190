// Volumes and folders: free space, drive presence.
#ifndef QVS_PLATFORM_DISK_INFO_H
#define QVS_PLATFORM_DISK_INFO_H

#include <stdint.h>

#include <string>

// Total bytes and bytes free to this user of the volume holding `path`
// (GetDiskFreeSpaceExA), with the system's critical-error boxes switched
// off for the call. False when the query fails.
bool QueryDiskSpace(const std::string &path, uint64_t *totalBytes, uint64_t *freeBytes);

// True when `path` ends in "\" and is a drive root ("D:\") the system
// knows a drive for (a type other than unknown or no root).
bool IsKnownDriveRoot(const std::string &path);
// True when `path` names an existing folder.
bool FolderExists(const std::string &path);

#endif
