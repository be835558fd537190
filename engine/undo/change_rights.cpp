#include "engine/undo/change_rights.h"

#include <stdint.h>

namespace {

// The system's numbers for the rights that change a file or a folder.
const uint32_t kWriteData = 0x00000002;
const uint32_t kAppendData = 0x00000004;
const uint32_t kDeleteChild = 0x00000040;
const uint32_t kDelete = 0x00010000;
const uint32_t kWriteDac = 0x00040000;
const uint32_t kWriteOwner = 0x00080000;
const uint32_t kGenericAll = 0x10000000;
const uint32_t kGenericWrite = 0x40000000;

const uint32_t kChangesFile =
    kWriteData | kAppendData | kDelete | kWriteDac | kWriteOwner | kGenericAll | kGenericWrite;
// A folder's generic write lets one add entries, not replace them.
const uint32_t kChangesFolder = kDeleteChild | kDelete | kWriteDac | kWriteOwner | kGenericAll;

const char kOwnerRights[] = "S-1-3-4";
const char kDomainPrefix[] = "S-1-5-21-";

bool EndsWith(const std::string &text, const std::string &end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A domain's (or this machine's) account or group with relative number
// `rid`: "S-1-5-21-a-b-c-rid".
bool IsDomainAccount(const std::string &sid, const char *rid) {
  return sid.compare(0, sizeof kDomainPrefix - 1, kDomainPrefix) == 0 &&
         EndsWith(sid, std::string("-") + rid);
}

}  // namespace

bool IsAdministrativeSid(const std::string &sid) {
  return sid == "S-1-5-32-544" || sid == "S-1-5-18" ||
         sid == "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464" ||
         IsDomainAccount(sid, "500") || IsDomainAccount(sid, "512") ||
         IsDomainAccount(sid, "519");
}

bool NonAdministratorCanChange(const AccessRights &rights, GuardedObject object) {
  if (!IsAdministrativeSid(rights.owner) || !rights.hasList) return true;
  const uint32_t changing = object == kGuardedFile ? kChangesFile : kChangesFolder;
  for (const AccessEntry &entry : rights.entries) {
    if (!entry.allows || entry.inheritOnly || (entry.mask & changing) == 0) continue;
    // "Owner rights" are the owner's, whose account was judged above.
    if (entry.sid == kOwnerRights) continue;
    if (!IsAdministrativeSid(entry.sid)) return true;
  }
  return false;
}
