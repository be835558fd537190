// Pixels of the screen as the user sees them, read through the desktop DC.
// Under Wine this is the only way to see another process's icon: icon
// handles and device contexts do not cross process boundaries there.
#ifndef QVS_TESTS_E2E_SCREEN_CAPTURE_H
#define QVS_TESTS_E2E_SCREEN_CAPTURE_H

#include <windows.h>

#include <string>
#include <vector>

// 32-bit BGRX pixels, top row first.
struct Pixels {
  int width;
  int height;
  std::vector<DWORD> data;
};

// Copies the screen rectangle `area` (screen coordinates). False when the
// desktop cannot be read.
bool CaptureScreen(const RECT &area, Pixels *out);

// Draws `icon` at width x height over a solid background colour.
bool RenderIcon(HICON icon, int width, int height, COLORREF background, Pixels *out);

// Writes the whole screen as a 24-bit BMP file. False when it cannot.
bool SaveScreenBmp(const std::string &path);

#endif
