#include "startup/builtin_icons.h"

#include "platform/images.h"
#include "startup/icon_art.h"

void LoadPageIcons(StartupState *state) {
  for (int i = 0; i < kPageIconCount; i++) {
    PixelImage image = DrawPageIcon((PageIconRole)i);
    state->pageIcons[i] = CreateBitmapFromPixels(image.width, image.height, 24, image.pixels.data());
  }
}

void LoadStateIcons(StartupState *state) {
  for (int i = 0; i < kStateIconCount; i++) {
    PixelImage image = DrawStateIcon(i);
    state->stateIcons[i] = CreateBitmapFromPixels(image.width, image.height, 8, image.pixels.data());
  }
}
