#include "platform/drawing.h"

#include <windows.h>

bool BeginDrawing(BitmapHandle bitmap, DrawingTarget *target) {
  if (target == NULL) return false;
  *target = DrawingTarget();
  if (bitmap == NULL) return false;
  HDC context = CreateCompatibleDC(NULL);
  if (context == NULL) return false;
  HGDIOBJ previous = SelectObject(context, (HBITMAP)bitmap);
  if (previous == NULL || previous == HGDI_ERROR) {
    DeleteDC(context);
    return false;
  }
  SetBkMode(context, TRANSPARENT);
  target->context = context;
  target->previousBitmap = previous;
  return true;
}

void SelectDrawingFont(DrawingTarget *target, FontHandle font) {
  if (target == NULL || target->context == NULL || font == NULL) return;
  HGDIOBJ previous = SelectObject((HDC)target->context, (HFONT)font);
  if (target->previousFont == NULL && previous != NULL && previous != HGDI_ERROR)
    target->previousFont = previous;
}

void DrawTextAt(DrawingTarget *target, int x, int y, const std::string &text, uint32_t colour) {
  if (target == NULL || target->context == NULL) return;
  HDC context = (HDC)target->context;
  SetTextColor(context, (COLORREF)(colour & 0xFFFFFF));
  TextOutA(context, x, y, text.c_str(), (int)text.size());
}

int DrawnTextWidth(DrawingTarget *target, const std::string &text) {
  if (target == NULL || target->context == NULL) return 0;
  SIZE size = {0, 0};
  int count = text.size() > 0x7FFFFFF ? 0x7FFFFFF : (int)text.size();
  return GetTextExtentPoint32A((HDC)target->context, text.c_str(), count, &size) ? size.cx : 0;
}

void EndDrawing(DrawingTarget *target) {
  if (target == NULL || target->context == NULL) return;
  HDC context = (HDC)target->context;
  if (target->previousFont != NULL) SelectObject(context, (HGDIOBJ)target->previousFont);
  SelectObject(context, (HGDIOBJ)target->previousBitmap);
  DeleteDC(context);
  *target = DrawingTarget();
}

bool BitmapSize(BitmapHandle bitmap, int *width, int *height) {
  BITMAP info;
  if (bitmap == NULL || GetObjectA((HBITMAP)bitmap, sizeof info, &info) != (int)sizeof info)
    return false;
  if (width != NULL) *width = info.bmWidth;
  if (height != NULL) *height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return true;
}

BitmapHandle StretchBitmap(BitmapHandle source, int width, int height) {
  int sourceWidth = 0, sourceHeight = 0;
  if (width <= 0 || height <= 0 || !BitmapSize(source, &sourceWidth, &sourceHeight)) return NULL;
  HDC screen = GetDC(NULL);
  if (screen == NULL) return NULL;
  HBITMAP result = CreateCompatibleBitmap(screen, width, height);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  bool ok = false;
  if (result != NULL && from != NULL && to != NULL) {
    HGDIOBJ oldFrom = SelectObject(from, (HBITMAP)source);
    HGDIOBJ oldTo = SelectObject(to, result);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, NULL);
    ok = StretchBlt(to, 0, 0, width, height, from, 0, 0, sourceWidth, sourceHeight, SRCCOPY) != 0;
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  if (from != NULL) DeleteDC(from);
  if (to != NULL) DeleteDC(to);
  if (!ok && result != NULL) {
    DeleteObject(result);
    result = NULL;
  }
  return (BitmapHandle)result;
}

BitmapHandle CopyBitmap(BitmapHandle source) {
  int width = 0, height = 0;
  if (!BitmapSize(source, &width, &height)) return NULL;
  // A plain copy: the same size, so the stretch is a one-to-one copy.
  return StretchBitmap(source, width, height);
}

FontHandle CreateStyledFont(const std::string &faceName, int points, int32_t styleBits) {
  HDC screen = GetDC(NULL);
  int pixelsPerInch = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != NULL) ReleaseDC(NULL, screen);
  LOGFONTA font;
  ZeroMemory(&font, sizeof font);
  font.lfHeight = -MulDiv(points, pixelsPerInch, 72);
  font.lfWeight = (styleBits & kFontStyleBold) != 0 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (styleBits & kFontStyleItalic) != 0 ? TRUE : FALSE;
  font.lfUnderline = (styleBits & kFontStyleUnderline) != 0 ? TRUE : FALSE;
  font.lfStrikeOut = (styleBits & kFontStyleStrikeOut) != 0 ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = (styleBits & kFontStyleProof) != 0 ? PROOF_QUALITY : DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(font.lfFaceName, faceName.c_str(), LF_FACESIZE);
  return (FontHandle)CreateFontIndirectA(&font);
}

void DeleteFontHandle(FontHandle *font) {
  if (font == NULL || *font == NULL) return;
  DeleteObject((HFONT)*font);
  *font = NULL;
}
