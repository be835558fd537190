// The journal file's fixed bytes, shared by its writer and reader (layout
// in install_journal.h).
#ifndef QVS_FORMAT_INSTALL_JOURNAL_TAGS_H
#define QVS_FORMAT_INSTALL_JOURNAL_TAGS_H

#include <stddef.h>
#include <stdint.h>

#include "format/install_journal.h"

static const char kJournalMagic[] = "QVSJRNL\x1A";
static const size_t kJournalMagicSize = 8;

// Tags 1 to 4 are the entry kinds (JournalEntryKind).
static const uint8_t kJournalTagUndone = 5;
static const uint8_t kJournalTagCompleted = 6;

static const uint8_t kJournalFlagListed = 1;

// A record's length and CRC-32 before its body.
static const size_t kJournalFrameSize = 8;
// The largest body: a task change's twelve texts at their limit, and its
// numbers.
static const size_t kJournalChangeTexts = 12;
static const size_t kMaxJournalRecord = kJournalChangeTexts * (kMaxJournalText + 4) + 64;

#endif
