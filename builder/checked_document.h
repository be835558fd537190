// A script or language file read for the builder's checks: its groups with
// their entries and line numbers, merged as the installer merges them (a
// group named twice is one group, the first entry of a key wins).
#ifndef QVS_BUILDER_CHECKED_DOCUMENT_H
#define QVS_BUILDER_CHECKED_DOCUMENT_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <unordered_map>
#include <vector>

struct CheckedEntry {
  std::string key;  // trimmed
  std::string value;
  uint32_t line = 0;
  bool hasEquals = false;
  // The first entry of its key in its group: the one the installer reads.
  bool first = false;
};

struct CheckedGroup {
  std::string name;      // as first written, between the brackets
  std::string nameForm;  // the compare form
  uint32_t line = 0;     // of its first group line (or first entry, for the unnamed group)
  std::vector<uint32_t> repeatLines;  // further group lines of the same name
  std::vector<CheckedEntry> entries;
  // The entries with a key, ordered by key (letter case ignored), then by
  // place.
  std::vector<uint32_t> byKey;

  // The entry the installer reads for `key`; null when there is none.
  const CheckedEntry *Entry(const std::string &key) const;
};

static const size_t kNoGroup = (size_t)-1;

struct CheckedDocument {
  std::vector<CheckedGroup> groups;
  std::unordered_map<std::string, size_t> byName;  // compare form -> group

  // The group named `name` (any letter case, surrounding spaces ignored),
  // or kNoGroup.
  size_t Find(const std::string &name) const;
};

CheckedDocument ParseCheckedDocument(const std::string &text);

// True when `text` is an integer as the installer writes them and nothing
// else: spaces or tabs, an optional sign, then decimal digits, "$" and
// hexadecimal digits, or "%" and binary digits. *value gets what the
// installer reads.
bool ReadWholeInteger(const std::string &text, int64_t *value);

#endif
