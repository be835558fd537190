#include "builder/fifo_arena.h"

void FifoArenaInit(FifoArena *arena, size_t capacity, size_t maxRegions) {
  arena->bytes.assign(capacity, 0);
  arena->liveStarts.assign(maxRegions, 0);
  arena->oldest = 0;
  arena->liveCount = 0;
  arena->head = 0;
}

uint8_t *FifoArenaTake(FifoArena *arena, size_t size) {
  size_t capacity = arena->bytes.size();
  size_t slots = arena->liveStarts.size();
  if (size > capacity || arena->liveCount >= slots) return NULL;
  size_t start;
  if (arena->liveCount == 0) {
    start = 0;
  } else {
    size_t tail = arena->liveStarts[arena->oldest];
    if (arena->head > tail) {
      // Live bytes lie in [tail, head): room after them, or else before.
      if (capacity - arena->head >= size) {
        start = arena->head;
      } else if (tail >= size) {
        start = 0;
      } else {
        return NULL;
      }
    } else {
      // Wrapped: live bytes lie in [tail, end) and [0, head).
      if (tail - arena->head < size) return NULL;
      start = arena->head;
    }
  }
  arena->liveStarts[(arena->oldest + arena->liveCount) % slots] = start;
  arena->liveCount++;
  arena->head = start + size;
  return arena->bytes.data() + start;
}

void FifoArenaReleaseOldest(FifoArena *arena) {
  if (arena->liveCount == 0) return;
  arena->oldest = (arena->oldest + 1) % arena->liveStarts.size();
  arena->liveCount--;
  if (arena->liveCount == 0) arena->oldest = arena->head = 0;
}
