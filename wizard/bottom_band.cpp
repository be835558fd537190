#include "wizard/bottom_band.h"

#include "platform/controls.h"
#include "platform/screen_scale.h"
#include "platform/text_width.h"
#include "platform/ui_window.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "script/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/page_parts.h"
#include "wizard/wizard_state.h"

namespace {

const COLORREF kLinkHoverColour = RGB(128, 128, 128);

// The band text is as wide as its text, up to this (layout pixels), so that
// its line keeps a visible length; a longer text is shortened.
const int kWidestBandText = 440;
// The link, shown on the welcome page only, ends before the Next button.
const int kWidestLink = 290;

// The measured width of `text` in the control, at most `widest` layout
// pixels; in screen pixels.
int WidthUpTo(HWND control, const std::string &text, int widest) {
  int width = MeasureTextWidth(control, text);
  int most = ToScreenPixels(widest);
  return width < most ? width : most;
}

// The band text, when there is one, and the line that follows it.
void BuildBandText(HWND window, const ScriptSettings &settings) {
  if (TrimSpaces(settings.InstallerBandText).empty()) {
    CreateLineControl(window, 10, 310, 470, 5, kBandLineId);
    return;
  }
  HWND band = AddPageText(window, settings.InstallerBandText, 10, 303, 0, 14, kBandTextId,
                          kFontNormal);
  // Measured on the screen: the line's place follows in screen pixels too.
  int width = WidthUpTo(band, settings.InstallerBandText, kWidestBandText);
  PlaceControlInPixels(band, ToScreenPixels(10), ToScreenPixels(303), width,
                       ToScreenPixels(14));
  SetControlEnabled(band, false);
  HWND line = CreateLineControl(window, 0, 310, 0, 5, kBandLineId);
  PlaceControlInPixels(line, width + ToScreenPixels(20), ToScreenPixels(310),
                       ToScreenPixels(460) - width, ToScreenPixels(5));
}

void BuildWebsiteLink(HWND window, const ScriptSettings &settings) {
  if (settings.ShowWebsiteLink != 1) return;
  WizardState &wizard = Wizard();
  if (wizard.linkFont == NULL) wizard.linkFont = CreateUnderlinedFont(PageFontHandle(kFontNormal));
  HFONT font = wizard.linkFont != NULL ? wizard.linkFont : PageFontHandle(kFontNormal);
  HWND link = CreateLinkControl(window, settings.ProgramWebsite.c_str(), 5, 326, 0, 14,
                                kWebsiteLinkId, font);
  PlaceControlInPixels(link, ToScreenPixels(5), ToScreenPixels(326),
                       WidthUpTo(link, settings.ProgramWebsite, kWidestLink), ToScreenPixels(14));
}

}  // namespace

void BuildBottomBand(HWND window, const ScriptSettings &settings) {
  BuildBandText(window, settings);
  BuildWebsiteLink(window, settings);
  HFONT font = PageFontHandle(kFontNormal);
  CreateControl(window, kControlButton, LangString(kStrBack).c_str(), 220, 323, 85, 22, kBackButtonId,
                font);
  CreateControl(window, kControlDefaultButton, LangString(kStrNext).c_str(), 305, 323, 85, 22,
                kNextButtonId, font);
  CreateControl(window, kControlButton, LangString(kStrCancel).c_str(), 395, 323, 85, 22,
                kCancelButtonId, font);
  CreateControl(window, kControlDefaultButton, LangString(kStrFinish).c_str(), 395, 323, 85, 22,
                kFinishButtonId, font);
  CreateLineControl(window, 0, 310, 495, 5, kBottomLineId);
}

void FollowLinkHover() {
  HWND link = WizardControl(kWebsiteLinkId);
  if (link == NULL) return;
  bool hovered = WindowUnderCursor() == link;
  WizardState &wizard = Wizard();
  if (hovered == wizard.linkHovered) return;
  wizard.linkHovered = hovered;
  RedrawControl(link);
}

HBRUSH PaintWebsiteLink(HDC dc) {
  COLORREF colour = Wizard().linkHovered ? kLinkHoverColour : ButtonTextColour();
  return PaintStaticColours(dc, colour, ButtonFaceBrush());
}

bool SetLinkCursor(HWND window) {
  if (window == NULL || window != WizardControl(kWebsiteLinkId)) return false;
  ShowHandCursor();
  return true;
}
