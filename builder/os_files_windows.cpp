// The builder's file-system calls on Windows (see os_files.h): the wide
// API throughout, long paths in their "\\?\" form (os_windows_text.h).
#include "builder/os_files.h"

#include <windows.h>

#include "builder/os_windows_text.h"
#include "builder/path_rules.h"

const char kPathSeparator = '\\';

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// 100-nanosecond steps between 1601-01-01 and 1970-01-01.
const int64_t kUnixEpochTicks = 116444736000000000ll;
const int64_t kTicksPerSecond = 10000000;
// ReadFile and WriteFile take a 32-bit count.
const size_t kLargestTransfer = 1u << 30;
const int kUniqueNameAttempts = 100;
// The longest path the wide API takes, in characters.
const size_t kLongestPath = 32768;

HANDLE Handle(OsFile file) { return (HANDLE)file; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(const std::string &folder) {
  return folder.size() == 2 && folder[1] == ':';
}

HANDLE OpenForStatus(const std::string &path, bool followLinks) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return INVALID_HANDLE_VALUE;
  // FILE_READ_ATTRIBUTES alone opens even a file another program holds
  // locked; backup semantics open folders too.
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  return CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kShareAll, NULL, OPEN_EXISTING, flags,
                     NULL);
}

bool IsNameSurrogate(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO tag;
  if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag)) return false;
  return IsReparseTagNameSurrogate(tag.ReparseTag);
}

bool StatusOfHandle(HANDLE handle, FileStatus *status) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) {
    // Devices and pipes have no such information.
    if (GetFileType(handle) == FILE_TYPE_DISK) return false;
    memset(status, 0, sizeof *status);
    status->kind = kFileOther;
    return true;
  }
  if (GetFileType(handle) != FILE_TYPE_DISK)
    status->kind = kFileOther;
  else if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsNameSurrogate(handle))
    status->kind = kFileLink;
  else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
    status->kind = kFileFolder;
  else
    status->kind = kFileRegular;
  status->device = info.dwVolumeSerialNumber;
  status->fileId = (uint64_t)info.nFileIndexHigh << 32 | info.nFileIndexLow;
  status->size = (uint64_t)info.nFileSizeHigh << 32 | info.nFileSizeLow;
  int64_t ticks = (int64_t)((uint64_t)info.ftLastWriteTime.dwHighDateTime << 32 |
                            info.ftLastWriteTime.dwLowDateTime) -
                  kUnixEpochTicks;
  int64_t seconds = ticks / kTicksPerSecond;
  int64_t rest = ticks % kTicksPerSecond;
  if (rest < 0) {  // before 1970: round down, as the Linux builder's clock does
    seconds--;
    rest += kTicksPerSecond;
  }
  status->modifiedSeconds = seconds;
  status->modifiedNanoseconds = rest * 100;
  status->readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return true;
}

// A final path without its "\\?\" or "\\?\UNC\" form, so that paths
// resolved by different routes compare equal.
std::string PlainFinalPath(const std::wstring &path) {
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return "\\\\" + Utf8FromWide(path.substr(8));
  if (path.compare(0, 4, L"\\\\?\\") == 0) return Utf8FromWide(path.substr(4));
  return Utf8FromWide(path);
}

bool ClearReadOnly(const std::wstring &path, DWORD *previous) {
  *previous = GetFileAttributesW(path.c_str());
  if (*previous == INVALID_FILE_ATTRIBUTES || !(*previous & FILE_ATTRIBUTE_READONLY)) return false;
  return SetFileAttributesW(path.c_str(), *previous & ~FILE_ATTRIBUTE_READONLY) != 0;
}

// Where GetFinalPathNameByHandleW fails (Wine's stops at MAX_PATH): the
// file's path on its volume after the drive that `path` starts with, when
// that names the very file `handle` is open on; else empty.
std::string SameFileOnGivenDrive(HANDLE handle, const std::string &path) {
  std::wstring given, full(kLongestPath, L'\0');
  if (!WideFromUtf8(path, &given)) return std::string();
  DWORD length = GetFullPathNameW(given.c_str(), (DWORD)full.size(), &full[0], NULL);
  if (length < 2 || length >= full.size() || full[1] != L':') return std::string();
  std::vector<uint8_t> buffer(sizeof(FILE_NAME_INFO) + kLongestPath * sizeof(wchar_t));
  FILE_NAME_INFO *name = (FILE_NAME_INFO *)buffer.data();
  if (!GetFileInformationByHandleEx(handle, FileNameInfo, name, (DWORD)buffer.size()))
    return std::string();
  std::string candidate = Utf8FromWide(full.substr(0, 2)) +
                          Utf8FromWide(name->FileName, name->FileNameLength / sizeof(wchar_t));
  FileStatus opened, named;
  if (!StatusOfHandle(handle, &opened) || !StatusOfPath(candidate, true, &named) ||
      opened.device != named.device || opened.fileId != named.fileId)
    return std::string();
  return candidate;
}

HANDLE CreateForWriting(const std::wstring &path) {
  // Shared for deleting, so that an interrupt can remove a file being
  // written; never through a link that is there already.
  return CreateFileW(path.c_str(), GENERIC_WRITE | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                     NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, NULL);
}

// Reads or writes all `size` bytes at `offset`. The offset travels with
// each call, so threads reading at once do not disturb one another.
bool TransferAt(HANDLE handle, uint64_t offset, uint8_t *buffer, size_t size, bool write) {
  size_t done = 0;
  while (done < size) {
    OVERLAPPED at;
    memset(&at, 0, sizeof at);
    at.Offset = (DWORD)(offset + done);
    at.OffsetHigh = (DWORD)((offset + done) >> 32);
    size_t left = size - done;
    DWORD count = (DWORD)(left < kLargestTransfer ? left : kLargestTransfer);
    DWORD moved = 0;
    BOOL ok = write ? WriteFile(handle, buffer + done, count, &moved, &at)
                    : ReadFile(handle, buffer + done, count, &moved, &at);
    if (!ok) return false;
    if (moved == 0) {
      SetLastError(write ? ERROR_DISK_FULL : ERROR_HANDLE_EOF);
      return false;
    }
    done += moved;
  }
  return true;
}

}  // namespace

std::string JoinPath(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  if (IsSeparator(folder.back()) || IsDriveRoot(folder)) return folder + name;
  return folder + "\\" + name;
}

std::string FolderOfPath(const std::string &path) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return IsDriveRoot(path.substr(0, 2)) ? path.substr(0, 2) : ".";
  // The root keeps its separator: "\" or "C:\".
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::string ResolvedPath(const std::string &path) {
  HANDLE handle = OpenForStatus(path, true);
  if (handle == INVALID_HANDLE_VALUE) return std::string();
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, &final[0], (DWORD)final.size(),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= final.size()) {
    final.resize(length + 1);
    length = GetFinalPathNameByHandleW(handle, &final[0], (DWORD)final.size(),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  std::string resolved;
  if (length > 0 && length < final.size()) {
    final.resize(length);
    resolved = PlainFinalPath(final);
  } else {
    resolved = SameFileOnGivenDrive(handle, path);
  }
  CloseHandle(handle);
  return resolved;
}

bool PathIsWithin(const std::string &inner, const std::string &outer) {
  std::wstring in, out;
  if (!WideFromUtf8(inner, &in) || !WideFromUtf8(outer, &out) || out.empty()) return false;
  if (in.size() < out.size()) return false;
  if (CompareStringOrdinal(in.data(), (int)out.size(), out.data(), (int)out.size(), TRUE) !=
      CSTR_EQUAL)
    return false;
  return in.size() == out.size() || out.back() == L'\\' || in[out.size()] == L'\\';
}

bool StatusOfPath(const std::string &path, bool followLinks, FileStatus *status) {
  HANDLE handle = OpenForStatus(path, followLinks);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool ok = StatusOfHandle(handle, status);
  CloseHandle(handle);
  return ok;
}

bool ListFolder(const std::string &path, std::vector<std::string> *names) {
  std::wstring pattern;
  if (!SystemPath(JoinPath(path, "*"), &pattern)) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   NULL, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0) continue;
    names->push_back(Utf8FromWide(found.cFileName, wcslen(found.cFileName)));
  } while (FindNextFileW(search, &found));
  DWORD error = GetLastError();
  FindClose(search);
  SetLastError(error);
  return error == ERROR_NO_MORE_FILES;
}

OsFile OpenFileForReading(const std::string &path) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return kNoFile;
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  return handle == INVALID_HANDLE_VALUE ? kNoFile : (OsFile)handle;
}

bool StatusOfOpenFile(OsFile file, FileStatus *status) { return StatusOfHandle(Handle(file), status); }

bool ReadFromFile(OsFile file, void *buffer, size_t size, size_t *got) {
  DWORD read = 0;
  DWORD want = (DWORD)(size < kLargestTransfer ? size : kLargestTransfer);
  if (!ReadFile(Handle(file), buffer, want, &read, NULL)) return false;
  *got = read;
  return true;
}

bool ReadFileAt(OsFile file, uint64_t offset, void *buffer, size_t size) {
  return TransferAt(Handle(file), offset, (uint8_t *)buffer, size, false);
}

bool WriteFileAt(OsFile file, uint64_t offset, const void *data, size_t size) {
  return TransferAt(Handle(file), offset, (uint8_t *)data, size, true);
}

bool SyncFile(OsFile file) { return FlushFileBuffers(Handle(file)) != 0; }

bool CloseFile(OsFile *file) {
  if (*file == kNoFile) return true;
  bool ok = CloseHandle(Handle(*file)) != 0;
  *file = kNoFile;
  return ok;
}

OsFile CreateNewFile(const std::string &path) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return kNoFile;
  HANDLE handle = CreateForWriting(wide);
  return handle == INVALID_HANDLE_VALUE ? kNoFile : (OsFile)handle;
}

OsFile CreateUniqueFile(const std::string &prefix, std::string *path) {
  for (int attempt = 0; attempt < kUniqueNameAttempts; attempt++) {
    std::string candidate = prefix + Utf8FromWide(UniqueSuffix());
    std::wstring wide;
    if (!SystemPath(candidate, &wide)) return kNoFile;
    HANDLE handle = CreateForWriting(wide);
    if (handle != INVALID_HANDLE_VALUE) {
      *path = candidate;
      return (OsFile)handle;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return kNoFile;
}

bool ApplyNewFileMode(OsFile file, NewFileMode mode) {
  if (mode != kNewFileReadOnly) return true;
  // Zero times leave them as they are.
  FILE_BASIC_INFO basic;
  memset(&basic, 0, sizeof basic);
  basic.FileAttributes = FILE_ATTRIBUTE_READONLY;
  return SetFileInformationByHandle(Handle(file), FileBasicInfo, &basic, sizeof basic) != 0;
}

bool MakeFolder(const std::string &path) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return false;
  return CreateDirectoryW(wide.c_str(), NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RenameOver(const std::string &from, const std::string &to) {
  std::wstring source, target;
  if (!SystemPath(from, &source) || !SystemPath(to, &target)) return false;
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (MoveFileExW(source.c_str(), target.c_str(), flags)) return true;
  // Unlike a rename on Linux, the move refuses to replace a read-only file.
  DWORD error = GetLastError();
  DWORD previous = 0;
  if (error != ERROR_ACCESS_DENIED || !ClearReadOnly(target, &previous)) {
    SetLastError(error);
    return false;
  }
  if (MoveFileExW(source.c_str(), target.c_str(), flags)) return true;
  error = GetLastError();
  SetFileAttributesW(target.c_str(), previous);
  SetLastError(error);
  return false;
}

bool RemoveFile(const std::string &path) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return false;
  if (DeleteFileW(wide.c_str())) return true;
  DWORD error = GetLastError();
  DWORD previous = 0;
  if (error == ERROR_ACCESS_DENIED && ClearReadOnly(wide, &previous)) {
    if (DeleteFileW(wide.c_str())) return true;
    error = GetLastError();
    SetFileAttributesW(wide.c_str(), previous);
  }
  SetLastError(error);
  return false;
}

bool RemoveEmptyFolder(const std::string &path) {
  std::wstring wide;
  if (!SystemPath(path, &wide)) return false;
  return RemoveDirectoryW(wide.c_str()) != 0;
}

bool MakePrivateFolder(std::string *path) {
  wchar_t temporary[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
  if (length == 0 || length > MAX_PATH) return false;
  // The user's temporary folder is the user's own; a folder made in it
  // inherits that.
  std::string base = Utf8FromWide(temporary, length);
  for (int attempt = 0; attempt < kUniqueNameAttempts; attempt++) {
    std::string candidate = JoinPath(base, "qvsbuild-" + Utf8FromWide(UniqueSuffix()));
    std::wstring wide;
    if (!SystemPath(candidate, &wide)) return false;
    if (CreateDirectoryW(wide.c_str(), NULL)) {
      *path = candidate;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

const char *HostNameProblem(const std::string &name) {
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    const char *problem = WindowsNameProblem(name.substr(start, end - start));
    if (problem != NULL) return problem;
    start = end + 1;
  }
  return NULL;
}

std::string LastSystemError() {
  DWORD error = GetLastError();
  wchar_t *text = NULL;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                NULL, error, 0, (wchar_t *)&text, 0, NULL);
  std::string message = length > 0 ? Utf8FromWide(text, length) : std::string();
  if (text != NULL) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  if (message.empty()) message = "system error " + std::to_string((unsigned long)error);
  return message;
}
