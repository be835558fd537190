#include "checks/path_display.h"

#include "platform/text_width.h"
#include "script/path_rules.h"

namespace {

int ControlTextWidth(void *control, const std::string &text) {
  return MeasureTextWidth(static_cast<HWND>(control), text);
}

}  // namespace

std::string CompactPathForDisplay(HWND control, const std::string &path, int maxWidth) {
  return CompactPathForDisplay(path, maxWidth, ControlTextWidth, control);
}
