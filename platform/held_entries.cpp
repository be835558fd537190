#include "platform/held_entries.h"

#include <windows.h>
#include <winternl.h>

#include <stddef.h>
#include <string.h>

#include <vector>

#include "platform/files.h"
#include "platform/libraries.h"
#include "platform/native_files.h"

namespace {

// Native information classes and open options (ntifs.h).
const int kFileDirectoryInformation = 1;
const int kFileBasicInformation = 4;
const int kFileDispositionInformation = 13;
const ULONG kOpenReparsePoint = 0x00200000;
const LONG kNoMoreFiles = (LONG)0x80000006;
const ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Listing, deleting, and clearing the read-only attribute.
const ACCESS_MASK kEntryAccess =
    DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
const size_t kListingBuffer = 65536;

struct DirectoryEntry {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime, EndOfFile,
      AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;
  WCHAR FileName[1];
};

struct BasicInformation {
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;
  ULONG FileAttributes;
};

typedef LONG(NTAPI *NtQueryDirectoryFileFn)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID,
                                            ULONG, int, BOOLEAN, PUNICODE_STRING, BOOLEAN);
typedef LONG(NTAPI *NtSetInformationFileFn)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, int);

struct NativeCalls {
  NtQueryDirectoryFileFn queryDirectory = NULL;
  NtSetInformationFileFn setInformation = NULL;
};

const NativeCalls &Native() {
  static NativeCalls calls;
  static bool looked = false;
  if (!looked) {
    LibraryHandle ntdll = GetLoadedSystemLibrary("ntdll.dll");
    calls.queryDirectory =
        (NtQueryDirectoryFileFn)FindLibraryFunction(ntdll, "NtQueryDirectoryFile");
    calls.setInformation =
        (NtSetInformationFileFn)FindLibraryFunction(ntdll, "NtSetInformationFile");
    looked = true;
  }
  return calls;
}

PathKind KindOfAttributes(DWORD attributes) {
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return folder ? kPathFolderLink : kPathFileLink;
  return folder ? kPathFolder : kPathFile;
}

// A listed entry; its name in UTF-16, kept as bytes.
struct Listed {
  std::string name;
  PathKind kind;
};

const wchar_t *NameCharacters(const Listed &entry) {
  return (const wchar_t *)(const void *)entry.name.data();
}

size_t NameLength(const Listed &entry) { return entry.name.size() / sizeof(WCHAR); }

bool IsDotName(const Listed &entry) {
  const wchar_t *name = NameCharacters(entry);
  const size_t length = NameLength(entry);
  return (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
}

// The entries of the open folder `folder`, "." and ".." left out.
std::vector<Listed> ListHeldFolder(HANDLE folder, size_t maxEntries) {
  std::vector<Listed> entries;
  std::vector<unsigned char> buffer(kListingBuffer);
  BOOLEAN restart = TRUE;
  while (entries.size() < maxEntries) {
    IO_STATUS_BLOCK io;
    memset(&io, 0, sizeof io);
    const LONG status = Native().queryDirectory(folder, NULL, NULL, NULL, &io, buffer.data(),
                                                (ULONG)buffer.size(), kFileDirectoryInformation,
                                                FALSE, NULL, restart);
    restart = FALSE;
    if (status == kNoMoreFiles || status < 0) break;
    const size_t filled = io.Information < buffer.size() ? io.Information : buffer.size();
    size_t at = 0;
    for (;;) {
      // Every record must lie within the bytes the call filled in.
      if (at + offsetof(DirectoryEntry, FileName) > filled) break;
      const DirectoryEntry *record = (const DirectoryEntry *)(buffer.data() + at);
      const size_t nameEnd = at + offsetof(DirectoryEntry, FileName) + record->FileNameLength;
      if (nameEnd > filled) break;
      Listed entry;
      entry.name.assign((const char *)record->FileName,
                        record->FileNameLength / sizeof(WCHAR) * sizeof(WCHAR));
      entry.kind = KindOfAttributes(record->FileAttributes);
      if (!IsDotName(entry) && entries.size() < maxEntries) entries.push_back(entry);
      if (record->NextEntryOffset == 0) break;
      at += record->NextEntryOffset;
    }
  }
  return entries;
}

// Opens `name` in the open folder `folder` itself: no path is looked up
// again, and a link is opened as the link.
HANDLE OpenInFolder(HANDLE folder, const Listed &entry) {
  return (HANDLE)OpenNativeName(NameCharacters(entry), NameLength(entry), folder, kEntryAccess,
                                kOpenReparsePoint);
}

// Clears the read-only attribute of a file or real folder, through its
// handle, so that it can be deleted.
void ClearReadOnly(HANDLE entry) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(entry, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0)
    return;
  BasicInformation basic;
  memset(&basic, 0, sizeof basic);  // zero times: left as they are
  basic.FileAttributes = info.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_READONLY;
  if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  IO_STATUS_BLOCK io;
  Native().setInformation(entry, &io, &basic, sizeof basic, kFileBasicInformation);
}

bool MarkForDeletion(HANDLE entry) {
  BOOLEAN remove = TRUE;
  IO_STATUS_BLOCK io;
  return Native().setInformation(entry, &io, &remove, sizeof remove,
                                 kFileDispositionInformation) >= 0;
}

void DeleteContents(HANDLE folder, int depthLeft, size_t maxEntries) {
  for (const Listed &listed : ListHeldFolder(folder, maxEntries)) {
    HANDLE entry = OpenInFolder(folder, listed);
    if (entry == NULL) continue;
    // Swapped since it was listed (a folder become a junction, say): left
    // alone.
    if (KindOfHeld((HeldEntry)entry) == listed.kind) {
      if (listed.kind == kPathFolder && depthLeft > 0)
        DeleteContents(entry, depthLeft - 1, maxEntries);
      // A link's attributes are its own, but there is no need to touch them.
      if (listed.kind == kPathFolder || listed.kind == kPathFile) ClearReadOnly(entry);
      MarkForDeletion(entry);
    }
    CloseHandle(entry);
  }
}

}  // namespace

bool CanHoldEntries() {
  const NativeCalls &calls = Native();
  return HasNativeOpen() && calls.queryDirectory != NULL && calls.setInformation != NULL;
}

HeldEntry OpenEntryNoFollow(const std::string &path) {
  HANDLE entry = CreateFileA(path.c_str(), kEntryAccess, kShareAll, NULL, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, NULL);
  return entry == INVALID_HANDLE_VALUE ? NULL : (HeldEntry)entry;
}

PathKind KindOfHeld(HeldEntry entry) {
  BY_HANDLE_FILE_INFORMATION info;
  if (entry == NULL || !GetFileInformationByHandle((HANDLE)entry, &info)) return kPathMissing;
  return KindOfAttributes(info.dwFileAttributes);
}

std::string FinalPathOfHeld(HeldEntry entry) {
  std::string name;
  return GetFinalPathOf(entry, false, &name) ? name : std::string();
}

bool IdentityOfHeld(HeldEntry entry, EntryIdentity *identity) {
  BY_HANDLE_FILE_INFORMATION info;
  if (entry == NULL || !GetFileInformationByHandle((HANDLE)entry, &info)) return false;
  identity->volume = info.dwVolumeSerialNumber;
  identity->index = (uint64_t)info.nFileIndexHigh << 32 | info.nFileIndexLow;
  return true;
}

bool IdentityAt(const std::string &path, EntryIdentity *identity) {
  HANDLE entry = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, NULL, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (entry == INVALID_HANDLE_VALUE) return false;
  const bool read = IdentityOfHeld((HeldEntry)entry, identity);
  CloseHandle(entry);
  return read;
}

void DeleteHeldContents(HeldEntry folder, int maxDepth, size_t maxEntries) {
  if (folder == NULL || !CanHoldEntries() || KindOfHeld(folder) != kPathFolder) return;
  DeleteContents((HANDLE)folder, maxDepth, maxEntries);
}

bool MarkHeldForDeletion(HeldEntry entry) {
  if (entry == NULL || !CanHoldEntries()) return false;
  const PathKind kind = KindOfHeld(entry);
  if (kind == kPathFolder || kind == kPathFile) ClearReadOnly((HANDLE)entry);
  return MarkForDeletion((HANDLE)entry);
}

void CloseHeldEntry(HeldEntry *entry) {
  if (entry == NULL || *entry == NULL) return;
  CloseHandle((HANDLE)*entry);
  *entry = NULL;
}
