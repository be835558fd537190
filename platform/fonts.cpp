#include "platform/fonts.h"

#include <windows.h>

FontHandle CreateInterfaceFont(const char *faceName, int points, int weight) {
  HDC screen = GetDC(NULL);
  int pixelsPerInch = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != NULL) ReleaseDC(NULL, screen);
  LOGFONTA font;
  ZeroMemory(&font, sizeof font);
  font.lfHeight = -MulDiv(points, pixelsPerInch, 72);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(font.lfFaceName, faceName != NULL ? faceName : "", LF_FACESIZE);
  return (FontHandle)CreateFontIndirectA(&font);
}

BrushHandle CreateSolidColourBrush(uint32_t colour) {
  return (BrushHandle)CreateSolidBrush((COLORREF)colour);
}
