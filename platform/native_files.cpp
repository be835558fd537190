#include "platform/native_files.h"

#include <windows.h>
#include <winternl.h>

#include <string.h>

#include "platform/libraries.h"

namespace {

const ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// FILE_SYNCHRONOUS_IO_NONALERT: the handle's calls wait for their I/O.
const ULONG kSynchronousIo = 0x00000020;

typedef LONG(NTAPI *NtOpenFileFn)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                  ULONG, ULONG);

NtOpenFileFn OpenFileCall() {
  return (NtOpenFileFn)FindLibraryFunction(GetLoadedSystemLibrary("ntdll.dll"), "NtOpenFile");
}

}  // namespace

bool HasNativeOpen() { return OpenFileCall() != NULL; }

void *OpenNativeName(const wchar_t *name, size_t characters, void *folder, uint32_t access,
                     uint32_t options) {
  NtOpenFileFn openFile = OpenFileCall();
  if (openFile == NULL || name == NULL || characters == 0 || characters * sizeof(WCHAR) > 0xFFFE)
    return NULL;
  UNICODE_STRING text;
  text.Buffer = (PWSTR)name;
  text.Length = (USHORT)(characters * sizeof(WCHAR));
  text.MaximumLength = text.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, (HANDLE)folder, NULL);
  IO_STATUS_BLOCK io;
  memset(&io, 0, sizeof io);
  HANDLE file = NULL;
  if (openFile(&file, access, &attributes, &io, kShareAll, kSynchronousIo | options) < 0)
    return NULL;
  return file;
}
