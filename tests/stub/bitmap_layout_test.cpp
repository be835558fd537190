// BMP bytes from the payload are checked before the system reads them:
// good files of every supported kind pass, damaged ones are refused.
#include <string.h>

#include <vector>

#include "platform/bitmap_layout.h"
#include "platform/images.h"
#include "tests/stub/stub_check.h"

namespace {

void Put16(std::vector<uint8_t> *bytes, size_t at, uint32_t value) {
  (*bytes)[at] = (uint8_t)value;
  (*bytes)[at + 1] = (uint8_t)(value >> 8);
}

void Put32(std::vector<uint8_t> *bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; i++) (*bytes)[at + i] = (uint8_t)(value >> (8 * i));
}

// A bottom-up BI_RGB bitmap with a 40-byte header and a full colour table.
std::vector<uint8_t> MakeBitmap(int32_t width, int32_t height, uint16_t bits) {
  uint32_t colours = bits <= 8 ? (1u << bits) : 0;
  uint32_t stride = ((uint32_t)width * bits + 31) / 32 * 4;
  uint32_t rows = height < 0 ? (uint32_t)-height : (uint32_t)height;
  uint32_t offset = 14 + 40 + colours * 4;
  std::vector<uint8_t> bytes(offset + stride * rows, 0x55);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(&bytes, 2, (uint32_t)bytes.size());
  Put32(&bytes, 6, 0);
  Put32(&bytes, 10, offset);
  Put32(&bytes, 14, 40);
  Put32(&bytes, 18, (uint32_t)width);
  Put32(&bytes, 22, (uint32_t)height);
  Put16(&bytes, 26, 1);
  Put16(&bytes, 28, bits);
  Put32(&bytes, 30, 0);
  Put32(&bytes, 34, stride * rows);
  Put32(&bytes, 46, 0);
  return bytes;
}

BitmapCheck Check(const std::vector<uint8_t> &bytes) {
  BitmapLayout layout;
  return ReadBitmapLayout(bytes.data(), bytes.size(), &layout);
}

}  // namespace

STUB_TEST(GoodBitmapsOfEveryDepthPassAndDecode) {
  const uint16_t depths[] = {1, 4, 8, 16, 24, 32};
  for (uint16_t bits : depths) {
    std::vector<uint8_t> bytes = MakeBitmap(13, 7, bits);
    BitmapLayout layout;
    CHECK(ReadBitmapLayout(bytes.data(), bytes.size(), &layout) == kBitmapOk);
    CHECK(layout.pixelOffset + layout.pixelSize == bytes.size());
    BitmapHandle bitmap = DecodeBitmapBytes(bytes.data(), bytes.size());
    CHECK(bitmap != NULL);
    DeleteBitmapHandle(&bitmap);
  }
  CHECK(Check(MakeBitmap(5, -5, 24)) == kBitmapOk);  // top-down
}

STUB_TEST(TruncatedOrInconsistentBitmapsAreRefused) {
  std::vector<uint8_t> good = MakeBitmap(16, 16, 24);
  for (size_t cut = 0; cut < good.size(); cut += 97) {
    std::vector<uint8_t> part(good.begin(), good.begin() + cut);
    CHECK(Check(part) != kBitmapOk);
    CHECK(DecodeBitmapBytes(part.data(), part.size()) == NULL);
  }
  std::vector<uint8_t> bytes = good;
  bytes[0] = 'X';
  CHECK(Check(bytes) == kBitmapNotBmp);
  bytes = good;
  Put32(&bytes, 10, (uint32_t)good.size() + 1);  // pixels beyond the end
  CHECK(Check(bytes) == kBitmapCorrupt);
  bytes = good;
  Put32(&bytes, 10, 20);  // pixels inside the header
  CHECK(Check(bytes) == kBitmapCorrupt);
  bytes = good;
  Put32(&bytes, 18, 0x7FFFFFFF);  // absurd width
  CHECK(Check(bytes) == kBitmapCorrupt);
  bytes = good;
  Put32(&bytes, 22, 0x80000000);  // most negative height
  CHECK(Check(bytes) == kBitmapCorrupt);
  bytes = good;
  Put32(&bytes, 14, 0xFFFFFFF0);  // header larger than the file
  CHECK(Check(bytes) == kBitmapCorrupt);
  bytes = MakeBitmap(8, 8, 8);
  Put32(&bytes, 46, 300);  // more colours than 8 bits can index
  CHECK(Check(bytes) == kBitmapCorrupt);
}

STUB_TEST(CompressedBitmapsNeedTheirSizeWithinTheFile) {
  std::vector<uint8_t> bytes = MakeBitmap(8, 8, 8);
  Put32(&bytes, 30, 1);  // RLE8
  Put32(&bytes, 34, 0);
  CHECK(Check(bytes) == kBitmapCorrupt);
  Put32(&bytes, 34, (uint32_t)bytes.size());
  CHECK(Check(bytes) == kBitmapCorrupt);
  Put32(&bytes, 34, 2);
  CHECK(Check(bytes) == kBitmapOk);
  Put32(&bytes, 30, 4);  // JPEG inside a BMP
  CHECK(Check(bytes) == kBitmapUnsupported);
  std::vector<uint8_t> rle24 = MakeBitmap(8, 8, 24);
  Put32(&rle24, 30, 1);
  CHECK(Check(rle24) == kBitmapUnsupported);
}
