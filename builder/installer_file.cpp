#include "builder/installer_file.h"

#include <string.h>

#include "archive/archive_format.h"
#include "format/config_block.h"
#include "format/installer_layout.h"

namespace {

void PutLittleEndian(std::vector<uint8_t> *out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; i++) out->push_back((uint8_t)(value >> (8 * i)));
}

bool Contains(const std::vector<uint8_t> &data, const uint8_t *marker, size_t length) {
  if (data.size() < length) return false;
  for (size_t i = 0; i + length <= data.size(); i++) {
    if (data[i] == marker[0] && memcmp(&data[i], marker, length) == 0) return true;
  }
  return false;
}

}  // namespace

std::string ConfigBlockProblem(const std::vector<uint8_t> &stub, const std::vector<uint8_t> &module) {
  uint8_t start[kStartMarkerLength];
  uint8_t end[kEndMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  uint64_t blockEnd = (uint64_t)stub.size() + kStartMarkerLength + kConfigHeaderSize +
                      module.size() + kEndMarkerLength;
  if (stub.empty()) return "the stub is empty";
  if (module.empty()) return "the module is empty";
  if (blockEnd > kMarkerSearchSize) {
    return "stub (" + std::to_string(stub.size()) + " bytes) and module (" +
           std::to_string(module.size()) + " bytes) are too large: the configuration block must end within the first " +
           std::to_string(kMarkerSearchSize) + " bytes of the installer, " +
           std::to_string(blockEnd - kMarkerSearchSize) + " bytes less are needed";
  }
  if (Contains(stub, start, kStartMarkerLength) || Contains(stub, end, kEndMarkerLength))
    return "the stub holds a configuration marker in plain form; the installer would find it instead of the real one";
  if (Contains(module, start, kStartMarkerLength) || Contains(module, end, kEndMarkerLength))
    return "the module holds a configuration marker in plain form; the installer would find it instead of the real one";
  return std::string();
}

std::vector<uint8_t> MakeConfigBlock(const std::vector<uint8_t> &stub,
                                     const std::vector<uint8_t> &module, bool requireAdmin) {
  uint8_t start[kStartMarkerLength];
  uint8_t end[kEndMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  std::vector<uint8_t> block(stub);
  block.insert(block.end(), start, start + kStartMarkerLength);
  PutLittleEndian(&block, requireAdmin ? 1 : 0, 4);
  PutLittleEndian(&block, module.size(), 8);
  block.insert(block.end(), module.begin(), module.end());
  block.insert(block.end(), end, end + kEndMarkerLength);
  return block;
}

bool LocateArchive(const uint8_t *head, size_t headSize, uint64_t fileSize,
                   ArchiveLocation *location, std::string *error) {
  memset(location, 0, sizeof *location);
  if (headSize >= sizeof kArchiveMagic && memcmp(head, kArchiveMagic, sizeof kArchiveMagic) == 0) {
    location->isInstaller = false;
    location->archiveOffset = 0;
    return true;
  }
  // The same parser and rules as the stub and the module, so that what is
  // listed, extracted and verified is what the installer would install.
  ConfigBlock block;
  switch (ParseConfigBlock(head, headSize, fileSize, &block)) {
    case kConfigBlockMissing:
      *error = "neither an archive nor an installer (no configuration block in the first 1 MiB)";
      return false;
    case kConfigBlockDamaged:
      *error = "damaged installer: the configuration block's module size does not lead to the "
               "end marker within the first 1 MiB";
      return false;
    case kConfigBlockNoPayload:
    case kConfigBlockFound: break;
  }
  location->isInstaller = true;
  location->stubSize = block.blockOffset;
  location->requireAdmin = block.requireAdminRights;
  location->moduleSize = block.moduleSize;
  location->archiveOffset = block.archiveOffset;
  return true;
}
