#include "wizard/install_folder_page.h"

#include "platform/files.h"
#include "platform/folder_picker.h"
#include "platform/page_controls.h"
#include "platform/ui_window.h"
#include "script/language_strings.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/components_page.h"
#include "wizard/control_ids.h"
#include "wizard/disk_space.h"
#include "wizard/install_folder_text.h"
#include "wizard/page_parts.h"

namespace {

struct InstallFolderPage {
  HWND field = NULL;
  HWND availableLine = NULL;
  HWND requiredLine = NULL;
};

InstallFolderPage &Page() {
  static InstallFolderPage page;
  return page;
}

// The drive whose free space the page shows: the folder field's, or the
// installer's own when the field names no existing drive.
std::string SpaceDrive() {
  std::string drive = DriveOfFolder(InstallFolderText());
  if (DriveExists(drive) == 1) return drive;
  std::string ownPath;
  if (!GetOwnExecutablePath(&ownPath)) return drive;
  return DriveOfFolder(ownPath);
}

void RefreshAvailableLine() {
  int64_t free = GetDiskSpace(SpaceDrive(), "f");
  ShowPageText(Page().availableLine, SpaceLineText(LangString(kStrAvailableSpace), free, 1,
                                                   LangString(kStrNotAvailable)));
}

void BrowseForFolder() {
  InstallFolderPage &page = Page();
  std::string chosen;
  if (!PickFolder(TopLevelWindowOf(page.field), LangString(kStrFolderPickerTitle), InstallFolderText(), &chosen))
    return;
  if (IsBlankFolderText(chosen)) return;
  SetControlText(page.field, WithTrailingBackslash(chosen));
  RefreshAvailableLine();
}

}  // namespace

bool BuildInstallFolderPage(HWND container) {
  InstallFolderPage &page = Page();
  HFONT font = (HFONT)Startup().fontNormal;
  const std::string notAvailable = LangString(kStrNotAvailable);
  bool ok = CreateBitmapControl(container, Startup().pageIcons[0], 15, 75, 32, 32,
                                kInstallFolderIconId) != NULL;
  ok &= CreateControl(container, kControlLabel, LangString(kStrInstallFolderIntro).c_str(), 60, 75, 420, 40,
                      kInstallFolderIntroId, font) != NULL;
  ok &= CreateFrameControl(container, LangString(kStrInstallFolderFrame).c_str(), 20, 125, 450, 50,
                           kInstallFolderFrameId, font) != NULL;
  page.field = CreateEditFieldControl(container, WithTrailingBackslash(PrincipalFolder()).c_str(),
                                      30, 145, 340, 20, kInstallFolderFieldId, font);
  ok &= CreateControl(container, kControlButton, LangString(kStrBrowse).c_str(), 375, 144, 85, 22,
                      kBrowseButtonId, font) != NULL;
  page.availableLine =
      CreateControl(container, kControlLabel,
                    ReplacePlaceholder(LangString(kStrAvailableSpace), "$P", notAvailable).c_str(), 20, 250, 470,
                    15, kAvailableSpaceId, font);
  page.requiredLine =
      CreateControl(container, kControlLabel,
                    ReplacePlaceholder(LangString(kStrRequiredSpace), "$P", notAvailable).c_str(), 20, 275, 470,
                    15, kFolderRequiredSpaceId, font);
  ok = ok && page.field != NULL && page.availableLine != NULL && page.requiredLine != NULL;
  RefreshSpaceLabels();
  return ok;
}

void OnInstallFolderCommand(int controlId, int notifyCode) {
  if (controlId == kInstallFolderFieldId && notifyCode == EN_CHANGE) {
    // A field being cleared or retyped keeps the last figures meanwhile.
    if (!IsBlankFolderText(InstallFolderText())) RefreshSpaceLabels();
  } else if (controlId == kBrowseButtonId && notifyCode == BN_CLICKED) {
    BrowseForFolder();
  }
}

void RefreshSpaceLabels() {
  InstallFolderPage &page = Page();
  if (page.field == NULL) return;
  RefreshAvailableLine();
  ShowPageText(page.requiredLine, SpaceLineText(LangString(kStrRequiredSpace),
                                                Payload().RequiredSpace, 1,
                                                LangString(kStrNotAvailable)));
}

std::string InstallFolderText() { return ReadControlText(Page().field); }
