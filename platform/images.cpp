#include "platform/images.h"

#include <string.h>
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/bitmap_layout.h"

namespace {

// BITMAPINFO with a full colour table, for 8-bit bitmaps made here.
struct PaletteBitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

int FindOrAddColour(PaletteBitmapInfo *info, int *count, uint32_t colour) {
  BYTE red = (BYTE)(colour & 0xFF), green = (BYTE)((colour >> 8) & 0xFF),
       blue = (BYTE)((colour >> 16) & 0xFF);
  for (int i = 0; i < *count; i++) {
    const RGBQUAD &entry = info->colours[i];
    if (entry.rgbRed == red && entry.rgbGreen == green && entry.rgbBlue == blue) return i;
  }
  if (*count >= 256) return 0;
  RGBQUAD &entry = info->colours[*count];
  entry.rgbRed = red;
  entry.rgbGreen = green;
  entry.rgbBlue = blue;
  entry.rgbReserved = 0;
  return (*count)++;
}

}  // namespace

BitmapHandle DecodeBitmapBytes(const uint8_t *data, size_t size) {
  BitmapLayout layout;
  if (ReadBitmapLayout(data, size, &layout) != kBitmapOk) return NULL;
  // The headers are copied so that the system reads them properly aligned,
  // and so that the 12-byte core header can be widened.
  std::vector<uint32_t> info((layout.infoSize + 16 + 256 * 4) / 4 + 1, 0);
  BITMAPINFO *bitmapInfo = (BITMAPINFO *)info.data();
  if (layout.coreHeader) {
    BITMAPINFOHEADER *header = &bitmapInfo->bmiHeader;
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = layout.width;
    header->biHeight = layout.height;
    header->biPlanes = 1;
    header->biBitCount = layout.bitsPerPixel;
    header->biCompression = BI_RGB;
    const uint8_t *core = data + layout.infoOffset + 12;
    size_t colours = (layout.infoSize - 12) / 3;
    for (size_t i = 0; i < colours && i < 256; i++) {
      bitmapInfo->bmiColors[i].rgbBlue = core[i * 3];
      bitmapInfo->bmiColors[i].rgbGreen = core[i * 3 + 1];
      bitmapInfo->bmiColors[i].rgbRed = core[i * 3 + 2];
    }
  } else {
    memcpy(info.data(), data + layout.infoOffset, layout.infoSize);
    // The pixel size was checked against the bytes; make sure the system
    // relies on that figure for compressed data.
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
      bitmapInfo->bmiHeader.biSizeImage = (DWORD)layout.pixelSize;
  }
  HDC screen = GetDC(NULL);
  HBITMAP bitmap = NULL;
  if (screen != NULL) {
    bitmap = CreateDIBitmap(screen, &bitmapInfo->bmiHeader, CBM_INIT, data + layout.pixelOffset,
                            bitmapInfo, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
  }
  return (BitmapHandle)bitmap;
}

BitmapHandle CreateBitmapFromPixels(int width, int height, int bitsPerPixel,
                                    const uint32_t *pixels) {
  if (pixels == NULL || width <= 0 || height <= 0 || width > kMaxBitmapSide ||
      height > kMaxBitmapSide || (bitsPerPixel != 24 && bitsPerPixel != 8))
    return NULL;
  PaletteBitmapInfo info;
  ZeroMemory(&info, sizeof info);
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;  // rows from the top, as the pixels come
  info.header.biPlanes = 1;
  info.header.biBitCount = (WORD)bitsPerPixel;
  info.header.biCompression = BI_RGB;
  size_t stride = (((size_t)width * bitsPerPixel + 31) / 32) * 4;
  std::vector<uint8_t> bits(stride * (size_t)height, 0);
  int colourCount = 0;
  for (int y = 0; y < height; y++) {
    uint8_t *row = &bits[stride * (size_t)y];
    for (int x = 0; x < width; x++) {
      uint32_t colour = pixels[(size_t)y * width + x];
      if (bitsPerPixel == 8) {
        row[x] = (uint8_t)FindOrAddColour(&info, &colourCount, colour);
      } else {
        row[x * 3] = (uint8_t)((colour >> 16) & 0xFF);
        row[x * 3 + 1] = (uint8_t)((colour >> 8) & 0xFF);
        row[x * 3 + 2] = (uint8_t)(colour & 0xFF);
      }
    }
  }
  if (bitsPerPixel == 8) info.header.biClrUsed = colourCount > 0 ? colourCount : 1;
  void *target = NULL;
  HBITMAP bitmap = CreateDIBSection(NULL, (BITMAPINFO *)&info, DIB_RGB_COLORS, &target, NULL, 0);
  if (bitmap != NULL && target != NULL) memcpy(target, bits.data(), bits.size());
  return (BitmapHandle)bitmap;
}

void DeleteBitmapHandle(BitmapHandle *bitmap) {
  if (bitmap == NULL || *bitmap == NULL) return;
  DeleteObject((HGDIOBJ)*bitmap);
  *bitmap = NULL;
}

IconHandle ExtractFirstIcon(const std::string &path) {
  HICON icon = ExtractIconA(GetModuleHandleA(NULL), path.c_str(), 0);
  // ExtractIconA answers 1 when the file is no executable or icon file.
  if (icon == (HICON)1) icon = NULL;
  return (IconHandle)icon;
}

void DestroyIconHandle(IconHandle *icon) {
  if (icon == NULL || *icon == NULL) return;
  DestroyIcon((HICON)*icon);
  *icon = NULL;
}

IconHandle SystemQuestionIcon() { return (IconHandle)LoadIconA(NULL, (LPCSTR)IDI_QUESTION); }

IconHandle FileTypeIcon(const std::string &path) {
  SHFILEINFOA info;
  memset(&info, 0, sizeof info);
  if (!SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES))
    return NULL;
  return (IconHandle)info.hIcon;
}
