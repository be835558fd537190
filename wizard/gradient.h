// The colours of a background gradient. Portable: the bitmap itself is made
// by MakeGradientImage (gradient_image.h).
#ifndef QVS_WIZARD_GRADIENT_H
#define QVS_WIZARD_GRADIENT_H

#include <stdint.h>

#include <vector>

enum GradientDirection {
  kGradientVertical = 0,    // vertical stripes: colour changes left to right
  kGradientHorizontal = 1,  // horizontal stripes: colour changes top to bottom
};

// The direction a script's two flags ask for: horizontal stripes only for
// vertical 0 with horizontal 1, vertical stripes for every other pair.
GradientDirection GradientDirectionFor(int32_t vertical, int32_t horizontal);

// One colour (0x00BBGGRR) per stripe, `steps` stripes. Each channel moves
// from `first` towards `second` by (first - second) / steps per stripe,
// worked in single precision and rounded to nearest, halves to even; the
// first stripe is exactly `first`, the last stops one step short of
// `second`. Empty for steps <= 0.
std::vector<uint32_t> GradientStripeColours(int steps, uint32_t first, uint32_t second);

#endif
