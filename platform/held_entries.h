// Files and folders acted on through handles: opened without following a
// link at the end of their name, checked, and deleted through the same
// handle, so that what is deleted is what was checked even if someone
// swaps a folder for a junction in between.
//
// A HeldEntry is NULL when nothing is held; CloseHeldEntry clears it and is
// safe to call twice. A held entry marked for deletion goes when its last
// handle closes.
#ifndef QVS_PLATFORM_HELD_ENTRIES_H
#define QVS_PLATFORM_HELD_ENTRIES_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "platform/file_tasks.h"

typedef void *HeldEntry;

// Which file a handle leads to: its volume and its number there.
struct EntryIdentity {
  uint32_t volume = 0;
  uint64_t index = 0;
};

// True where the system offers what this file needs (the NT family);
// Windows 9x, which has no links, gets none of it.
bool CanHoldEntries();

// Opens `path` (a file, a folder, or a link as the link itself) to list,
// delete and change its attributes; others may go on using it. NULL when
// it cannot be opened.
HeldEntry OpenEntryNoFollow(const std::string &path);
// The kind of the held entry now; kPathMissing when unreadable.
PathKind KindOfHeld(HeldEntry entry);
// The system's own full name for the held entry, every link on the way
// resolved, in long form: "C:\..." or "\\server\share\...". Empty when the
// system cannot tell (before Windows Vista).
std::string FinalPathOfHeld(HeldEntry entry);
bool IdentityOfHeld(HeldEntry entry, EntryIdentity *identity);
// The identity of what `path` names, links followed. False when it cannot
// be opened.
bool IdentityAt(const std::string &path, EntryIdentity *identity);

// Deletes everything the held folder holds, deepest first, at most
// `maxDepth` levels down and `maxEntries` entries per folder: each entry
// is opened relative to its folder's handle without following a link,
// acted on only while it is still of the kind the listing showed, and
// deleted through its own handle (read-only cleared first; a link is
// deleted as the link and never entered). Failures are passed over.
void DeleteHeldContents(HeldEntry folder, int maxDepth, size_t maxEntries);
// Marks the held entry for deletion (a folder must be empty by the time
// its last handle closes). False when the system refused.
bool MarkHeldForDeletion(HeldEntry entry);
void CloseHeldEntry(HeldEntry *entry);

#endif
