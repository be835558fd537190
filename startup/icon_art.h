// The pixels of the installer's built-in icons, drawn in code so that the
// stub carries no image files. Portable.
#ifndef QVS_STARTUP_ICON_ART_H
#define QVS_STARTUP_ICON_ART_H

#include <stdint.h>

#include <vector>

static const int kPageIconSide = 32;
static const int kStateIconSide = 16;

// Rows from the top; every colour 0x00BBGGRR.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The roles of the five page icons, in the order the wizard uses them.
enum PageIconRole {
  kPageIconPackage,
  kPageIconPackageList,
  kPageIconPackageDownArrow,
  kPageIconPackageCheck,
  kPageIconPackageComputer,
};

PixelImage DrawPageIcon(PageIconRole role);

// The component tree's item states: 0 a white box with a light-grey check,
// 1 an empty box, 2 a grey box with a grey check, 3 a white box with a
// green check. Uses few enough colours for a 256-colour bitmap.
PixelImage DrawStateIcon(int state);

#endif
