// Text with a drop shadow, drawn on a bitmap being drawn on.
#ifndef QVS_WIZARD_TEXT_SHADOW_H
#define QVS_WIZARD_TEXT_SHADOW_H

#include <stdint.h>

#include <string>

#include "platform/drawing.h"

// Draws `text` at (x, y) in `colour` with the target's current font, in
// transparent mode; when `shadow` is 1, first the same text in
// `shadowColour` one pixel right and down.
void DrawTextWithShadow(DrawingTarget *target, int x, int y, const std::string &text,
                        uint32_t colour, int shadow, uint32_t shadowColour);

#endif
