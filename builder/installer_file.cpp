#include "builder/installer_file.h"

#include <string.h>

#include "archive/archive_format.h"
#include "startup/installer_layout.h"

namespace {

void PutLittleEndian(std::vector<uint8_t> *out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; i++) out->push_back((uint8_t)(value >> (8 * i)));
}

uint64_t GetLittleEndian(const uint8_t *data, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; i--) value = (value << 8) | data[i];
  return value;
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

bool LocateArchive(const uint8_t *head, size_t headSize, ArchiveLocation *location,
                   std::string *error) {
  memset(location, 0, sizeof *location);
  if (headSize >= sizeof kArchiveMagic && memcmp(head, kArchiveMagic, sizeof kArchiveMagic) == 0) {
    location->isInstaller = false;
    location->archiveOffset = 0;
    return true;
  }
  uint8_t start[kStartMarkerLength];
  uint8_t end[kEndMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  if (headSize > kMarkerSearchSize) headSize = kMarkerSearchSize;
  int64_t startAt = FindMarker(head, headSize, start, kStartMarkerLength);
  int64_t endAt = FindMarker(head, headSize, end, kEndMarkerLength);
  if (startAt < 0 || endAt < 0) {
    *error = "neither an archive nor an installer (no configuration block in the first 1 MiB)";
    return false;
  }
  location->isInstaller = true;
  location->stubSize = (uint64_t)startAt;
  location->archiveOffset = (uint64_t)endAt + kEndMarkerLength;
  uint64_t headerAt = (uint64_t)startAt + kStartMarkerLength;
  if (headerAt + kConfigHeaderSize <= headSize) {
    location->requireAdmin = (uint32_t)GetLittleEndian(head + headerAt, 4);
    location->moduleSize = GetLittleEndian(head + headerAt + 4, 8);
    location->moduleSizeConsistent =
        location->moduleSize <= kMarkerSearchSize &&
        headerAt + kConfigHeaderSize + location->moduleSize == (uint64_t)endAt;
  }
  return true;
}
