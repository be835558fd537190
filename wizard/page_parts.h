// The parts the wizard's pages share: texts in the interface fonts, the
// header of pages 1 to 9 and the page icons.
#ifndef QVS_WIZARD_PAGE_PARTS_H
#define QVS_WIZARD_PAGE_PARTS_H

#include <windows.h>

#include <string>

// The three interface fonts of the pages.
enum PageFont { kFontNormal, kFontTitle, kFontSmall };
HFONT PageFontHandle(PageFont font);

// A static text. NULL on failure.
HWND AddPageText(HWND container, const std::string &text, int x, int y, int width, int height,
                 int id, PageFont font);
// Sets a control's text fitted to it: shortened with "..." and given whole
// in a tooltip when it would be clipped (platform/fitted_texts.h).
void ShowPageText(HWND control, const std::string &text);
// The header image of `page` at 0, 0 (500 x 60) and the line under it.
void AddPageHeader(HWND container, int page);
// Page icon `index` (0 to 4) of the start-up icons at x, y (32 x 32).
void AddPageIcon(HWND container, int index, int x, int y, int id);

#endif
