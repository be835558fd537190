#include "platform/access_rights.h"

#include <windows.h>

#include "platform/libraries.h"

namespace {

// Administrators and the system: everything, here and below; users: read
// and run (0x1200A9), here and below. Protected: nothing comes from above.
const char kAdministratorsFolder[] =
    "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";
const DWORD kDescriptorRevision = 1;  // SDDL_REVISION_1
const int kFileObject = 1;            // SE_FILE_OBJECT

// Windows 2000 and later: looked up when used, so that the programs still
// start on the systems before, which keep no access lists to judge.
typedef BOOL(WINAPI *ConvertSidFn)(PSID, LPSTR *);
typedef BOOL(WINAPI *ConvertDescriptorFn)(LPCSTR, DWORD, PSECURITY_DESCRIPTOR *, PULONG);
typedef DWORD(WINAPI *GetSecurityInfoFn)(HANDLE, int, SECURITY_INFORMATION, PSID *, PSID *,
                                         PACL *, PACL *, PSECURITY_DESCRIPTOR *);

void *SecurityFunction(const char *name) {
  return FindLibraryFunction(GetLoadedSystemLibrary("advapi32.dll"), name);
}

std::string SidText(PSID sid) {
  ConvertSidFn convert = (ConvertSidFn)SecurityFunction("ConvertSidToStringSidA");
  char *text = NULL;
  if (sid == NULL || convert == NULL || !convert(sid, &text)) return std::string();
  std::string result = text;
  LocalFree(text);
  return result;
}

bool ReadFrom(HANDLE object, AccessRights *rights) {
  PSID owner = NULL;
  PACL list = NULL;
  PSECURITY_DESCRIPTOR descriptor = NULL;
  GetSecurityInfoFn getInfo = (GetSecurityInfoFn)SecurityFunction("GetSecurityInfo");
  if (getInfo == NULL ||
      getInfo(object, kFileObject, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
              NULL, &list, NULL, &descriptor) != ERROR_SUCCESS)
    return false;
  *rights = AccessRights();
  rights->owner = SidText(owner);
  rights->hasList = list != NULL;
  for (DWORD i = 0; list != NULL && i < list->AceCount; i++) {
    ACE_HEADER *header = NULL;
    if (!GetAce(list, i, (void **)&header)) continue;
    AccessEntry entry;
    entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
    if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
      const ACCESS_ALLOWED_ACE *ace = (const ACCESS_ALLOWED_ACE *)header;
      entry.allows = true;
      entry.mask = ace->Mask;
      entry.sid = SidText((PSID)&ace->SidStart);
    } else if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
      const ACCESS_DENIED_ACE *ace = (const ACCESS_DENIED_ACE *)header;
      entry.allows = false;
      entry.mask = ace->Mask;
      entry.sid = SidText((PSID)&ace->SidStart);
    } else {
      // A kind of entry not read here may grant anything to anyone.
      entry.allows = true;
      entry.mask = GENERIC_ALL;
      entry.sid = "S-1-1-0";
    }
    rights->entries.push_back(entry);
  }
  LocalFree(descriptor);
  return !rights->owner.empty();
}

}  // namespace

bool ReadAccessRights(FileHandle file, AccessRights *rights) {
  return file != NULL && ReadFrom((HANDLE)file, rights);
}

bool ReadFolderAccessRights(const std::string &folder, AccessRights *rights) {
  HANDLE handle = CreateFileA(folder.c_str(), READ_CONTROL,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool read = ReadFrom(handle, rights);
  CloseHandle(handle);
  return read;
}

bool CreateAdministratorsFolder(const std::string &path) {
  ConvertDescriptorFn convert = (ConvertDescriptorFn)SecurityFunction(
      "ConvertStringSecurityDescriptorToSecurityDescriptorA");
  // A system without access lists: a plain folder is all it has.
  if (convert == NULL) return CreateDirectoryA(path.c_str(), NULL) != 0;
  SECURITY_ATTRIBUTES attributes;
  ZeroMemory(&attributes, sizeof attributes);
  attributes.nLength = sizeof attributes;
  // Made with its protection at once: there is no moment at which the
  // folder stands open to everyone its parent lets in.
  if (!convert(kAdministratorsFolder, kDescriptorRevision, &attributes.lpSecurityDescriptor, NULL))
    return false;
  const bool created = CreateDirectoryA(path.c_str(), &attributes) != 0;
  LocalFree(attributes.lpSecurityDescriptor);
  return created;
}
