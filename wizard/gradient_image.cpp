#include "wizard/gradient_image.h"

#include <vector>

#include "platform/bitmap_layout.h"

BitmapHandle MakeGradientImage(int width, int height, uint32_t first, uint32_t second,
                               GradientDirection direction) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return NULL;
  bool columns = direction == kGradientVertical;
  std::vector<uint32_t> stripes = GradientStripeColours(columns ? width : height, first, second);
  std::vector<uint32_t> pixels((size_t)width * (size_t)height, 0);
  for (int y = 0; y < height; y++) {
    uint32_t *row = &pixels[(size_t)y * (size_t)width];
    for (int x = 0; x < width; x++) row[x] = stripes[(size_t)(columns ? x : y)];
  }
  return CreateBitmapFromPixels(width, height, 24, pixels.data());
}
