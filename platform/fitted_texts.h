// Texts that fit their controls: a text that would be clipped is shown
// shortened with "..." (text_fit.h), and a tooltip gives it whole. Used
// for the wizard's titles, intro texts, labels, boxes and buttons, the band
// text and the link, and for the replace question's lines.
//
// Call order, per window: StartFittedTexts once the window exists; then
// FitWindowTexts once its controls are built; ShowFittedText for every text
// set later. The record lives as long as the window. Interface thread only.
#ifndef QVS_PLATFORM_FITTED_TEXTS_H
#define QVS_PLATFORM_FITTED_TEXTS_H

#include <windows.h>

#include <string>
#include <vector>

struct FittedText {
  HWND control = NULL;
  std::string full;  // the whole text last given to the control
};

// One window's tooltip and the whole texts of its controls.
struct FittedTexts {
  HWND tooltips = NULL;
  std::vector<FittedText> texts;
};

// Starts the record for the controls of `window` (its tooltip window).
void StartFittedTexts(FittedTexts *fitted, HWND window);

// Every control below `window` that shows a label shows its present text
// fitted.
void FitWindowTexts(FittedTexts *fitted, HWND window);

// Shows `text` in `control`, shortened when it does not fit, with the whole
// text as the control's tooltip then. Nothing changes when the control was
// last given this text, so that repeated calls do not flicker.
void ShowFittedText(FittedTexts *fitted, HWND control, const std::string &text);

#endif
