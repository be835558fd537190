// Drawing on bitmaps: copies, stretched copies, fonts from a script's face,
// size and style bits, and text in a colour without background fill.
//
// A DrawingTarget is a bitmap selected into a memory drawing context;
// EndDrawing puts everything back and is safe to call twice.
#ifndef QVS_PLATFORM_DRAWING_H
#define QVS_PLATFORM_DRAWING_H

#include <stdint.h>

#include <string>

#include "platform/fonts.h"
#include "platform/images.h"

struct DrawingTarget {
  void *context = NULL;         // the memory drawing context
  void *previousBitmap = NULL;  // what the context held before the bitmap
  void *previousFont = NULL;    // set by the first SelectDrawingFont
};

// Starts drawing on `bitmap` in transparent mode. False (and nothing held)
// when the bitmap is NULL or cannot be drawn on.
bool BeginDrawing(BitmapHandle bitmap, DrawingTarget *target);
// Text drawn from now on uses `font` (NULL keeps the current one).
void SelectDrawingFont(DrawingTarget *target, FontHandle font);
// Draws `text` with its top-left corner at (x, y) in `colour` (0x00BBGGRR).
void DrawTextAt(DrawingTarget *target, int x, int y, const std::string &text, uint32_t colour);
// Width in pixels of `text` drawn with the target's current font; 0 when it
// cannot be measured.
int DrawnTextWidth(DrawingTarget *target, const std::string &text);
void EndDrawing(DrawingTarget *target);

// A new bitmap with the same picture as `source`; NULL on failure.
BitmapHandle CopyBitmap(BitmapHandle source);
// A new bitmap of `width` x `height` with `source` stretched over it
// (smooth halftone filter); NULL on failure.
BitmapHandle StretchBitmap(BitmapHandle source, int width, int height);
// Width and height of a bitmap; false when it is not one.
bool BitmapSize(BitmapHandle bitmap, int *width, int *height);

// Font style bits of the installer script.
static const int32_t kFontStyleBold = 256;
static const int32_t kFontStyleItalic = 512;
static const int32_t kFontStyleUnderline = 4;
static const int32_t kFontStyleStrikeOut = 8;
static const int32_t kFontStyleProof = 16;

// A font of `faceName` at `points` with the script's style bits: weight 700
// for bold, else 400; proof quality only when asked; default character set;
// height -(points x vertical pixels per inch / 72) rounded as MulDiv does.
// NULL on failure.
FontHandle CreateStyledFont(const std::string &faceName, int points, int32_t styleBits);
void DeleteFontHandle(FontHandle *font);

#endif
