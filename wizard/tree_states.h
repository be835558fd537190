// The component tree's model: one row per category (level 0) followed by
// its components (level 1), each with a check state, and the rules that
// move those states. Portable: the tree control only shows what this model
// holds (component_tree.h keeps the two in step).
//
// States: 0 selected and locked (principal or mandatory component), 1 not
// selected, 2 partly selected (a category with some selected components),
// 3 selected. A row counts as selected in state 0 or 3.
#ifndef QVS_WIZARD_TREE_STATES_H
#define QVS_WIZARD_TREE_STATES_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/script_settings.h"

enum RowState {
  kRowLocked = 0,
  kRowUnselected = 1,
  kRowPartial = 2,
  kRowSelected = 3,
};

enum InstallType {
  kInstallTypeDefault = 0,  // the preset selection
  kInstallTypeFull = 1,     // everything selected
  kInstallTypeCustom = 2,
};

struct TreeRow {
  int level = 0;        // 0 category, 1 component
  int32_t itemData = 0; // the category's or component's ID
  int state = kRowUnselected;
  std::string text;     // the name shown
};

// The state a component starts in, and that install type 0 restores.
struct PresetState {
  int32_t componentId = 0;
  int state = kRowUnselected;
};

struct TreeModel {
  std::vector<TreeRow> rows;
  std::vector<PresetState> presets;
  // The principal component's InstallationPath as the script writes it
  // (expand it with path variables before use), and its IsPathEnforced.
  // When several components are principal, the last one wins.
  bool hasPrincipal = false;
  std::string principalPath;
  int32_t principalPathEnforced = 0;
};

// The uncompressed bytes the payload holds for one component.
struct ComponentSize {
  int32_t componentId = 0;
  uint64_t bytes = 0;
};

// The entry of `texts` whose langId is `langId`, else the one with -1, else
// the empty text.
std::string LocalizedFor(const std::vector<LocalizedText> &texts, int32_t langId);

// The preset state of a component: 1, 3 when marked, 0 when principal or
// mandatory (0 wins over 3).
int PresetStateOf(const Component &component);

// Builds the rows and presets in script order: each category, then the
// components whose CategoryID is its ID. A principal component's name gets
// " " and `requiredSuffix` appended. Components of no category get no row.
// Every category starts in state 1: call RefreshCategoryStates afterwards.
TreeModel BuildTreeModel(const ScriptSettings &settings, int32_t langId,
                         const std::string &requiredSuffix);

// The number of rows after `row` with a greater level, up to the first that
// is not deeper. 0 for a row outside the model.
int CountDescendants(const TreeModel &model, int row);
// The nearest earlier row with a smaller level, or -1.
int ParentRow(const TreeModel &model, int row);
// The state of `row`, or -1 when there is no such row.
int GetRowState(const TreeModel &model, int row);

// A click on the check icon of `row`: toggles it (locked rows never change),
// carries the new state to its descendants that are not locked, shows the
// categories that keep a locked component as partly selected, and derives
// the ancestors' states. Appends to `changed` (may be NULL) every row whose
// state it set, so the caller can redraw their icons.
void ApplyIconClick(TreeModel *model, int row, std::vector<int> *changed);

// Derives every category's state from its components: all selected 3, none
// 1, some 2. Categories without components keep their state.
void RefreshCategoryStates(TreeModel *model, std::vector<int> *changed);

// The install type the current states amount to: 1 when no row is
// unselected or partly selected; else 0 when every row with a preset has
// its preset state; else 2.
int ClassifyInstallType(const TreeModel &model);

// Applies an install type chosen in the list: 0 restores the presets, 1
// selects every component that is not locked, 2 changes nothing; then, for
// 0 and 1, RefreshCategoryStates.
void ApplyInstallType(TreeModel *model, int installType, std::vector<int> *changed);

// 1 when the first component row (level 1) carrying `componentId` is in
// state 0 or 3; 0 otherwise, also when no row carries it.
int IsComponentSelectedIn(const TreeModel &model, int32_t componentId);

// The sum of the payload sizes of the component of every selected component
// row, saturating at the largest value instead of wrapping.
uint64_t ComputeRequiredSpaceFor(const TreeModel &model, const std::vector<ComponentSize> &sizes);

#endif
