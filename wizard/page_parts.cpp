#include "wizard/page_parts.h"

#include "platform/controls.h"
#include "platform/fitted_texts.h"
#include "platform/page_controls.h"
#include "platform/ui_window.h"
#include "engine/state/startup_state.h"
#include "wizard/control_ids.h"
#include "wizard/header_images.h"
#include "wizard/wizard_state.h"

HFONT PageFontHandle(PageFont font) {
  const StartupState &startup = Startup();
  switch (font) {
    case kFontTitle: return (HFONT)startup.fontTitle;
    case kFontSmall: return (HFONT)startup.fontSmall;
    default: return (HFONT)startup.fontNormal;
  }
}

HWND AddPageText(HWND container, const std::string &text, int x, int y, int width, int height,
                 int id, PageFont font) {
  return CreateControl(container, kControlLabel, text.c_str(), x, y, width, height, id,
                       PageFontHandle(font));
}

void ShowPageText(HWND control, const std::string &text) {
  ShowFittedText(&Wizard().texts, control, text);
}

void AddPageHeader(HWND container, int page) {
  CreateBitmapControl(container, HeaderImage(page), 0, 0, kHeaderWidth, kHeaderHeight,
                      PageHeaderImageId(page));
  CreateLineControl(container, 0, 60, 495, 5, PageHeaderLineId(page));
}

void AddPageIcon(HWND container, int index, int x, int y, int id) {
  if (index < 0 || index >= kPageIconCount) return;
  CreateBitmapControl(container, Startup().pageIcons[index], x, y, 32, 32, id);
}
