#include "engine/tasks/done_tasks.h"

namespace {

const uint64_t kIdCount = (uint64_t)kDoneIdMaximum + 1;
// Random draws before the search walks on from the last one.
const int kMaxDraws = 1000;

// splitmix64: small, and good enough for IDs that need only differ.
uint64_t NextRandom(DoneIdSource *source) {
  uint64_t z = (source->state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void SeedDoneIdSource(DoneIdSource *source, uint32_t seed) { source->state = seed; }

int32_t DrawDoneTaskId(DoneIdSource *source, std::set<int32_t> *usedIds) {
  uint64_t candidate = 0;
  for (int draw = 0; draw < kMaxDraws; draw++) {
    candidate = NextRandom(source) % kIdCount;
    if (usedIds->insert((int32_t)candidate).second) return (int32_t)candidate;
  }
  for (uint64_t step = 1; step < kIdCount; step++) {
    const int32_t id = (int32_t)((candidate + step) % kIdCount);
    if (usedIds->insert(id).second) return id;
  }
  return -1;
}

bool NameDoneRecord(DoneTaskRecord *record, const std::string &name, DoneIdSource *source,
                    std::set<int32_t> *usedIds) {
  const int32_t id = DrawDoneTaskId(source, usedIds);
  if (id < 0) return false;
  record->ID = id;
  record->Name = name;
  record->ComponentID = 0;
  return true;
}
