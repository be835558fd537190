#include "wizard/text_shadow.h"

void DrawTextWithShadow(DrawingTarget *target, int x, int y, const std::string &text,
                        uint32_t colour, int shadow, uint32_t shadowColour) {
  if (shadow == 1) DrawTextAt(target, x + 1, y + 1, text, shadowColour);
  DrawTextAt(target, x, y, text, colour);
}
