#include "startup/icon_art.h"

#include <stdlib.h>

namespace {

// Colours as 0x00BBGGRR.
const uint32_t kWhite = 0xFFFFFF;
const uint32_t kLightGrey = 0xC0C0C0;
const uint32_t kGrey = 0x808080;
const uint32_t kDarkGrey = 0x404040;
const uint32_t kCardboardFront = 0x3A84CC;
const uint32_t kCardboardTop = 0x6EB0E8;
const uint32_t kCardboardSide = 0x235C99;
const uint32_t kCardboardEdge = 0x143A63;
const uint32_t kTape = 0x9ED4F2;
const uint32_t kGreen = 0x20A020;
const uint32_t kDarkGreen = 0x106010;
const uint32_t kScreenBlue = 0xC07830;

PixelImage Blank(int side, uint32_t colour) {
  PixelImage image;
  image.width = side;
  image.height = side;
  image.pixels.assign((size_t)side * side, colour);
  return image;
}

void Plot(PixelImage *image, int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
  image->pixels[(size_t)y * image->width + x] = colour;
}

void FillBox(PixelImage *image, int left, int top, int right, int bottom, uint32_t colour) {
  for (int y = top; y <= bottom; y++)
    for (int x = left; x <= right; x++) Plot(image, x, y, colour);
}

void FrameBox(PixelImage *image, int left, int top, int right, int bottom, uint32_t colour) {
  for (int x = left; x <= right; x++) {
    Plot(image, x, top, colour);
    Plot(image, x, bottom, colour);
  }
  for (int y = top; y <= bottom; y++) {
    Plot(image, left, y, colour);
    Plot(image, right, y, colour);
  }
}

void Line(PixelImage *image, int x0, int y0, int x1, int y1, uint32_t colour) {
  int dx = abs(x1 - x0), dy = -abs(y1 - y0);
  int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    Plot(image, x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    int twice = 2 * error;
    if (twice >= dy) { error += dy; x0 += stepX; }
    if (twice <= dx) { error += dx; y0 += stepY; }
  }
}

// A cardboard box seen from the front and a little from above and the right.
void DrawPackage(PixelImage *image) {
  const int depth = 6;
  const int left = 3, top = 11, right = 22, bottom = 29;
  for (int row = 0; row < depth; row++) {
    // Top face: a parallelogram leaning right.
    Line(image, left + depth - row, top - depth + row, right + depth - row, top - depth + row,
         kCardboardTop);
    // Side face: a parallelogram rising to the right.
    Line(image, right + 1 + row, top - 1 - row, right + 1 + row, bottom - 1 - row, kCardboardSide);
  }
  FillBox(image, left, top, right, bottom, kCardboardFront);
  FrameBox(image, left, top, right, bottom, kCardboardEdge);
  Line(image, left, top, left + depth, top - depth, kCardboardEdge);
  Line(image, left + depth, top - depth, right + depth, top - depth, kCardboardEdge);
  Line(image, right, top, right + depth, top - depth, kCardboardEdge);
  Line(image, right + depth, top - depth, right + depth, bottom - depth, kCardboardEdge);
  Line(image, right, bottom, right + depth, bottom - depth, kCardboardEdge);
  // Packing tape over the lid and down the front.
  Line(image, 12, top - depth + 1, 12 + depth - 1, top - depth + 1, kTape);
  for (int row = 0; row < depth - 1; row++) Plot(image, 12 + depth - 2 - row, top - depth + 2 + row, kTape);
  FillBox(image, 11, top + 1, 13, top + 7, kTape);
}

void DrawListOverlay(PixelImage *image) {
  FillBox(image, 17, 14, 29, 30, kWhite);
  FrameBox(image, 17, 14, 29, 30, kDarkGrey);
  for (int y = 17; y <= 27; y += 3) {
    FillBox(image, 19, y, 20, y + 1, kScreenBlue);
    Line(image, 22, y, 27, y, kDarkGrey);
  }
}

void DrawDownArrowOverlay(PixelImage *image) {
  FillBox(image, 21, 13, 26, 21, kGreen);
  for (int row = 0; row < 7; row++) Line(image, 17 + row, 22 + row, 30 - row, 22 + row, kGreen);
  Line(image, 21, 13, 21, 21, kDarkGreen);
  Line(image, 26, 13, 26, 21, kDarkGreen);
  Line(image, 21, 13, 26, 13, kDarkGreen);
  Line(image, 17, 22, 23, 28, kDarkGreen);
  Line(image, 30, 22, 24, 28, kDarkGreen);
}

void DrawCheckOverlay(PixelImage *image) {
  for (int thickness = 0; thickness < 3; thickness++) {
    Line(image, 16, 21 + thickness, 21, 26 + thickness, kGreen);
    Line(image, 21, 26 + thickness, 30, 15 + thickness, kGreen);
  }
  Line(image, 16, 20, 21, 25, kDarkGreen);
  Line(image, 21, 25, 30, 14, kDarkGreen);
}

void DrawComputerOverlay(PixelImage *image) {
  FillBox(image, 15, 13, 30, 25, kLightGrey);
  FrameBox(image, 15, 13, 30, 25, kDarkGrey);
  FillBox(image, 17, 15, 28, 23, kScreenBlue);
  FillBox(image, 21, 26, 24, 27, kGrey);
  FillBox(image, 17, 28, 28, 30, kLightGrey);
  FrameBox(image, 17, 28, 28, 30, kDarkGrey);
}

void DrawCheckMark(PixelImage *image, uint32_t colour) {
  for (int thickness = 0; thickness < 3; thickness++) {
    Line(image, 4, 6 + thickness, 6, 8 + thickness, colour);
    Line(image, 6, 8 + thickness, 11, 3 + thickness, colour);
  }
}

}  // namespace

PixelImage DrawPageIcon(PageIconRole role) {
  PixelImage image = Blank(kPageIconSide, kWhite);
  DrawPackage(&image);
  switch (role) {
    case kPageIconPackage: break;
    case kPageIconPackageList: DrawListOverlay(&image); break;
    case kPageIconPackageDownArrow: DrawDownArrowOverlay(&image); break;
    case kPageIconPackageCheck: DrawCheckOverlay(&image); break;
    case kPageIconPackageComputer: DrawComputerOverlay(&image); break;
  }
  return image;
}

PixelImage DrawStateIcon(int state) {
  PixelImage image = Blank(kStateIconSide, kWhite);
  const int left = 1, top = 1, right = 13, bottom = 13;
  FillBox(&image, left, top, right, bottom, state == 2 ? kLightGrey : kWhite);
  FrameBox(&image, left, top, right, bottom, kGrey);
  if (state == 0) DrawCheckMark(&image, kLightGrey);
  if (state == 2) DrawCheckMark(&image, kGrey);
  if (state == 3) DrawCheckMark(&image, kGreen);
  return image;
}
