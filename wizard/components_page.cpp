#include "wizard/components_page.h"

#include "checks/path_expansion.h"
#include "platform/page_controls.h"
#include "platform/tree_view.h"
#include "platform/ui_window.h"
#include "script/language_strings.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "script/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/install_folder_text.h"
#include "wizard/page_parts.h"
#include "wizard/tree_states.h"

namespace {

// The page's controls and the tree's model, kept for the whole run; the
// tree's rows and `handles` run in step with `model.rows`.
struct ComponentsPage {
  const ScriptSettings *settings = NULL;
  HWND typeList = NULL;
  HWND tree = NULL;
  HWND description = NULL;
  HWND requiredLine = NULL;
  WNDPROC previousTreeProcedure = NULL;
  int stateImages[kStateIconCount] = {-1, -1, -1, -1};
  TreeModel model;
  std::vector<TreeRowHandle> handles;
  std::string principalFolder;
};

ComponentsPage &Page() {
  static ComponentsPage page;
  return page;
}

int RowOfHandle(TreeRowHandle handle) {
  const ComponentsPage &page = Page();
  for (size_t i = 0; i < page.handles.size(); i++)
    if (page.handles[i] == handle && handle != NULL) return (int)i;
  return -1;
}

// Shows the recorded state of each listed row as its icon.
void ShowRowStates(const std::vector<int> &rows) {
  ComponentsPage &page = Page();
  for (int row : rows) {
    if (row < 0 || (size_t)row >= page.handles.size()) continue;
    int state = page.model.rows[(size_t)row].state;
    if (state >= 0 && state < kStateIconCount)
      SetTreeRowImage(page.tree, page.handles[(size_t)row], page.stateImages[state]);
  }
}

std::vector<ComponentSize> PayloadComponentSizes() {
  std::vector<ComponentSize> sizes;
  for (const ComponentFileGroup &group : Payload().componentFiles) {
    ComponentSize size;
    size.componentId = group.componentId;
    for (const ProductFile &file : group.files) {
      // A size the module could not tell (negative) counts as nothing.
      uint64_t bytes = file.uncompressedSize > 0 ? (uint64_t)file.uncompressedSize : 0;
      size.bytes = bytes > UINT64_MAX - size.bytes ? UINT64_MAX : size.bytes + bytes;
    }
    sizes.push_back(size);
  }
  return sizes;
}

// RequiredSpace follows the selection; line 136 shows it.
void UpdateRequiredSpace() {
  uint64_t bytes = ComputeRequiredSpace();
  Payload().RequiredSpace = bytes > (uint64_t)INT64_MAX ? INT64_MAX : (int64_t)bytes;
  ShowPageText(Page().requiredLine, SpaceLineText(LangString(kStrRequiredSpace),
                                                 Payload().RequiredSpace, 2,
                                                 LangString(kStrNotAvailable)));
}

// The install type and the required space follow the rows' states.
void FollowSelection() {
  SelectListEntry(Page().typeList, ClassifyInstallType(Page().model));
  UpdateRequiredSpace();
}

// Space on the tree: the selected row toggles as a click on its icon
// toggles it.
void ToggleSelectedRow() {
  ComponentsPage &page = Page();
  int row = RowOfHandle(SelectedTreeRow(page.tree));
  if (row < 0) return;
  std::vector<int> changed;
  ApplyIconClick(&page.model, row, &changed);
  ShowRowStates(changed);
  FollowSelection();
}

// The tree's own procedure, replaced: a press on a row's check icon toggles
// the row before the tree selects it as usual. Two quick presses on an icon
// arrive as a press and a double-click: the second toggles again and is kept
// from the tree, which would otherwise fold or unfold the category. Space
// toggles the selected row; its character is kept from the tree's search.
LRESULT CALLBACK TreeClickProcedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
  ComponentsPage &page = Page();
  if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    ToggleSelectedRow();
    return 0;
  }
  if (message == WM_CHAR && wParam == ' ') return 0;
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    TreeHitPart part = kTreeHitNothing;
    TreeRowHandle handle =
        HitTestTree(tree, (short)LOWORD(lParam), (short)HIWORD(lParam), &part);
    int row = RowOfHandle(handle);
    if (part == kTreeHitIcon && row >= 0) {
      std::vector<int> changed;
      ApplyIconClick(&page.model, row, &changed);
      ShowRowStates(changed);
      if (message == WM_LBUTTONDBLCLK) {
        // The tree sends no click notice for the swallowed message.
        FollowSelection();
        return 0;
      }
    }
  }
  return CallPreviousProcedure(page.previousTreeProcedure, tree, message, wParam, lParam);
}

bool FillTree() {
  ComponentsPage &page = Page();
  TreeRowHandle category = NULL;
  for (const TreeRow &row : page.model.rows) {
    TreeRowHandle parent = row.level == 0 ? NULL : category;
    int image = row.state >= 0 && row.state < kStateIconCount ? page.stateImages[row.state] : -1;
    TreeRowHandle handle = AppendTreeRow(page.tree, parent, row.text, row.itemData, image);
    if (handle == NULL) return false;
    if (row.level == 0) category = handle;
    page.handles.push_back(handle);
  }
  return true;
}

HWND Label(HWND container, int textIndex, int x, int y, int width, int height, int id) {
  return CreateControl(container, kControlLabel, LangString(textIndex).c_str(), x, y, width,
                       height, id, (HFONT)Startup().fontNormal);
}

}  // namespace

bool BuildComponentsPage(HWND container, const ScriptSettings &settings) {
  ComponentsPage &page = Page();
  HFONT font = (HFONT)Startup().fontNormal;
  page.settings = &settings;
  CreateBitmapControl(container, Startup().pageIcons[3], 15, 75, 32, 32, kComponentsIconId);
  Label(container, kStrComponentsIntro, 60, 75, 420, 40, kComponentsIntroId);
  Label(container, kStrInstallTypeLabel, 20, 125, 140, 15, kInstallTypeLabelId);
  page.typeList = CreateControl(container, kControlDropDownList, "", 165, 122, 305, 20,
                                kInstallTypeListId, font);
  for (int index = kStrInstallTypeDefault; index <= kStrInstallTypeCustom; index++) AddListEntry(page.typeList, LangString(index));
  SelectListEntry(page.typeList, kInstallTypeDefault);
  Label(container, kStrComponentsLabel, 19, 150, 140, 105, kComponentsLabelId);
  page.tree = CreateTreeControl(container, 165, 150, 305, 80, kComponentTreeId, font);
  CreateFrameControl(container, LangString(kStrDescriptionFrame).c_str(), 165, 235, 305, 60, kDescriptionFrameId,
                     font);
  page.description = Label(container, kStrDescriptionHint, 175, 255, 285, 30, kDescriptionTextId);
  page.requiredLine = Label(container, kStrRequiredSpace, 20, 260, 140, 35, kComponentsRequiredSpaceId);

  page.model = BuildTreeModel(settings, Startup().languageId, LangString(kStrRequired));
  page.principalFolder =
      page.model.hasPrincipal ? ReplacePathVariables(page.model.principalPath) : std::string();
  if (page.tree == NULL) {
    // No tree, no selection: nothing counts as selected.
    page.model.rows.clear();
    UpdateRequiredSpace();
    return false;
  }
  SetTreeImages(page.tree, Startup().stateIcons, kStateIconCount, page.stateImages);
  page.previousTreeProcedure = ReplaceWindowProcedure(page.tree, TreeClickProcedure);
  bool filled = FillTree();
  if (!filled) page.model.rows.resize(page.handles.size());
  UpdateRequiredSpace();
  std::vector<int> changed;
  RefreshCategoryStates(&page.model, &changed);
  ShowRowStates(changed);
  for (TreeRowHandle handle : page.handles) ExpandTreeRow(page.tree, handle);
  return filled;
}

void OnComponentsCommand(int controlId, int notifyCode) {
  if (controlId != kInstallTypeListId || notifyCode != CBN_SELCHANGE) return;
  ComponentsPage &page = Page();
  std::vector<int> changed;
  ApplyInstallType(&page.model, SelectedListEntry(page.typeList), &changed);
  ShowRowStates(changed);
  UpdateRequiredSpace();
}

LRESULT OnComponentTreeNotify(const NMHDR *header) {
  if (header == NULL || header->idFrom != (UINT_PTR)kComponentTreeId) return 0;
  ComponentsPage &page = Page();
  TreeRowHandle selected = NULL;
  bool byKeyboard = false;
  // The arrows move the selection: its row's description shows, as the
  // mouse would show it.
  if (ReadTreeSelectionChange(header, &selected, &byKeyboard)) {
    if (byKeyboard) UpdateDescription(RowOfHandle(selected));
    return 0;
  }
  if (header->code != NM_CLICK) return 0;
  FollowSelection();
  // The tree tells of the click before it moves its selection, so the row
  // clicked is the one that is about to be selected.
  TreeRowHandle clicked = TreeRowAtLastMessage(page.tree);
  UpdateDescription(RowOfHandle(clicked != NULL ? clicked : SelectedTreeRow(page.tree)));
  return 0;
}

void ResetComponentTreeSelection() {
  ComponentsPage &page = Page();
  if (page.tree == NULL) return;
  if (!page.handles.empty()) SelectTreeRow(page.tree, page.handles[0]);
  SelectTreeRow(page.tree, NULL);
}

void UpdateDescription(int row) {
  ComponentsPage &page = Page();
  if (page.description == NULL || page.settings == NULL) return;
  if (row == -1) row = RowOfHandle(TreeRowUnderCursor(page.tree));
  std::string text = LangString(kStrDescriptionHint);
  if (row >= 0 && (size_t)row < page.model.rows.size() && page.model.rows[(size_t)row].level == 1) {
    int32_t id = page.model.rows[(size_t)row].itemData;
    for (const Component &component : page.settings->components) {
      if (component.ID != id) continue;
      text = LocalizedFor(component.descriptions, Startup().languageId);
      if (text.empty()) text = LangString(kStrNoDescription);
      break;
    }
  }
  ShowPageText(page.description, text);
}

int IsComponentSelected(int32_t componentId) {
  return IsComponentSelectedIn(Page().model, componentId);
}

uint64_t ComputeRequiredSpace() {
  return ComputeRequiredSpaceFor(Page().model, PayloadComponentSizes());
}

int CurrentInstallType() {
  int type = SelectedListEntry(Page().typeList);
  return type < 0 ? kInstallTypeDefault : type;
}

std::string PrincipalFolder() { return Page().principalFolder; }

bool PrincipalPathEnforced() {
  return Page().model.hasPrincipal && Page().model.principalPathEnforced != 0;
}

const std::vector<TreeRow> &ComponentTreeRows() { return Page().model.rows; }
