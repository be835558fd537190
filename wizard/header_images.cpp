#include "wizard/header_images.h"

#include "platform/drawing.h"
#include "platform/screen_scale.h"
#include "platform/text_fit.h"
#include "script/language_strings.h"
#include "engine/state/payload_state.h"
#include "script/string_ids.h"
#include "wizard/gradient_image.h"
#include "wizard/plain_header.h"
#include "wizard/text_shadow.h"

namespace {

const int kFirstHeaderPage = 1;
const int kLastHeaderPage = 9;

struct HeaderArt {
  FontHandle titleFont = NULL;
  FontHandle textFont = NULL;
  BitmapHandle images[kLastHeaderPage + 1] = {};
};

HeaderArt &Art() {
  static HeaderArt art;
  return art;
}

// Where a header text must end, in layout pixels: the window shows 490 of
// the header's 500 pixels, and header pictures carry their art at the
// right end.
const int kHeaderTextRight = 430;

struct HeaderRoom {
  DrawingTarget *target;
  int width;
};

bool FitsHeader(const std::string &candidate, void *context) {
  const HeaderRoom *room = (const HeaderRoom *)context;
  return DrawnTextWidth(room->target, candidate) <= room->width;
}

// A header text that would run off the picture is shortened with "...".
std::string FittedHeaderText(DrawingTarget *target, const std::string &text, int x) {
  HeaderRoom room = {target, ToScreenPixels(kHeaderTextRight) - x};
  return ShortenToFit(text, FitsHeader, &room);
}

void DrawHeaderTexts(const ScriptSettings &s, const HeaderTextPlaces &places, int page,
                     BitmapHandle image) {
  DrawingTarget target;
  if (!BeginDrawing(image, &target)) return;
  SelectDrawingFont(&target, Art().titleFont);
  int x = ToScreenPixels(places.titleX);
  DrawTextWithShadow(&target, x, ToScreenPixels(places.titleY),
                     FittedHeaderText(&target, LangString(kStrHeaderTitleBase + 2 * page), x),
                     (uint32_t)s.HeaderTitleTextColor, s.HeaderTitleTextShadow,
                     (uint32_t)s.HeaderTitleTextShadowColor);
  SelectDrawingFont(&target, Art().textFont);
  x = ToScreenPixels(places.textX);
  DrawTextWithShadow(&target, x, ToScreenPixels(places.textY),
                     FittedHeaderText(&target, LangString(kStrHeaderTitleBase + 1 + 2 * page), x),
                     (uint32_t)s.HeaderTextColor, s.HeaderTextShadow,
                     (uint32_t)s.HeaderTextShadowColor);
  EndDrawing(&target);
}

}  // namespace

void PrepareHeaderImages(const ScriptSettings &settings) {
  HeaderArt &art = Art();
  const bool plainHeaders = Payload().headerImage == NULL;
  HeaderTextPlaces places;
  places.titleX = settings.HeaderTitleTextPosX;
  places.titleY = settings.HeaderTitleTextPosY;
  places.textX = settings.HeaderTextPosX;
  places.textY = settings.HeaderTextPosY;
  places.titleFlags = settings.HeaderTitleTextFlags;
  // A picture may be drawn for the script's places; a plain header gets
  // readable ones when the script's would overlap.
  if (plainHeaders) places = PlainHeaderPlaces(places);
  art.titleFont = CreateStyledFont(settings.HeaderTitleTextFont, settings.HeaderTitleTextSize,
                                   places.titleFlags);
  art.textFont =
      CreateStyledFont(settings.HeaderTextFont, settings.HeaderTextSize, settings.HeaderTextFlags);
  const int width = ToScreenPixels(kHeaderWidth);
  const int height = ToScreenPixels(kHeaderHeight);
  const uint32_t plain = PlainHeaderColour((uint32_t)settings.HeaderTitleTextColor);
  for (int page = kFirstHeaderPage; page <= kLastHeaderPage; page++) {
    // Stretched before the texts are drawn, so that they stay sharp. The
    // header picture is optional: without it the texts go on a plain one.
    art.images[page] = plainHeaders
                           ? MakeGradientImage(width, height, plain, plain, kGradientVertical)
                           : StretchBitmap(Payload().headerImage, width, height);
    if (art.images[page] != NULL) DrawHeaderTexts(settings, places, page, art.images[page]);
  }
}

BitmapHandle HeaderImage(int page) {
  if (page < kFirstHeaderPage || page > kLastHeaderPage) return NULL;
  return Art().images[page];
}
