// The chunk coder: exact-size decoding, state reuse, memory and bounds.
#include <gtest/gtest.h>

#include "archive_test_support.h"

using namespace archive_test;

namespace {

struct Compressed {
  Bytes bytes;
  uint32_t c;
};

Compressed Compress(ChunkEncoder *encoder, const Bytes &data) {
  Compressed out = {Bytes((size_t)LzmaChunkBound((uint32_t)data.size())), 0};
  EXPECT_EQ(ARCHIVE_OK, ChunkEncoderCompress(encoder, data.data(), (uint32_t)data.size(),
                                             out.bytes.data(), out.bytes.size(), &out.c));
  out.bytes.resize(out.c);
  return out;
}

TEST(ChunkCodec, DecodingStopsAtExactlyTheChunkSize) {
  ChunkEncoder *encoder = ChunkEncoderCreate(6, false);
  ChunkDecoder *decoder = ChunkDecoderCreate();
  ASSERT_TRUE(encoder != NULL && decoder != NULL);
  Bytes data = MakeData(6484, 7);
  Compressed chunk = Compress(encoder, data);
  Bytes out(data.size() + 16, 0xEE);
  ASSERT_EQ(ARCHIVE_OK, ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c, out.data(), 6484));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin()));
  for (size_t i = data.size(); i < out.size(); i++) EXPECT_EQ(0xEE, out[i]);  // no spare byte

  // A stream that would go on past u, or stops short of it, is corrupt.
  Bytes guard(6484 + 1, 0xEE);
  EXPECT_EQ(ARCHIVE_DATA_ERROR,
            ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c, guard.data(), 6483));
  EXPECT_EQ(0xEE, guard[6483]);
  EXPECT_EQ(ARCHIVE_DATA_ERROR,
            ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c, guard.data(), 6485));
  // Missing or extra input bytes.
  EXPECT_EQ(ARCHIVE_DATA_ERROR,
            ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c - 1, out.data(), 6484));
  Bytes longer = chunk.bytes;
  longer.push_back(0);
  EXPECT_EQ(ARCHIVE_DATA_ERROR,
            ChunkDecoderDecode(decoder, longer.data(), chunk.c + 1, out.data(), 6484));
  // Still usable after errors.
  ASSERT_EQ(ARCHIVE_OK, ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c, out.data(), 6484));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin()));
  ChunkEncoderFree(encoder);
  ChunkDecoderFree(decoder);
}

TEST(ChunkCodec, ReusedCodersMatchFreshOnes) {
  ChunkEncoder *reused = ChunkEncoderCreate(6, false);
  ChunkDecoder *decoder = ChunkDecoderCreate();
  Bytes out(kChunkSize);
  for (uint32_t seed = 0; seed < 6; seed++) {
    Bytes data = MakeData(seed % 2 ? kChunkSize : 1000 + seed * 9000, seed);
    Compressed fromReused = Compress(reused, data);
    ChunkEncoder *fresh = ChunkEncoderCreate(6, false);
    Compressed fromFresh = Compress(fresh, data);
    ChunkEncoderFree(fresh);
    // Reproducible output does not depend on what the encoder saw before.
    EXPECT_TRUE(fromReused.bytes == fromFresh.bytes) << seed;
    ASSERT_EQ(ARCHIVE_OK, ChunkDecoderDecode(decoder, fromReused.bytes.data(), fromReused.c,
                                             out.data(), (uint32_t)data.size()));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin())) << seed;
  }
  ChunkEncoderFree(reused);
  ChunkDecoderFree(decoder);
}

TEST(ChunkCodec, IncompressibleDataStaysWithinTheBound) {
  ChunkEncoder *encoder = ChunkEncoderCreate(9, true);
  ChunkDecoder *decoder = ChunkDecoderCreate();
  Bytes data(kChunkSize);
  uint64_t state = 88172645463325252ull;
  for (uint8_t &byte : data) {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    byte = (uint8_t)state;
  }
  Compressed chunk = Compress(encoder, data);
  EXPECT_LE(chunk.c, LzmaChunkBound(kChunkSize));
  EXPECT_GT(chunk.c, kChunkSize);
  Bytes out(kChunkSize);
  EXPECT_EQ(ARCHIVE_OK,
            ChunkDecoderDecode(decoder, chunk.bytes.data(), chunk.c, out.data(), kChunkSize));
  EXPECT_TRUE(out == data);
  // Too small an output buffer is the caller's error.
  uint32_t c = 0;
  Bytes small(100);
  EXPECT_EQ(ARCHIVE_PROG_ERROR,
            ChunkEncoderCompress(encoder, data.data(), kChunkSize, small.data(), small.size(), &c));
  ChunkEncoderFree(encoder);
  ChunkDecoderFree(decoder);
}

TEST(ChunkCodec, EncoderMemoryAndArguments) {
  for (uint32_t level = 0; level <= 9; level++) {
    for (int extreme = 0; extreme < 2; extreme++) {
      uint64_t usage = ChunkEncoderMemoryUsage(level, extreme != 0);
      EXPECT_GT(usage, 0u);
      EXPECT_LT(usage, 14u << 20) << "level " << level;
    }
  }
  EXPECT_EQ(0u, ChunkEncoderMemoryUsage(10, false));
  EXPECT_EQ(NULL, ChunkEncoderCreate(10, false));
  ChunkEncoder *encoder = ChunkEncoderCreate(0, false);
  ChunkDecoder *decoder = ChunkDecoderCreate();
  uint8_t in[4] = {1, 2, 3, 4}, out[300];
  uint32_t c = 0;
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ChunkEncoderCompress(encoder, in, 0, out, sizeof out, &c));
  EXPECT_EQ(ARCHIVE_PROG_ERROR,
            ChunkEncoderCompress(encoder, in, kChunkSize + 1, out, sizeof out, &c));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ChunkDecoderDecode(decoder, in, 4, out, 0));
  EXPECT_EQ(ARCHIVE_PROG_ERROR, ChunkDecoderDecode(decoder, in, 4, out, kChunkSize + 1));
  ChunkEncoderFree(encoder);
  ChunkDecoderFree(decoder);
  ChunkEncoderFree(NULL);
  ChunkDecoderFree(NULL);
}

}  // namespace
