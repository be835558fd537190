#include "wizard/header_images.h"

#include "platform/drawing.h"
#include "script/language_strings.h"
#include "engine/payload_state.h"
#include "script/string_ids.h"
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

void DrawHeaderTexts(const ScriptSettings &s, int page, BitmapHandle image) {
  DrawingTarget target;
  if (!BeginDrawing(image, &target)) return;
  SelectDrawingFont(&target, Art().titleFont);
  DrawTextWithShadow(&target, s.HeaderTitleTextPosX, s.HeaderTitleTextPosY,
                     LangString(kStrHeaderTitleBase + 2 * page), (uint32_t)s.HeaderTitleTextColor,
                     s.HeaderTitleTextShadow, (uint32_t)s.HeaderTitleTextShadowColor);
  SelectDrawingFont(&target, Art().textFont);
  DrawTextWithShadow(&target, s.HeaderTextPosX, s.HeaderTextPosY, LangString(kStrHeaderTitleBase + 1 + 2 * page),
                     (uint32_t)s.HeaderTextColor, s.HeaderTextShadow,
                     (uint32_t)s.HeaderTextShadowColor);
  EndDrawing(&target);
}

}  // namespace

void PrepareHeaderImages(const ScriptSettings &settings) {
  HeaderArt &art = Art();
  art.titleFont = CreateStyledFont(settings.HeaderTitleTextFont, settings.HeaderTitleTextSize,
                                   settings.HeaderTitleTextFlags);
  art.textFont =
      CreateStyledFont(settings.HeaderTextFont, settings.HeaderTextSize, settings.HeaderTextFlags);
  for (int page = kFirstHeaderPage; page <= kLastHeaderPage; page++) {
    art.images[page] = CopyBitmap(Payload().headerImage);
    if (art.images[page] != NULL) DrawHeaderTexts(settings, page, art.images[page]);
  }
}

BitmapHandle HeaderImage(int page) {
  if (page < kFirstHeaderPage || page > kLastHeaderPage) return NULL;
  return Art().images[page];
}
