// Finds the configuration block at the head of an installer file and, after
// its end marker, the payload archive.
#ifndef QVS_MODULE_CONFIG_BLOCK_H
#define QVS_MODULE_CONFIG_BLOCK_H

#include <stddef.h>
#include <stdint.h>

enum ConfigBlockResult {
  CONFIG_BLOCK_FOUND,
  CONFIG_BLOCK_MISSING,  // no start marker, or no end marker right after the module
  CONFIG_BLOCK_NO_PAYLOAD  // a sound block with nothing after it
};

// `head` holds the first `headLength` bytes (at most kMarkerSearchSize) of a
// file of `fileSize` bytes. On CONFIG_BLOCK_FOUND *archiveOffset is where the
// archive begins.
ConfigBlockResult LocateArchive(const uint8_t *head, size_t headLength, uint64_t fileSize,
                                uint64_t *archiveOffset);

#endif
