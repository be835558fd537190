#include "tests/e2e/driver/screen_capture.h"

#include <stdio.h>
#include <string.h>

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  DWORD *bits;
};

bool OpenCanvas(int width, int height, Canvas *canvas) {
  memset(canvas, 0, sizeof *canvas);
  BITMAPINFO info;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  canvas->dc = CreateCompatibleDC(NULL);
  if (canvas->dc == NULL) return false;
  void *bits = NULL;
  canvas->bitmap = CreateDIBSection(canvas->dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  if (canvas->bitmap == NULL) return false;
  canvas->bits = (DWORD *)bits;
  canvas->previous = SelectObject(canvas->dc, canvas->bitmap);
  return true;
}

void CloseCanvas(Canvas *canvas) {
  if (canvas->dc != NULL && canvas->previous != NULL) SelectObject(canvas->dc, canvas->previous);
  if (canvas->bitmap != NULL) DeleteObject(canvas->bitmap);
  if (canvas->dc != NULL) DeleteDC(canvas->dc);
  memset(canvas, 0, sizeof *canvas);
}

void CopyOut(const Canvas &canvas, int width, int height, Pixels *out) {
  out->width = width;
  out->height = height;
  out->data.assign(canvas.bits, canvas.bits + (size_t)width * (size_t)height);
  for (DWORD &pixel : out->data) pixel &= 0x00FFFFFF;
}

}  // namespace

bool CaptureScreen(const RECT &area, Pixels *out) {
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
  Canvas canvas = {NULL, NULL, NULL, NULL};
  bool ok = false;
  HDC screen = GetDC(NULL);
  if (screen != NULL && OpenCanvas(width, height, &canvas)) {
    ok = BitBlt(canvas.dc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT) != 0;
    GdiFlush();
    if (ok) CopyOut(canvas, width, height, out);
  }
  CloseCanvas(&canvas);
  if (screen != NULL) ReleaseDC(NULL, screen);
  return ok;
}

bool RenderIcon(HICON icon, int width, int height, COLORREF background, Pixels *out) {
  Canvas canvas = {NULL, NULL, NULL, NULL};
  bool ok = false;
  if (width > 0 && height > 0 && width <= 256 && height <= 256 && OpenCanvas(width, height, &canvas)) {
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    ok = DrawIconEx(canvas.dc, 0, 0, icon, width, height, 0, NULL, DI_NORMAL) != 0;
    GdiFlush();
    if (ok) CopyOut(canvas, width, height, out);
  }
  CloseCanvas(&canvas);
  return ok;
}

bool SaveScreenBmp(const std::string &path) {
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Pixels pixels;
  if (!CaptureScreen(screen, &pixels)) return false;
  const int width = pixels.width, height = pixels.height;
  const DWORD rowBytes = ((DWORD)width * 3 + 3) & ~3u;
  BITMAPFILEHEADER header;
  BITMAPINFOHEADER info;
  memset(&header, 0, sizeof header);
  memset(&info, 0, sizeof info);
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + rowBytes * (DWORD)height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  FILE *file = fopen(path.c_str(), "wb");
  if (file == NULL) return false;
  bool ok = fwrite(&header, sizeof header, 1, file) == 1 && fwrite(&info, sizeof info, 1, file) == 1;
  std::vector<unsigned char> row(rowBytes, 0);
  for (int y = height - 1; ok && y >= 0; y--) {
    for (int x = 0; x < width; x++) {
      DWORD pixel = pixels.data[(size_t)y * (size_t)width + (size_t)x];
      row[(size_t)x * 3] = (unsigned char)(pixel & 0xFF);
      row[(size_t)x * 3 + 1] = (unsigned char)((pixel >> 8) & 0xFF);
      row[(size_t)x * 3 + 2] = (unsigned char)((pixel >> 16) & 0xFF);
    }
    ok = fwrite(row.data(), 1, row.size(), file) == row.size();
  }
  if (fclose(file) != 0) ok = false;
  return ok;
}
