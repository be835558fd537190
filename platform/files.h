// Files of the local file system, named by ANSI paths.
//
// A FileHandle is NULL when no file is open; CloseFileHandle clears it and is
// safe to call twice.
#ifndef QVS_PLATFORM_FILES_H
#define QVS_PLATFORM_FILES_H

#include <stddef.h>
#include <stdint.h>

#include <string>

typedef void *FileHandle;

// Opens an existing file for reading; others may go on reading and writing it.
FileHandle OpenFileForReading(const std::string &path);
// Opens an existing file for reading and, while the handle stays open,
// refuses every other process write access and deletion or renaming.
// Fails when someone holds the file open for writing.
FileHandle OpenFileDenyingWriters(const std::string &path);
// Creates the file `path` for writing, emptying it when it exists; others
// may only read it while the handle is open.
FileHandle CreateFileForWriting(const std::string &path);
// Opens `path` for writing, creating it when missing, emptied unless
// `keepContents` (then positioned at its end); others may read and write
// it meanwhile. The name itself is never followed: a symbolic link, a
// junction, any other reparse point, a folder or a file with a second name
// (a hard link) is refused and left as it was. NULL on failure.
FileHandle OpenPlainFileForWriting(const std::string &path, bool keepContents);
// Creates a file that must not exist yet, for writing; others may only read
// it while the handle is open. `alreadyExists` (may be NULL) tells whether
// the failure was a name already taken.
FileHandle CreateNewFileForWriting(const std::string &path, bool *alreadyExists);

// Opens an existing file for reading and deletion while no one else has it
// open, and lets no one else open it meanwhile. *inUse (may be NULL) tells
// whether the failure was another process holding it.
FileHandle OpenFileExclusively(const std::string &path, bool *inUse);

// Reads up to `size` bytes, stopping early only at the end of the file.
// `bytesRead` receives the count. False on a read error.
bool ReadFromFile(FileHandle file, void *buffer, size_t size, size_t *bytesRead);
// Reads exactly `size` bytes at `offset` through a handle shared with other
// readers: the read names its position itself instead of moving the
// handle's. False when the bytes are not all there or a read failed.
bool ReadFileAt(FileHandle file, uint64_t offset, void *buffer, size_t size);
// True when the two open files hold the same bytes (read with ReadFileAt).
bool FilesHoldSameBytes(FileHandle first, FileHandle second);
// Writes all `size` bytes; false when any could not be written.
bool WriteToFile(FileHandle file, const void *buffer, size_t size);
// Returns once everything written to the file is on the disk.
bool FlushFileToDisk(FileHandle file);
// Moves the file position to `offset` bytes from the start.
bool SeekFileTo(FileHandle file, uint64_t offset);
// Moves the file position to the end of the file.
bool SeekFileToEnd(FileHandle file);
// Size of the open file; false when it cannot be read.
bool ReadOpenFileSize(FileHandle file, uint64_t *size);
void CloseFileHandle(FileHandle *file);

bool FileExists(const std::string &path);
// Size of the file at `path`; false when it cannot be read.
bool ReadFileSizeAt(const std::string &path, uint64_t *size);
bool DeleteFileAt(const std::string &path);

// The attributes of the file `path` (a folder does not count); false when
// there is none.
bool ReadFileAttributesAt(const std::string &path, uint32_t *attributes);
// Moves the file `path` to `keptPath`, which must not exist yet, and hides
// it there: kept so that it can be put back. False when it could not be
// moved; `path` is then as it was.
bool MoveFileToKeptPath(const std::string &path, const std::string &keptPath);
// Moves the kept file back to `path`, replacing whatever is there now, and
// gives it `attributes` (those it had before it was kept). False when it
// failed.
bool PutKeptFileBack(const std::string &keptPath, const std::string &path, uint32_t attributes);

// Renames the file `from` to `to`, replacing a file there. False when it
// failed; `from` is then as it was.
bool RenameFileOver(const std::string &from, const std::string &to);

// True when something (file or folder) exists at `path`.
bool PathExists(const std::string &path);
// Clears the read-only and other attributes, then deletes the file.
bool DeleteFileClearingAttributes(const std::string &path);
// The size of the file at `path` and its last-write time as a local
// date-time in seconds since 1970. False when it cannot be read.
bool ReadFileStamp(const std::string &path, uint64_t *size, int64_t *localWriteTime);
// Makes `folder` the process's current folder.
bool SetCurrentFolder(const std::string &folder);

// The system's own full name for the open file: every link on the way
// resolved, long names, in the usual form ("C:\..." or "\\server\share\...")
// or, with `longForm`, as "\\?\C:\..." / "\\?\UNC\...". False when the system
// cannot tell (before Windows Vista, or a file system that does not know).
bool GetFinalPathOf(void *file, bool longForm, std::string *path);

// Full path of the running executable; false when it does not fit.
bool GetOwnExecutablePath(std::string *path);
// The temporary folder in its long form where the system can give it, as
// GetTempPathA returns it otherwise. False when it cannot be read.
bool GetTemporaryFolder(std::string *path);

#endif
