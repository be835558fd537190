// What "qvsbuild verify" checks beyond decoding every chunk: that each entry
// is one the builder could have written and the installer will accept, so
// that an "OK" means the installer works.
//
// Call order: VerifyChecksBegin; per entry, in archive order,
// CheckEntryRecord (before or after decoding it), then, when it asked for
// the entry's bytes, CheckEntryContent with them; at the end
// CheckArchiveWhole. Every check appends readable problems (entry names
// printed safely) to `problems`.
#ifndef QVS_BUILDER_VERIFY_CHECKS_H
#define QVS_BUILDER_VERIFY_CHECKS_H

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "archive/archive_reader.h"

enum EntryTextKind {
  kEntryNotText,      // bytes not needed
  kEntryScript,       // Config\Script.qvs
  kEntryLanguage,     // Languages\*.lng
  kEntryLanguageText  // Information\* and License\*: only the size matters
};

struct VerifyChecks {
  std::string configPrefix;  // of the first configuration entry
  std::map<std::string, std::string> foldedNames;  // letter case folded -> name as stored
  uint64_t entries;
  uint64_t scripts;
  uint64_t languages;
};

void VerifyChecksBegin(VerifyChecks *checks);

// The record and name of `entry`: the encrypted flag, a name the builder
// refuses (layout, Windows name rules, path limits), a name that repeats
// another in any letter case, a text larger than the installer accepts.
// Returns what the entry's decoded bytes are needed for (kEntryScript and
// kEntryLanguage: pass them to CheckEntryContent; at most the kind's size
// limit + 1 bytes are needed).
EntryTextKind CheckEntryRecord(VerifyChecks *checks, const ArchiveEntry &entry,
                               std::vector<std::string> *problems);

// The decoded text of a script or language entry: empty, a bare LF or a
// zero byte that the installer would misread.
void CheckEntryContent(VerifyChecks *checks, const ArchiveEntry &entry, EntryTextKind kind,
                       const std::string &bytes, std::vector<std::string> *problems);

// The chunk headers of `entry` in `source`: every chunk but the last must
// hold exactly kChunkSize bytes. Malformed headers are left to the reader.
void CheckChunkLayout(const ArchiveSource &source, const ArchiveEntry &entry,
                      std::vector<std::string> *problems);

// After the last entry: no entries at all, no script, no language file.
void CheckArchiveWhole(const VerifyChecks &checks, std::vector<std::string> *problems);

#endif
