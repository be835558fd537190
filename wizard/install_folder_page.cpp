#include "wizard/install_folder_page.h"

#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/folder_picker.h"
#include "platform/page_controls.h"
#include "platform/ui_window.h"
#include "script/ansi_text.h"
#include "script/language_strings.h"
#include "checks/path_expansion.h"
#include "engine/install_plan.h"
#include "engine/installer_script.h"
#include "engine/payload_state.h"
#include "engine/startup_state.h"
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

// A drive ("C:\") or a share ("\\server"): not below the install folder.
bool IsRootedFolder(const std::string &folder) {
  return (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') ||
         (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\');
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

bool InstallFolderFitsPathLimit(const std::string &folder) {
  const std::string base = WithTrailingBackslash(folder);
  // The components' folders as the installation will resolve them: the
  // principal component's is the install folder, and a component variable
  // such as <ProductDir> already names the folder of the component it
  // belongs to when a later component's path uses it.
  std::vector<std::pair<std::string, std::string>> resolved;
  std::vector<std::string> files;
  for (const Component &component : InstallerScript().settings.components) {
    std::string where = base;
    if (component.IsPrincipal != 1) {
      where = component.InstallationPath;
      for (const auto &variable : resolved)
        where = ReplaceIgnoringCase(where, variable.first, variable.second);
      where = ReplacePathVariables(where);
      if (!IsRootedFolder(where)) where = base + where;
    }
    where = WithTrailingBackslash(where);
    const std::string token = TrimSpaces(component.PathVariable);
    if (!token.empty()) resolved.push_back({token, where.substr(0, where.size() - 1)});
    // A folder of its own elsewhere does not depend on the one typed here.
    std::string below;
    if (IsComponentSelected(component.ID) == 0 || !IsBelowFolder(base, where, &below)) continue;
    for (const ComponentFileGroup &group : Payload().componentFiles) {
      if (group.componentId != component.ID) continue;
      for (const ProductFile &file : group.files) {
        int32_t id = 0;
        std::string relative;
        if (ParseEntryComponentId(file.entryName, &id, &relative)) files.push_back(below + relative);
      }
    }
  }
  return FitsWindowsPathLimit(folder, files);
}
