// Fonts and brushes for the installer's windows.
#ifndef QVS_PLATFORM_FONTS_H
#define QVS_PLATFORM_FONTS_H

#include <stdint.h>

typedef void *FontHandle;
typedef void *BrushHandle;

// A proof-quality font of `faceName` whose height in logical units is
// -(points x vertical pixels per inch / 72), rounded as MulDiv rounds.
// NULL on failure.
FontHandle CreateInterfaceFont(const char *faceName, int points, int weight);
// A solid brush; `colour` is 0x00BBGGRR (red in the low byte).
BrushHandle CreateSolidColourBrush(uint32_t colour);

#endif
