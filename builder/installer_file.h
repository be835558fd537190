// The installer file around the archive: stub, configuration block (start
// marker, require-administrator flag, module size, module, end marker), then
// the archive. Writing it, and finding the archive again in a file.
#ifndef QVS_BUILDER_INSTALLER_FILE_H
#define QVS_BUILDER_INSTALLER_FILE_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Why this stub and module cannot make an installer, or empty when they
// can: both markers must end within the first kMarkerSearchSize bytes, and
// neither file may hold a marker text in plain form (the installer takes
// the first occurrence and would find the wrong one).
std::string ConfigBlockProblem(const std::vector<uint8_t> &stub, const std::vector<uint8_t> &module);

// The bytes that go before the archive.
std::vector<uint8_t> MakeConfigBlock(const std::vector<uint8_t> &stub,
                                     const std::vector<uint8_t> &module, bool requireAdmin);

struct ArchiveLocation {
  bool isInstaller;  // false: a bare archive starting at offset 0
  uint64_t archiveOffset;
  uint64_t stubSize;  // the rest only for installers
  uint32_t requireAdmin;
  uint64_t moduleSize;
};

// Finds the archive in a file of `fileSize` bytes whose first `headSize`
// bytes (up to kMarkerSearchSize) are `head`: a bare archive when the file
// starts with the archive magic, else the archive after the configuration
// block, read with the installer's own parser (format/config_block.h).
// Returns false with *error when neither is found or the block is damaged.
bool LocateArchive(const uint8_t *head, size_t headSize, uint64_t fileSize,
                   ArchiveLocation *location, std::string *error);

#endif
