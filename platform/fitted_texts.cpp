#include "platform/fitted_texts.h"

#include "platform/page_controls.h"
#include "platform/text_fit.h"
#include "platform/text_room.h"
#include "platform/tooltips.h"

namespace {

struct FitQuestion {
  HWND control;
  TextRoom room;
};

bool FitsControl(const std::string &candidate, void *context) {
  const FitQuestion *question = (const FitQuestion *)context;
  return TextFitsRoom(question->control, candidate, question->room);
}

FittedText *RecordOf(FittedTexts *fitted, HWND control) {
  for (FittedText &text : fitted->texts)
    if (text.control == control) return &text;
  return nullptr;
}

}  // namespace

void StartFittedTexts(FittedTexts *fitted, HWND window) {
  *fitted = FittedTexts();
  fitted->tooltips = CreateTooltipWindow(window);
}

void FitWindowTexts(FittedTexts *fitted, HWND window) {
  for (HWND control : ListChildControls(window))
    if (TextRoomOf(control).layout != kTextNotShown)
      ShowFittedText(fitted, control, ReadControlText(control));
}

void ShowFittedText(FittedTexts *fitted, HWND control, const std::string &text) {
  if (fitted == nullptr || control == NULL) return;
  FittedText *record = RecordOf(fitted, control);
  if (record != nullptr && record->full == text) return;
  if (record == nullptr) {
    fitted->texts.push_back(FittedText());
    record = &fitted->texts.back();
    record->control = control;
  }
  record->full = text;
  FitQuestion question = {control, TextRoomOf(control)};
  std::string shown = ShortenToFit(text, FitsControl, &question);
  SetControlTextIfChanged(control, shown);
  SetControlTooltip(fitted->tooltips, control, shown == text ? std::string() : text);
}
