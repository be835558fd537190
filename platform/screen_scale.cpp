#include "platform/screen_scale.h"

#include <windows.h>

namespace {

// Beyond these the value read is not a screen's resolution.
const int kLowestDpi = 48;
const int kHighestDpi = 960;

}  // namespace

int ScaleForDpi(int value, int dpi) {
  if (dpi < kLowestDpi || dpi > kHighestDpi || dpi == kLayoutDpi) return value;
  long long scaled = (long long)value * dpi;
  long long half = kLayoutDpi / 2;
  long long rounded = scaled >= 0 ? (scaled + half) / kLayoutDpi : -((-scaled + half) / kLayoutDpi);
  if (rounded > 0x7FFFFFFF) return 0x7FFFFFFF;
  if (rounded < -0x7FFFFFFF) return -0x7FFFFFFF;
  return (int)rounded;
}

int ScreenDpi() {
  // Read on the interface thread only, before the first window is made.
  static int dpi = 0;
  if (dpi != 0) return dpi;
  HDC screen = GetDC(NULL);
  int read = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != NULL) ReleaseDC(NULL, screen);
  dpi = read >= kLowestDpi && read <= kHighestDpi ? read : kLayoutDpi;
  return dpi;
}

int ToScreenPixels(int layoutPixels) { return ScaleForDpi(layoutPixels, ScreenDpi()); }
