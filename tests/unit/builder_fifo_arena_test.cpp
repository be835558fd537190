// The ring that holds the compression window's chunks: regions never
// overlap, stay inside the block, are refused only when there is no room,
// and come back in order.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <utility>

#include "builder/fifo_arena.h"

namespace {

typedef std::pair<size_t, size_t> Region;  // offset, size

bool Overlaps(const Region &a, const Region &b) {
  return a.first < b.first + b.second && b.first < a.first + a.second;
}

}  // namespace

TEST(FifoArena, WrapsAroundAndRefusesWhenFull) {
  FifoArena arena;
  FifoArenaInit(&arena, 100, 8);
  uint8_t *base = arena.bytes.data();
  EXPECT_EQ(FifoArenaTake(&arena, 101), nullptr);
  EXPECT_EQ(FifoArenaTake(&arena, 40), base);
  EXPECT_EQ(FifoArenaTake(&arena, 40), base + 40);
  EXPECT_EQ(FifoArenaTake(&arena, 30), nullptr);  // 20 left at the end, none before
  FifoArenaReleaseOldest(&arena);
  EXPECT_EQ(FifoArenaTake(&arena, 30), base);  // wraps to the front
  EXPECT_EQ(FifoArenaTake(&arena, 10), base + 30);
  EXPECT_EQ(FifoArenaTake(&arena, 1), nullptr);  // would run into the oldest
  FifoArenaReleaseOldest(&arena);
  EXPECT_EQ(FifoArenaTake(&arena, 60), base + 40);  // the wasted tail is usable again
  FifoArenaReleaseOldest(&arena);
  FifoArenaReleaseOldest(&arena);
  FifoArenaReleaseOldest(&arena);
  EXPECT_EQ(FifoArenaTake(&arena, 100), base);  // empty: the whole block
}

TEST(FifoArena, RegionLimitCounts) {
  FifoArena arena;
  FifoArenaInit(&arena, 1000, 3);
  for (int i = 0; i < 3; i++) EXPECT_NE(FifoArenaTake(&arena, 10), nullptr);
  EXPECT_EQ(FifoArenaTake(&arena, 10), nullptr);
  FifoArenaReleaseOldest(&arena);
  EXPECT_NE(FifoArenaTake(&arena, 10), nullptr);
}

// Random takes and releases against a model of the live regions.
TEST(FifoArena, LiveRegionsNeverOverlap) {
  std::mt19937 random(7);
  FifoArena arena;
  const size_t capacity = 4096;
  FifoArenaInit(&arena, capacity, 16);
  std::deque<Region> live;
  size_t refusals = 0;
  for (int step = 0; step < 20000; step++) {
    if (!live.empty() && random() % 3 == 0) {
      FifoArenaReleaseOldest(&arena);
      live.pop_front();
      continue;
    }
    size_t size = 1 + random() % (random() % 4 == 0 ? capacity / 2 : 300);
    uint8_t *region = FifoArenaTake(&arena, size);
    if (region == nullptr) {
      refusals++;
      // A refusal is only right when neither the end nor the front has room.
      ASSERT_FALSE(live.empty());
      size_t tail = live.front().first;
      size_t head = live.back().first + live.back().second;
      bool wrapped = head <= tail;
      bool room = live.size() < 16 &&
                  (wrapped ? tail - head >= size : capacity - head >= size || tail >= size);
      ASSERT_FALSE(room) << "refused " << size << " at step " << step;
      continue;
    }
    Region taken((size_t)(region - arena.bytes.data()), size);
    ASSERT_LE(taken.first + taken.second, capacity);
    for (const Region &other : live) ASSERT_FALSE(Overlaps(taken, other)) << "step " << step;
    live.push_back(taken);
  }
  EXPECT_GT(refusals, 100u);  // the arena was full often enough to matter
}
