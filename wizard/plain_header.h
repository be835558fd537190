// The page headers of a project without a Header.bmp: a plain picture of
// one colour, and where the title and subtitle go on it. Portable.
#ifndef QVS_WIZARD_PLAIN_HEADER_H
#define QVS_WIZARD_PLAIN_HEADER_H

#include <stdint.h>

// White, or dark grey when the script's title colour (0x00BBGGRR) is too
// light to read on white.
uint32_t PlainHeaderColour(uint32_t titleColour);

// Where the header texts are drawn, in layout pixels, and the title's
// style bits.
struct HeaderTextPlaces {
  int titleX = 0;
  int titleY = 0;
  int textX = 0;
  int textY = 0;
  int32_t titleFlags = 0;
};

// The script's places, unless title and subtitle share one (as when the
// script gives none, where both are 0): then the usual layout, the title
// at (15, 10) in bold and the subtitle below it at (25, 30).
HeaderTextPlaces PlainHeaderPlaces(const HeaderTextPlaces &script);

#endif
