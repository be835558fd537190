// The components page (page 3): install-type list 131, component tree 133
// with its four-state check icons, description 135 and required-space line
// 136; and the selection query the rest of the installer asks.
//
// Call order (main flow and wizard window):
//   1. after the wizard window and the page containers exist:
//      BuildComponentsPage(container of page 3, settings) -- always, also
//      when page 3 is left out of the sequence, because IsComponentSelected
//      and RequiredSpace come from the tree;
//   2. then BuildInstallFolderPage (install_folder_page.h), which reads the
//      principal folder this step found;
//   3. BuildPageSequence may then ask PrincipalPathEnforced();
//   4. PreparePage(3) calls ResetComponentTreeSelection();
//   5. the page-3 container (or whoever receives its children's messages)
//      hands WM_COMMAND from 131 to OnComponentsCommand and WM_NOTIFY from
//      133 to OnComponentTreeNotify; the event loop calls
//      UpdateDescription(-1) for every WM_MOUSEMOVE it takes from the queue,
//      whatever window it is for (the tree receives its own mouse moves).
// Everything runs on the interface thread, except IsComponentSelected,
// which the installation's workers may call once the wizard has left
// page 3 (the states no longer change then).
#ifndef QVS_WIZARD_COMPONENTS_PAGE_H
#define QVS_WIZARD_COMPONENTS_PAGE_H

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "script/script_settings.h"
#include "wizard/tree_states.h"

// Creates controls 128 to 136 in `container` (page-relative positions),
// fills the tree from `settings` in the chosen language with the preset
// states, selects install type 0, sets RequiredSpace (Payload()) to the
// selected components' size and line 136 from it, derives the categories'
// states and expands every row. `settings` must outlive the wizard. False
// when the tree control could not be made (the page is then empty and no
// component counts as selected).
bool BuildComponentsPage(HWND container, const ScriptSettings &settings);

// WM_COMMAND from the install-type list (131): CBN_SELCHANGE applies the
// chosen type. Other controls and codes are ignored.
void OnComponentsCommand(int controlId, int notifyCode);
// WM_NOTIFY from the tree (133): NM_CLICK re-derives the install type,
// RequiredSpace and line 136, and shows the clicked row's description; a
// selection moved by the keys shows the new row's description. (Space on
// the tree toggles the selected row as a click on its icon does.)
// Returns the value the window procedure should return (always 0).
LRESULT OnComponentTreeNotify(const NMHDR *header);

// PreparePage(3): the tree's selection goes to its first row, then to none.
void ResetComponentTreeSelection();

// Shows, in control 135, the description of the component of `row`, or of
// the row under the mouse pointer for -1 (only when the pointer is over the
// tree); language string 120 when there is no component there, 143 when
// the component has no description. Sets the text only when it changes,
// so hovering does not flicker.
void UpdateDescription(int row);

// 1 when the first component row carrying `componentId` is selected (state
// 0 or 3); 0 otherwise, also when no row carries it or the tree was never
// built.
int IsComponentSelected(int32_t componentId);
// The sum of the uncompressed sizes of the selected components' files.
uint64_t ComputeRequiredSpace();
// The install type shown in list 131: 0 default, 1 full, 2 custom.
int CurrentInstallType();

// The principal component's folder with path variables replaced (empty when
// there is no principal component), and its IsPathEnforced.
std::string PrincipalFolder();
bool PrincipalPathEnforced();

// The tree's rows in tree order, for the review page: level 0 category,
// level 1 component, states as in tree_states.h.
const std::vector<TreeRow> &ComponentTreeRows();

#endif
