#include "wizard/document_pages.h"

#include <vector>

#include "checks/web_address.h"
#include "platform/controls.h"
#include "platform/rich_text.h"
#include "script/language_strings.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/page_parts.h"
#include "wizard/wizard_state.h"

namespace {

// The text for the chosen language, else the default one (language id -1),
// else nothing.
std::string TextForLanguage(const std::vector<InfoText> &texts) {
  const int32_t chosen = Startup().languageId;
  for (const InfoText &text : texts)
    if (text.langId == chosen) return text.text;
  for (const InfoText &text : texts)
    if (text.langId == -1) return text.text;
  return std::string();
}

void AddDocument(HWND container, const std::vector<InfoText> &texts, int height, int id) {
  HWND document =
      CreateRichTextControl(container, 20, 125, 450, height, id, PageFontHandle(kFontNormal));
  SetRichTextContent(document, TextForLanguage(texts));
}

}  // namespace

void BuildLicensePage(HWND container) {
  AddPageHeader(container, kPageLicense);
  AddPageText(container, LangString(kStrLicenseIntro), 20, 75, 450, 40, kLicenseIntroId, kFontNormal);
  AddDocument(container, Payload().licenseTexts, 145, kLicenseTextId);
  CreateCheckBoxControl(container, LangString(kStrLicenseAccept).c_str(), 20, 280, 450, 15, kLicenseAcceptId,
                        PageFontHandle(kFontNormal));
}

void BuildInformationPage(HWND container) {
  AddPageHeader(container, kPageInformation);
  AddPageText(container, LangString(kStrInformationIntro), 20, 75, 450, 40, kInformationIntroId, kFontNormal);
  AddDocument(container, Payload().informationTexts, 170, kInformationTextId);
}

void FollowLicenseAcceptance() {
  SetControlEnabled(WizardControl(kNextButtonId), IsBoxChecked(WizardControl(kLicenseAcceptId)));
}

void OnDocumentLinkNotify(const NMHDR *header) {
  std::string address;
  if (ReadClickedLink(header, &address) && !address.empty()) OpenWebAddress(address);
}
