// What the builder packs: the list of entries made from a project folder,
// in the order they are written.
#ifndef QVS_BUILDER_PROJECT_H
#define QVS_BUILDER_PROJECT_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "builder/source_file.h"

// Windows attributes stored with each entry.
static const uint32_t kAttributeArchive = 0x20;
static const uint32_t kAttributeReadOnly = 0x01;

// One entry to store. Its bytes come from `sourcePath`, or from `memory`
// when that is set (the embedded English language file).
struct InputFile {
  std::string entryName;  // final name, "\" between folders, prefix included
  std::string sourcePath;  // host path of the file, empty for memory entries
  const uint8_t *memory;
  uint64_t size;
  int64_t modifiedUtc;  // seconds since 1970 (UTC), as the file system reports
  uint32_t modificationTime;  // stored value: local-clock seconds
  uint32_t attributes;
  SourceIdentity identity;  // of `sourcePath` when scanned; zero for memory entries
};

struct Project {
  std::string root;
  std::string scriptText;
  bool scriptRequiresAdmin;
  // Configuration entries in their fixed order, names below the prefix
  // (for example "Config\Script.qvs"); the prefix is added once it is known.
  std::vector<InputFile> configEntries;
  // Product entries sorted by component ID, then path bytewise.
  std::vector<InputFile> productEntries;
};

#endif
