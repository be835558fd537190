#include "platform/folder_security.h"

#include <string.h>
#include <windows.h>

#include "platform/libraries.h"

namespace {

typedef DWORD(WINAPI *GetNamedSecurityInfoFn)(LPCSTR, int, SECURITY_INFORMATION, PSID *, PSID *,
                                              PACL *, PACL *, PSECURITY_DESCRIPTOR *);
const int kFileObject = 1;  // SE_FILE_OBJECT

// Every right that changes an object, its access list or its owner.
const DWORD kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                              FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC |
                              WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

// The system, the administrators and the installer service.
bool IsAdministrativeSid(PSID sid) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  if (!IsValidSid(sid) || memcmp(GetSidIdentifierAuthority(sid), &nt, sizeof nt) != 0)
    return false;
  const DWORD count = *GetSidSubAuthorityCount(sid);
  const DWORD first = count > 0 ? *GetSidSubAuthority(sid, 0) : 0;
  if (count == 1) return first == SECURITY_LOCAL_SYSTEM_RID;
  if (count == 2) return first == SECURITY_BUILTIN_DOMAIN_RID &&
                         *GetSidSubAuthority(sid, 1) == DOMAIN_ALIAS_RID_ADMINS;
  // NT SERVICE\TrustedInstaller: S-1-5-80-956008885-...
  return count == 6 && first == SECURITY_SERVICE_ID_BASE_RID &&
         *GetSidSubAuthority(sid, 1) == 956008885u;
}

// The running user's SID, into `buffer`.
bool ReadOwnSid(BYTE *buffer, DWORD size, PSID *sid) {
  HANDLE token = NULL;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD needed = 0;
  const BOOL read = GetTokenInformation(token, TokenUser, buffer, size, &needed);
  CloseHandle(token);
  if (!read) return false;
  *sid = ((TOKEN_USER *)buffer)->User.Sid;
  return true;
}

bool IsTrustedSid(PSID sid, PSID own) {
  return IsAdministrativeSid(sid) || (own != NULL && EqualSid(sid, own));
}

// False for a volume that keeps no access lists (FAT): there every user
// may change everything, the product's own folder included, and no folder
// could be protected.
bool HasAccessLists(const std::string &path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return true;
  const std::string root = path.substr(0, 3);
  DWORD flags = 0;
  if (!GetVolumeInformationA(root.c_str(), NULL, 0, NULL, NULL, &flags, NULL, 0)) return true;
  return (flags & FS_PERSISTENT_ACLS) != 0;
}

}  // namespace

bool IsChangeableOnlyByAdministrators(const std::string &path) {
  if (!HasAccessLists(path)) return true;
  LibraryHandle advapi = LoadSystemLibrary("advapi32.dll");
  GetNamedSecurityInfoFn getInfo =
      (GetNamedSecurityInfoFn)FindLibraryFunction(advapi, "GetNamedSecurityInfoA");
  if (getInfo == NULL) {
    // Windows 9x: no access lists to look at.
    FreeLibraryHandle(&advapi);
    return true;
  }
  BYTE ownBuffer[256];
  PSID own = NULL;
  if (!ReadOwnSid(ownBuffer, sizeof ownBuffer, &own)) own = NULL;
  PSID owner = NULL;
  PACL dacl = NULL;
  PSECURITY_DESCRIPTOR descriptor = NULL;
  bool safe = getInfo(path.c_str(), kFileObject,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, NULL,
                      &dacl, NULL, &descriptor) == ERROR_SUCCESS &&
              owner != NULL && IsTrustedSid(owner, own) && dacl != NULL;  // no list: all may
  for (DWORD i = 0; safe && i < dacl->AceCount; i++) {
    ACE_HEADER *ace = NULL;
    if (!GetAce(dacl, i, (void **)&ace)) {
      safe = false;
      break;
    }
    // Entries only for what is created inside, and denials, grant nothing
    // here; a kind of entry not read here may grant anything.
    if (ace->AceType == ACCESS_DENIED_ACE_TYPE || (ace->AceFlags & INHERIT_ONLY_ACE) != 0)
      continue;
    const ACCESS_ALLOWED_ACE *allowed = (const ACCESS_ALLOWED_ACE *)ace;
    if (ace->AceType != ACCESS_ALLOWED_ACE_TYPE ||
        ((allowed->Mask & kChangingRights) != 0 && !IsTrustedSid((PSID)&allowed->SidStart, own)))
      safe = false;
  }
  if (descriptor != NULL) LocalFree(descriptor);
  FreeLibraryHandle(&advapi);
  return safe;
}
