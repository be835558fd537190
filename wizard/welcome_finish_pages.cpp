#include "wizard/welcome_finish_pages.h"

#include "format/image_boxes.h"
#include "platform/controls.h"
#include "platform/page_controls.h"
#include "script/language_strings.h"
#include "engine/state/payload_state.h"
#include "script/string_ids.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/installation_steps.h"
#include "wizard/page_parts.h"
#include "wizard/wizard_state.h"

namespace {

const int kFinishBoxX = 165;
const int kFinishBoxHeight = 15;

void AddWizardImage(HWND container, int id) {
  CreateBitmapControl(container, Payload().wizardImage, 0, 0, kWizardImageWidth, kWizardImageHeight,
                      id);
}

}  // namespace

void BuildWelcomePage(HWND container, const ScriptSettings &settings) {
  AddWizardImage(container, kWelcomeImageId);
  AddPageText(container, LangString(kStrWelcomeTitle), 160, 25, 322, 90, kWelcomeTitleId, kFontTitle);
  AddPageText(container, LangString(kStrWelcomeText), 160, 150, 325, 60, kWelcomeTextId, kFontNormal);
  if (settings.ShowCopyrightNotice == 1)
    AddPageText(container, settings.CopyrightString, 160, 250, 325, 55, kWelcomeNoticeId,
                kFontSmall);
}

void BuildFinishPage(HWND container, const ScriptSettings &settings) {
  AddWizardImage(container, kFinishImageId);
  AddPageText(container, LangString(kStrFinishTitle), 161, 25, 320, 70, kFinishTitleId, kFontTitle);
  std::vector<FinishBox> boxes = FinishBoxesToCreate(settings);
  for (const FinishBox &box : boxes) {
    HWND control = CreateCheckBoxControl(container, LangString(box.textIndex).c_str(), kFinishBoxX,
                                         box.y, box.width, kFinishBoxHeight, box.id,
                                         PageFontHandle(kFontNormal));
    SetBoxChecked(control, true);
  }
  Wizard().finishBoxes = boxes;
  AddPageText(container, LangString(kStrFinishText), 160, 255, 320, 50, kFinishTextId, kFontNormal);
}

void PrepareFinishPage(const ScriptSettings &settings) {
  // A rolled-back installation has already hidden every box.
  if (InstallationWasCancelled()) return;
  std::vector<FinishBox> placed =
      PlaceFinishBoxes(Wizard().finishBoxes, settings, IsComponentSelected);
  for (const FinishBox &box : placed) {
    if (box.id == kRestartCheckId) continue;
    HWND control = WizardControl(box.id);
    SetBoxChecked(control, box.shown);
    if (box.shown) MoveControl(control, kFinishBoxX, box.y, box.width, kFinishBoxHeight);
    SetControlVisible(control, box.shown);
  }
}

bool IsOnWhitePage(int controlId) {
  switch (controlId) {
    case kWelcomeTitleId:
    case kWelcomeTextId:
    case kWelcomeNoticeId:
    case kFinishTitleId:
    case kFinishTextId: return true;
    default: return controlId >= kFirstFinishCheckId && controlId <= kLastFinishCheckId;
  }
}
