// The built-in icons have the sizes the wizard expects, differ by role, and
// the state icons fit a 256-colour bitmap.
#include <set>

#include "startup/icon_art.h"
#include "engine/state/startup_state.h"
#include "startup/builtin_icons.h"
#include "tests/stub/stub_check.h"

STUB_TEST(PageIconsAre32SquareAndDistinct) {
  std::vector<std::vector<uint32_t> > seen;
  for (int role = 0; role < 5; role++) {
    PixelImage image = DrawPageIcon((PageIconRole)role);
    CHECK(image.width == 32 && image.height == 32 && image.pixels.size() == 32u * 32u);
    for (const std::vector<uint32_t> &other : seen) CHECK(other != image.pixels);
    seen.push_back(image.pixels);
  }
}

STUB_TEST(StateIconsAre16SquareWithFewColours) {
  for (int state = 0; state < 4; state++) {
    PixelImage image = DrawStateIcon(state);
    CHECK(image.width == 16 && image.height == 16 && image.pixels.size() == 256u);
    std::set<uint32_t> colours(image.pixels.begin(), image.pixels.end());
    // White, the frame grey and at most one more for the fill or the check.
    CHECK(colours.size() <= 3);
  }
  // The empty box has no check mark: white and the frame colour only.
  PixelImage empty = DrawStateIcon(1);
  CHECK(std::set<uint32_t>(empty.pixels.begin(), empty.pixels.end()).size() == 2);
  // Selected rows carry a green check mark.
  PixelImage selected = DrawStateIcon(3);
  bool hasGreen = false;
  for (uint32_t pixel : selected.pixels) {
    uint32_t red = pixel & 0xFF, green = (pixel >> 8) & 0xFF, blue = (pixel >> 16) & 0xFF;
    hasGreen = hasGreen || (green > 0x80 && red < 0x60 && blue < 0x60);
  }
  CHECK(hasGreen);
}

STUB_TEST(IconsBecomeBitmaps) {
  StartupState state;
  LoadPageIcons(&state);
  LoadStateIcons(&state);
  for (int i = 0; i < kPageIconCount; i++) CHECK(state.pageIcons[i] != NULL);
  for (int i = 0; i < kStateIconCount; i++) CHECK(state.stateIcons[i] != NULL);
  for (int i = 0; i < kPageIconCount; i++) DeleteBitmapHandle(&state.pageIcons[i]);
  for (int i = 0; i < kStateIconCount; i++) DeleteBitmapHandle(&state.stateIcons[i]);
  CHECK(state.pageIcons[0] == NULL);
  DeleteBitmapHandle(&state.pageIcons[0]);  // safe twice
}
