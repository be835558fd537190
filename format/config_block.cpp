#include "format/config_block.h"

#include <string.h>

#include "archive/byte_order.h"
#include "format/installer_layout.h"

// The module itself lies inside the block, so its bytes must never hold the
// plain marker text: the volatile reads keep the compiler from folding the
// restored markers into constants.
static void RestoreMarkerAtRunTime(const uint8_t *scrambled, uint32_t length, uint8_t *out) {
  const volatile uint8_t *stored = scrambled;
  for (uint32_t i = 0; i < length; i++) out[i] = stored[i];
  ScrambleBytes(out, (int)length, kMarkerKey, (int)sizeof kMarkerKey);
}

ConfigBlockResult ParseConfigBlock(const uint8_t *head, size_t headLength, uint64_t fileSize,
                                   ConfigBlock *block) {
  memset(block, 0, sizeof *block);
  if (head == NULL) return kConfigBlockMissing;
  uint8_t startMarker[kStartMarkerLength];
  uint8_t endMarker[kEndMarkerLength];
  RestoreMarkerAtRunTime(kScrambledStartMarker, kStartMarkerLength, startMarker);
  RestoreMarkerAtRunTime(kScrambledEndMarker, kEndMarkerLength, endMarker);
  if (headLength > kMarkerSearchSize) headLength = kMarkerSearchSize;
  if (fileSize < headLength) headLength = (size_t)fileSize;
  int64_t found = FindMarker(head, headLength, startMarker, kStartMarkerLength);
  if (found < 0) return kConfigBlockMissing;
  uint64_t start = (uint64_t)found;
  uint64_t moduleOffset = start + kStartMarkerLength + kConfigHeaderSize;
  if (moduleOffset + kEndMarkerLength > headLength) return kConfigBlockDamaged;
  // The module and the end marker must fit in the bytes searched.
  uint64_t moduleSize = LoadU64(head + start + kStartMarkerLength + 4);
  if (moduleSize > headLength - kEndMarkerLength - moduleOffset)
    return kConfigBlockDamaged;
  uint64_t endOffset = moduleOffset + moduleSize;
  if (memcmp(head + endOffset, endMarker, kEndMarkerLength) != 0) return kConfigBlockDamaged;
  block->blockOffset = start;
  block->requireAdminRights = LoadU32(head + start + kStartMarkerLength);
  block->moduleOffset = moduleOffset;
  block->moduleSize = moduleSize;
  block->archiveOffset = endOffset + kEndMarkerLength;
  return block->archiveOffset < fileSize ? kConfigBlockFound : kConfigBlockNoPayload;
}
