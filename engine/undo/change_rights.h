// Whether someone who is not an administrator could change a file or the
// folder that holds it: the uninstaller that runs with administrator
// rights trusts its data file and its own program only when none could
// (otherwise any user could add a program for it to run). Portable: it
// judges the owner and access list read by platform/access_rights.h.
#ifndef QVS_ENGINE_UNDO_CHANGE_RIGHTS_H
#define QVS_ENGINE_UNDO_CHANGE_RIGHTS_H

#include <string>

#include "platform/access_rights.h"

// True for the accounts and groups that hold administrator rights, or
// more: Administrators, the system, TrustedInstaller, and a domain's
// Administrator account, Domain Admins and Enterprise Admins. A user's own
// account is none of them: the user's programs that run without the
// elevation hold it too.
bool IsAdministrativeSid(const std::string &sid);

enum GuardedObject {
  // Changed by writing to it, replacing it (deleting it), or by taking it
  // over (rewriting its access list or its owner).
  kGuardedFile,
  // The folder that holds a guarded file: changed for that file by
  // deleting what it holds, or by being deleted, or taken over.
  kGuardedFolder,
};

// True when an account that is not administrative owns the object (an
// owner may always rewrite the access list), when the object has no access
// list, or when an entry that applies to the object itself allows such an
// account a right that changes it. Deny entries are not counted: they can
// make the answer only more cautious.
bool NonAdministratorCanChange(const AccessRights &rights, GuardedObject object);

#endif
