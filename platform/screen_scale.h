// Layout pixels and screen pixels.
//
// The installer's windows are laid out in layout pixels, 96 to the inch.
// The program declares itself DPI-aware, so the system draws nothing for
// it: every position and size is turned into screen pixels here, by the
// screen's pixels per inch / 96, and the fonts are made for the same
// resolution. At 96 pixels per inch both are the same.
#ifndef QVS_PLATFORM_SCREEN_SCALE_H
#define QVS_PLATFORM_SCREEN_SCALE_H

// The resolution the layout is written for.
static const int kLayoutDpi = 96;

// `value` x dpi / 96, rounded to the nearest pixel (halves away from zero,
// as MulDiv rounds). A dpi outside the sane range leaves the value as it is.
int ScaleForDpi(int value, int dpi);

// The screen's pixels per inch, read once (96 when it cannot be read).
int ScreenDpi();
// A length or position in layout pixels, in the screen's pixels.
int ToScreenPixels(int layoutPixels);

#endif
