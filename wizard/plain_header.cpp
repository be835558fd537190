#include "wizard/plain_header.h"

namespace {

const uint32_t kWhite = 0xFFFFFF;
const uint32_t kDarkGrey = 0x404040;
// Perceived brightness (0 to 255 000) above which a text needs a dark ground.
const uint32_t kLightText = 160 * 1000;
const int32_t kBold = 256;

}  // namespace

uint32_t PlainHeaderColour(uint32_t titleColour) {
  const uint32_t red = titleColour & 0xFF;
  const uint32_t green = (titleColour >> 8) & 0xFF;
  const uint32_t blue = (titleColour >> 16) & 0xFF;
  return red * 299 + green * 587 + blue * 114 > kLightText ? kDarkGrey : kWhite;
}

HeaderTextPlaces PlainHeaderPlaces(const HeaderTextPlaces &script) {
  if (script.titleX != script.textX || script.titleY != script.textY) return script;
  HeaderTextPlaces places = script;
  places.titleX = 15;
  places.titleY = 10;
  places.textX = 25;
  places.textY = 30;
  places.titleFlags = script.titleFlags | kBold;
  return places;
}
