#include "platform/folder_security.h"

#include <windows.h>

#include "platform/libraries.h"

namespace {

// Protected (no inheritance from the parent); the system and the
// administrators all access, users read, run and list; each inherited by
// subfolders and files.
const char kAdministratorsOnly[] =
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
const DWORD kDescriptorRevision = 1;  // SDDL_REVISION_1

typedef BOOL(WINAPI *ConvertSddlFn)(LPCSTR, DWORD, PSECURITY_DESCRIPTOR *, PULONG);

}  // namespace

bool CreateFolderForAdministrators(const std::string &path) {
  // Windows 2000 and later; earlier systems have no access lists worth a
  // descriptor of their own.
  LibraryHandle advapi = LoadSystemLibrary("advapi32.dll");
  ConvertSddlFn convert = (ConvertSddlFn)FindLibraryFunction(
      advapi, "ConvertStringSecurityDescriptorToSecurityDescriptorA");
  PSECURITY_DESCRIPTOR descriptor = NULL;
  BOOL made = FALSE;
  if (convert != NULL && convert(kAdministratorsOnly, kDescriptorRevision, &descriptor, NULL)) {
    SECURITY_ATTRIBUTES attributes;
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = FALSE;
    made = CreateDirectoryA(path.c_str(), &attributes);
    LocalFree(descriptor);
  } else {
    made = CreateDirectoryA(path.c_str(), NULL);
  }
  FreeLibraryHandle(&advapi);
  return made != 0;
}
