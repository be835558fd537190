// Gradient bitmaps for the background window.
#ifndef QVS_WIZARD_GRADIENT_IMAGE_H
#define QVS_WIZARD_GRADIENT_IMAGE_H

#include <stdint.h>

#include "platform/images.h"
#include "wizard/gradient.h"

// A new width x height bitmap with stripes from `first` to `second`
// (colours 0x00BBGGRR): columns for kGradientVertical, rows for
// kGradientHorizontal (see GradientStripeColours). NULL when the sizes
// are not positive or the bitmap cannot be made. The caller deletes it.
BitmapHandle MakeGradientImage(int width, int height, uint32_t first, uint32_t second,
                               GradientDirection direction);

#endif
