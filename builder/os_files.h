// The builder's file-system calls, one implementation per host:
// os_files_posix.cpp (Linux) and os_files_windows.cpp (qvsbuild.exe). The
// rest of the builder makes no file-system call of its own, so that both
// builders read a project the same way and write the same bytes.
//
// Paths are UTF-8 text in the host's own form: "/" between folders on
// Linux; drive letters, "\" (or "/") and UNC shares on Windows, where the
// wide-character API is used throughout and a path too long for the
// classic limit is passed in its "\\?\" form. Names listed from a folder
// come back as UTF-8 as well.
//
// A call that fails returns false (or kNoFile) and leaves the reason for
// LastSystemError, which must be read before any other call.
#ifndef QVS_BUILDER_OS_FILES_H
#define QVS_BUILDER_OS_FILES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// The separator the builder puts between a folder and a name it joins.
extern const char kPathSeparator;

// `folder` + separator + `name`; no second separator when `folder` ends
// with one.
std::string JoinPath(const std::string &folder, const std::string &name);
// The folder part of `path`: "." when it names no folder.
std::string FolderOfPath(const std::string &path);
// The absolute form of an existing path with every link resolved, for
// comparing places; empty when the path cannot be resolved.
std::string ResolvedPath(const std::string &path);
// True when the resolved path `inner` is the resolved folder `outer` or
// lies below it (letter case ignored on Windows).
bool PathIsWithin(const std::string &inner, const std::string &outer);

enum FileKind {
  kFileRegular,
  kFileFolder,
  kFileLink,   // a symbolic link, or on Windows any name-surrogate reparse point (junctions too)
  kFileOther,  // a device, pipe or socket
};

struct FileStatus {
  FileKind kind;
  // Together the same file: device and inode, or volume serial and file index.
  uint64_t device;
  uint64_t fileId;
  uint64_t size;
  int64_t modifiedSeconds;  // UTC seconds since 1970, rounded down
  int64_t modifiedNanoseconds;  // 0..999999999 (100 ns steps on Windows)
  bool readOnly;  // no owner-write bit; the read-only attribute on Windows
};

// The status of `path`, of what a link leads to when `followLinks`, else of
// the link itself. False when nothing can be read there.
bool StatusOfPath(const std::string &path, bool followLinks, FileStatus *status);

// The names in a folder, "." and ".." left out, in no particular order.
bool ListFolder(const std::string &path, std::vector<std::string> *names);

// An open file. kNoFile stands for none.
typedef intptr_t OsFile;
const OsFile kNoFile = -1;

// Opens a file for reading without waiting: a pipe or device put where a
// file was must not block the build. Other programs may still write,
// rename or delete it (the readers notice through the file's status).
OsFile OpenFileForReading(const std::string &path);
bool StatusOfOpenFile(OsFile file, FileStatus *status);
// Reads what comes next, up to `size` bytes; *got is 0 at the end.
bool ReadFromFile(OsFile file, void *buffer, size_t size, size_t *got);
// Reads exactly `size` bytes at `offset`; safe from several threads at once.
bool ReadFileAt(OsFile file, uint64_t offset, void *buffer, size_t size);
// Writes all `size` bytes at `offset`.
bool WriteFileAt(OsFile file, uint64_t offset, const void *data, size_t size);
// Makes what was written durable.
bool SyncFile(OsFile file);
// Closes and sets *file to kNoFile; false when the system reports an error
// (for a written file: the data may not have arrived). Safe on kNoFile.
bool CloseFile(OsFile *file);

// Creates a new file for writing; fails when anything, a link included, is
// there already, so that nothing is ever written through a link.
OsFile CreateNewFile(const std::string &path);
// Creates a new file named `prefix` + six random letters and digits, for
// writing, readable by its owner only until ApplyNewFileMode; *path gets
// its name.
OsFile CreateUniqueFile(const std::string &prefix, std::string *path);

enum NewFileMode {
  kNewFileData,      // what a new file gets (the umask decides on Linux)
  kNewFileReadOnly,  // the same without write permission: the read-only attribute
  kNewFileProgram,   // what a new program gets (executable on Linux)
};
// Gives a file made by this process its final permissions, through its handle.
bool ApplyNewFileMode(OsFile file, NewFileMode mode);

// Creates a folder; true also when something is already there (callers
// check what with StatusOfPath).
bool MakeFolder(const std::string &path);
// Renames `from` to `to`, replacing a file there.
bool RenameOver(const std::string &from, const std::string &to);
bool RemoveFile(const std::string &path);
bool RemoveEmptyFolder(const std::string &path);
// Creates a new folder only this user can enter, in the system's temporary
// folder, for the files a build needs on the way; *path gets its name.
bool MakePrivateFolder(std::string *path);

// Why this host cannot hold a file of the archive entry name `name`
// (Windows-1252, "\" or "/" between folders) below a folder, beyond what
// every host refuses (IsSafeEntryName), or null: on Windows a name Windows
// reserves for a device (CON, NUL, COM1, ...) or cannot hold (<>:"|?*, a
// trailing dot or blank); nothing more on Linux.
const char *HostNameProblem(const std::string &name);

// Why the last failed call above failed, as text.
std::string LastSystemError();

#endif
