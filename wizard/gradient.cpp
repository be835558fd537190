#include "wizard/gradient.h"

#include <math.h>

namespace {

float Channel(uint32_t colour, int shift) { return (float)((colour >> shift) & 0xFF); }

// Rounds to nearest with halves going to the even neighbour, whatever the
// process's rounding mode, and keeps the result a channel value.
uint32_t RoundChannel(float value) {
  float lower = floorf(value);
  float fraction = value - lower;
  float rounded = lower;
  if (fraction > 0.5f || (fraction == 0.5f && fmodf(lower, 2.0f) != 0.0f)) rounded = lower + 1.0f;
  if (rounded < 0.0f) rounded = 0.0f;
  if (rounded > 255.0f) rounded = 255.0f;
  return (uint32_t)rounded;
}

}  // namespace

GradientDirection GradientDirectionFor(int32_t vertical, int32_t horizontal) {
  if (vertical == 0 && horizontal == 1) return kGradientHorizontal;
  return kGradientVertical;
}

std::vector<uint32_t> GradientStripeColours(int steps, uint32_t first, uint32_t second) {
  std::vector<uint32_t> colours;
  if (steps <= 0) return colours;
  colours.reserve((size_t)steps);
  const int shifts[3] = {0, 8, 16};  // red, green, blue
  float start[3], step[3];
  for (int c = 0; c < 3; c++) {
    start[c] = Channel(first, shifts[c]);
    step[c] = (start[c] - Channel(second, shifts[c])) / (float)steps;
  }
  for (int i = 0; i < steps; i++) {
    uint32_t colour = 0;
    for (int c = 0; c < 3; c++) {
      // Each product and difference is kept as a float, as the colour
      // rule is written in single precision (x87 code would keep more).
      float offset = (float)i * step[c];
      float value = start[c] - offset;
      colour |= RoundChannel(value) << shifts[c];
    }
    colours.push_back(colour);
  }
  return colours;
}
