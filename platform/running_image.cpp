#include "platform/running_image.h"

#include <windows.h>
#include <winternl.h>

#include <string.h>

#include <vector>

#include "platform/libraries.h"
#include "platform/native_files.h"
#include "platform/process_handoff.h"

namespace {

// NtQueryVirtualMemory's class for the name of the file mapped at an
// address: a UNICODE_STRING followed by its characters.
const int kMemoryMappedFilenameInformation = 2;
// NtOpenFile's option for a file, not a folder.
const uint32_t kFileOnly = 0x00000040;
// Room for the longest name the system gives (32,767 characters).
const size_t kNameBufferSize = sizeof(UNICODE_STRING) + 65536 + 16;

typedef LONG(NTAPI *NtQueryVirtualMemoryFn)(HANDLE, PVOID, int, PVOID, SIZE_T, PSIZE_T);

NtQueryVirtualMemoryFn QueryMemoryCall() {
  return (NtQueryVirtualMemoryFn)FindLibraryFunction(GetLoadedSystemLibrary("ntdll.dll"),
                                                     "NtQueryVirtualMemory");
}

// The native name of the file the process's image is mapped from, as the
// system names that file now, in `buffer`: *name points at its characters
// there. False when it cannot be read.
bool ReadImageFileName(NtQueryVirtualMemoryFn queryMemory, std::vector<unsigned char> *buffer,
                       const UNICODE_STRING **name) {
  buffer->assign(kNameBufferSize, 0);
  SIZE_T returned = 0;
  const LONG status = queryMemory(GetCurrentProcess(), (PVOID)GetModuleHandleW(NULL),
                                  kMemoryMappedFilenameInformation, buffer->data(),
                                  buffer->size(), &returned);
  *name = (const UNICODE_STRING *)buffer->data();
  const size_t available = buffer->size() - sizeof(UNICODE_STRING);
  return status >= 0 && (*name)->Buffer != NULL && (*name)->Length > 0 &&
         (*name)->Length <= available;
}

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first;
  BY_HANDLE_FILE_INFORMATION second;
  if (!GetFileInformationByHandle(a, &first) || !GetFileInformationByHandle(b, &second))
    return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// The image's file is named, that name opened, and the image's file named
// again. The held file cannot lose a name while it is held (that would
// need delete access, which its handle denies to everyone), so when the
// name opened leads to the held file and the image's file still bears that
// name afterwards, the two are one file.
bool IsRunningImage(HANDLE held) {
  NtQueryVirtualMemoryFn queryMemory = QueryMemoryCall();
  if (queryMemory == NULL || !HasNativeOpen()) return true;
  std::vector<unsigned char> before;
  std::vector<unsigned char> after;
  const UNICODE_STRING *name = NULL;
  const UNICODE_STRING *again = NULL;
  if (!ReadImageFileName(queryMemory, &before, &name)) return false;
  // For its attributes only, which no sharing mode refuses.
  HANDLE named = (HANDLE)OpenNativeName(name->Buffer, name->Length / sizeof(WCHAR), NULL,
                                        FILE_READ_ATTRIBUTES | SYNCHRONIZE, kFileOnly);
  if (named == NULL) return false;
  const bool same = SameFile(named, held);
  CloseHandle(named);
  return same && ReadImageFileName(queryMemory, &after, &again) &&
         again->Length == name->Length && memcmp(again->Buffer, name->Buffer, name->Length) == 0;
}

}  // namespace

RunningImageResult OpenRunningImage(FileHandle *file) {
  *file = NULL;
  std::vector<unsigned char> path(kNameBufferSize);
  const DWORD room = (DWORD)(path.size() / sizeof(WCHAR));
  const DWORD length = GetModuleFileNameW(NULL, (LPWSTR)path.data(), room);
  if (length == 0 || length >= room) return kRunningImageUnavailable;
  HANDLE held = CreateFileW((LPCWSTR)path.data(), GENERIC_READ, FILE_SHARE_READ, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (held == INVALID_HANDLE_VALUE) return kRunningImageUnavailable;
  if (!IsRunningImage(held)) {
    CloseHandle(held);
    return kRunningImageReplaced;
  }
  *file = (FileHandle)held;
  return kRunningImageOpen;
}

bool HoldsSameFileAs(FileHandle file, uint32_t processId, uint64_t number) {
  HANDLE other = (HANDLE)CopyHandleFromProcess(processId, number);
  if (file == NULL || other == NULL) {
    if (other != NULL) CloseHandle(other);
    return false;
  }
  const bool same = SameFile((HANDLE)file, other);
  CloseHandle(other);
  return same;
}
