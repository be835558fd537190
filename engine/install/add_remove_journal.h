// The Add/Remove Programs entry, journalled before it is written: writing
// it may make its key and replaces whatever values an entry of the same
// name held (an earlier installation's), so the journal notes the key when
// it is new and every value the installer writes there with what it holds
// now. Only a rollback or a recovery undoes these notes (they are not
// listed): the uninstaller removes its entry its own way.
#ifndef QVS_ENGINE_INSTALL_ADD_REMOVE_JOURNAL_H
#define QVS_ENGINE_INSTALL_ADD_REMOVE_JOURNAL_H

#include <string>

// Notes, in one flushed write, what writing the entry `name` below
// HKEY_LOCAL_MACHINE (forAllUsers) or HKEY_CURRENT_USER changes. False when
// the journal could not take the notes or a value could not be read: the
// entry must not be written then.
bool NoteAddRemoveEntryAhead(const std::string &name, bool forAllUsers);

#endif
