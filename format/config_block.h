// The configuration block at the head of an installer file, read by the one
// parser that the stub, the unpacker module and the builder's inspection
// commands share, so that all three find the same module and the same
// archive in a file.
//
// Rules (layout in installer_layout.h): the first start marker within the
// first kMarkerSearchSize bytes opens the block; the flag and the module
// size follow it; the module and the end marker must lie wholly within
// those bytes, and the end marker must stand exactly after the module. An
// end marker anywhere else (say, inside the module's bytes) is never
// looked for, so a decoy marker cannot move the archive.
#ifndef QVS_FORMAT_CONFIG_BLOCK_H
#define QVS_FORMAT_CONFIG_BLOCK_H

#include <stddef.h>
#include <stdint.h>

enum ConfigBlockResult {
  kConfigBlockFound,
  kConfigBlockMissing,    // no start marker in the bytes searched
  kConfigBlockDamaged,    // a start marker, but the block is not laid out as it must be
  kConfigBlockNoPayload,  // a sound block with nothing after it
};

struct ConfigBlock {
  uint64_t blockOffset;  // where the start marker begins: the stub's size
  uint32_t requireAdminRights;
  uint64_t moduleOffset;
  uint64_t moduleSize;  // may be 0: a block without a module (callers refuse it)
  uint64_t archiveOffset;  // just after the end marker
};

// `head` holds the first `headLength` bytes of a file of `fileSize` bytes
// (headLength counts at most kMarkerSearchSize; more is ignored). Fills
// *block for kConfigBlockFound and kConfigBlockNoPayload; zeroes it
// otherwise.
ConfigBlockResult ParseConfigBlock(const uint8_t *head, size_t headLength, uint64_t fileSize,
                                   ConfigBlock *block);

#endif
