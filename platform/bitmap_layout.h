// Checks the layout of a BMP file held in memory before any of it is handed
// to the system, so that a damaged bitmap in an installer is refused instead
// of being read beyond its end. Portable: makes no system call.
#ifndef QVS_PLATFORM_BITMAP_LAYOUT_H
#define QVS_PLATFORM_BITMAP_LAYOUT_H

#include <stddef.h>
#include <stdint.h>

enum BitmapCheck {
  kBitmapOk,
  kBitmapNotBmp,       // no "BM" file header
  kBitmapCorrupt,      // a field points outside the bytes, or contradicts another
  kBitmapUnsupported,  // a valid file of a kind the installer does not draw
};

// Largest width and height accepted, which also bounds the pixel memory.
static const int32_t kMaxBitmapSide = 16384;
static const size_t kBitmapFileHeaderSize = 14;

struct BitmapLayout {
  size_t infoOffset = 0;   // the information header, right after the file header
  size_t infoSize = 0;     // information header, colour masks and colour table
  size_t pixelOffset = 0;  // first byte of the pixel data
  size_t pixelSize = 0;    // bytes of pixel data the system will read
  int32_t width = 0;
  int32_t height = 0;      // negative for a top-down bitmap
  uint16_t bitsPerPixel = 0;
  uint32_t compression = 0;
  bool coreHeader = false; // the old 12-byte header with 3-byte colours
};

// Reads and checks the file header and information header of `data`. On
// kBitmapOk every range in `layout` lies within the `size` bytes.
BitmapCheck ReadBitmapLayout(const uint8_t *data, size_t size, BitmapLayout *layout);

#endif
