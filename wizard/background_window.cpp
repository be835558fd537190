#include "wizard/background_window.h"

#include "checks/path_expansion.h"
#include "platform/drawing.h"
#include "platform/full_screen_window.h"
#include "platform/messages.h"
#include "platform/page_controls.h"
#include "script/language_strings.h"
#include "engine/state/exits.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/gradient_image.h"
#include "wizard/text_shadow.h"
#include "wizard/window_frame.h"

namespace {

const uint32_t kShadowGrey = 0x808080;
const int kBackgroundImageId = 1;

bool IsBlank(const std::string &text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

// The gradient, the stretched picture, or NULL for any other choice. Ends
// the installer when the picture is asked for but missing.
BitmapHandle MakeBackgroundImage(const ScriptSettings &s, int width, int height) {
  if (s.BKUseGradient == 1 && s.BKUsePicture == 0)
    return MakeGradientImage(width, height, (uint32_t)s.BKFirstColor, (uint32_t)s.BKSecondColor,
                             GradientDirectionFor(s.BKVertical, s.BKHorizontal));
  if (s.BKUseGradient == 0 && s.BKUsePicture == 1) {
    if (Payload().backgroundImage == NULL) {
      ShowMessage(NULL, LangString(kStrBackgroundCorrupt).c_str(), LangString(kStrErrorCaption).c_str(), kButtonsOk, kIconError);
      CleanExit();
    }
    return StretchBitmap(Payload().backgroundImage, width, height);
  }
  return NULL;
}

void DrawBackgroundTexts(const ScriptSettings &s, BitmapHandle image, int height) {
  std::string text = ReplacePathVariables(s.BKText);
  uint32_t colour = (uint32_t)s.BKTextColor;
  DrawingTarget target;
  // Blanks only draw nothing; leading blanks of a real text are kept.
  if (!IsBlank(text) && BeginDrawing(image, &target)) {
    SelectDrawingFont(&target, Startup().fontTitle);
    DrawTextWithShadow(&target, 10, 10, text, colour, 1, kShadowGrey);
    EndDrawing(&target);
  }
  if (s.BKShowCopyright == 1 && BeginDrawing(image, &target)) {
    SelectDrawingFont(&target, Startup().fontNormal);
    DrawTextWithShadow(&target, 10, height - 50, s.CopyrightString, colour, 1, kShadowGrey);
    EndDrawing(&target);
  }
}

}  // namespace

HWND OpenBackgroundWindow(const ScriptSettings &settings) {
  if (settings.LookInstallerType != 1) return NULL;
  int width = 0, height = 0;
  if (!PrimaryMonitorSize(&width, &height)) return NULL;
  BitmapHandle image = MakeBackgroundImage(settings, width, height);
  if (image != NULL) DrawBackgroundTexts(settings, image, height);
  HWND window =
      CreateFullScreenWindow(ReplacePathVariables(settings.InstallerWindowTitle).c_str(), width, height);
  if (window == NULL) {
    DeleteBitmapHandle(&image);
    return NULL;
  }
  SetCloseButtonEnabled(window, 0);
  SetMaximizeBoxEnabled(window, 0);
  // The image control shows the bitmap for as long as the window lives,
  // which is the rest of the run.
  FillWithBitmap(window, image, kBackgroundImageId);
  ShowMaximized(window);
  return window;
}
