// One fixed block of memory handed out as regions that are released in the
// order they were taken: the chunks of the compression window. A ring, so
// that a window of many small chunks and one of a few large ones both fit in
// the same bounded memory, with no allocation while building.
#ifndef QVS_BUILDER_FIFO_ARENA_H
#define QVS_BUILDER_FIFO_ARENA_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

struct FifoArena {
  std::vector<uint8_t> bytes;
  std::vector<size_t> liveStarts;  // ring of the live regions' offsets, oldest first
  size_t oldest;  // index into liveStarts
  size_t liveCount;
  size_t head;  // where the newest live region ends
};

// `capacity` bytes, for at most `maxRegions` live regions at a time.
void FifoArenaInit(FifoArena *arena, size_t capacity, size_t maxRegions);

// A region of `size` contiguous bytes after the newest one, or NULL when
// the live regions leave no room (or `maxRegions` are live). With no live
// region, any size up to the capacity fits.
uint8_t *FifoArenaTake(FifoArena *arena, size_t size);

// Releases the oldest live region.
void FifoArenaReleaseOldest(FifoArena *arena);

#endif
