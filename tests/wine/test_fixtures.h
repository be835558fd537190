// Files the module tests work on: installers assembled here from generated
// entries (stub bytes, configuration block, the module, the archive), and
// small file helpers.
#ifndef QVS_TESTS_WINE_TEST_FIXTURES_H
#define QVS_TESTS_WINE_TEST_FIXTURES_H

#include <stdint.h>

#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

struct FixtureEntry {
  std::string name;
  Bytes data;
  uint32_t time;
  uint32_t attributes;
};

// Deterministic, somewhat compressible content.
Bytes MakeContent(size_t size, uint32_t seed);

// The archive of `entries`; empty on failure.
Bytes MakeArchive(const std::vector<FixtureEntry> &entries);

// stub (`stubSize` bytes) + start marker + flag + module size + module + end
// marker + archive. `moduleSizeSkew` is added to the recorded module size,
// to make a block whose end marker is not where the size says.
Bytes MakeInstaller(const Bytes &module, const Bytes &archive, size_t stubSize,
                    int64_t moduleSizeSkew = 0);

bool ReadWholeFile(const std::string &path, Bytes *bytes);
bool WriteWholeFile(const std::string &path, const Bytes &bytes);
bool FileExists(const std::string &path);
// Names in a folder, "." and ".." left out.
std::vector<std::string> ListFolder(const std::string &folder);

// Offset of the CRC field of the archive's entry `index` within `installer`,
// or 0 when it cannot be found.
size_t EntryCrcOffset(const Bytes &installer, size_t index);

#endif
