#include "platform/bitmap_layout.h"

namespace {

// Compression codes of the information header.
const uint32_t kCompressionNone = 0;
const uint32_t kCompressionRle8 = 1;
const uint32_t kCompressionRle4 = 2;
const uint32_t kCompressionBitFields = 3;

const uint32_t kCoreHeaderSize = 12;
const uint32_t kInfoHeaderSize = 40;
const uint32_t kLargestHeaderSize = 124;
const uint32_t kBitFieldMaskBytes = 12;

uint16_t ReadU16(const uint8_t *p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t *p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

bool IsKnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(uint32_t compression, uint16_t bits, int32_t height) {
  if (compression == kCompressionNone) return true;
  if (compression == kCompressionRle8) return bits == 8 && height > 0;
  if (compression == kCompressionRle4) return bits == 4 && height > 0;
  if (compression == kCompressionBitFields) return bits == 16 || bits == 32;
  return false;
}

}  // namespace

BitmapCheck ReadBitmapLayout(const uint8_t *data, size_t size, BitmapLayout *layout) {
  if (data == NULL || layout == NULL) return kBitmapNotBmp;
  *layout = BitmapLayout();
  if (size < kBitmapFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return kBitmapNotBmp;
  uint32_t pixelOffset = ReadU32(data + 10);
  uint32_t headerSize = ReadU32(data + kBitmapFileHeaderSize);
  const uint8_t *header = data + kBitmapFileHeaderSize;
  size_t available = size - kBitmapFileHeaderSize;
  if (headerSize > available) return kBitmapCorrupt;

  BitmapLayout found;
  found.infoOffset = kBitmapFileHeaderSize;
  uint32_t colourUsed = 0;
  uint32_t imageSize = 0;
  uint32_t entrySize = 4;
  uint16_t planes = 0;
  if (headerSize == kCoreHeaderSize) {
    found.coreHeader = true;
    found.width = ReadU16(header + 4);
    found.height = ReadU16(header + 6);
    planes = ReadU16(header + 8);
    found.bitsPerPixel = ReadU16(header + 10);
    entrySize = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= kLargestHeaderSize) {
    found.width = (int32_t)ReadU32(header + 4);
    found.height = (int32_t)ReadU32(header + 8);
    planes = ReadU16(header + 12);
    found.bitsPerPixel = ReadU16(header + 14);
    found.compression = ReadU32(header + 16);
    imageSize = ReadU32(header + 20);
    colourUsed = ReadU32(header + 32);
  } else {
    return kBitmapUnsupported;
  }

  // -kMaxBitmapSide..kMaxBitmapSide also keeps the negation below in range.
  if (found.width <= 0 || found.width > kMaxBitmapSide || found.height == 0 ||
      found.height > kMaxBitmapSide || found.height < -kMaxBitmapSide || planes != 1)
    return kBitmapCorrupt;
  if (!IsKnownDepth(found.bitsPerPixel) ||
      !CompressionFits(found.compression, found.bitsPerPixel, found.height))
    return kBitmapUnsupported;

  uint64_t colours = colourUsed;
  if (found.bitsPerPixel <= 8) {
    uint64_t most = (uint64_t)1 << found.bitsPerPixel;
    if (colours == 0) colours = most;
    if (colours > most) return kBitmapCorrupt;
  } else if (colours > 256) {
    return kBitmapCorrupt;
  }
  uint64_t infoSize = headerSize + colours * entrySize;
  // The small header keeps the three colour masks after itself.
  if (found.compression == kCompressionBitFields && headerSize == kInfoHeaderSize)
    infoSize += kBitFieldMaskBytes;
  if (infoSize > available) return kBitmapCorrupt;
  found.infoSize = (size_t)infoSize;

  uint64_t firstPixel = pixelOffset == 0 ? kBitmapFileHeaderSize + infoSize : pixelOffset;
  if (firstPixel < kBitmapFileHeaderSize + infoSize || firstPixel > size) return kBitmapCorrupt;
  found.pixelOffset = (size_t)firstPixel;

  uint64_t pixelSize = 0;
  if (found.compression == kCompressionRle8 || found.compression == kCompressionRle4) {
    pixelSize = imageSize;
    if (pixelSize == 0) return kBitmapCorrupt;
  } else {
    uint64_t rows = found.height < 0 ? (uint64_t)(-(int64_t)found.height) : (uint64_t)found.height;
    uint64_t stride = (((uint64_t)found.width * found.bitsPerPixel + 31) / 32) * 4;
    pixelSize = stride * rows;
  }
  if (pixelSize > size - found.pixelOffset) return kBitmapCorrupt;
  found.pixelSize = (size_t)pixelSize;
  *layout = found;
  return kBitmapOk;
}
