#include "wizard/tree_states.h"

namespace {

bool IsSelectedState(int state) { return state == kRowLocked || state == kRowSelected; }

bool ValidRow(const TreeModel &model, int row) {
  return row >= 0 && (size_t)row < model.rows.size();
}

void SetState(TreeModel *model, int row, int state, std::vector<int> *changed) {
  model->rows[(size_t)row].state = state;
  if (changed != NULL) changed->push_back(row);
}

// A parent's state from how many of its `count` descendants are selected.
int StateForSelectedCount(int selected, int count) {
  return selected == 0 ? kRowUnselected : selected < count ? kRowPartial : kRowSelected;
}

// Derives `row`'s state from its descendants as a click does: none selected
// 1, some 2, all 3; a row whose descendants are all locked keeps its state.
void DeriveFromDescendants(TreeModel *model, int row, std::vector<int> *changed) {
  int count = CountDescendants(*model, row);
  if (count == 0) return;
  int selected = 0, locked = 0;
  for (int i = row + 1; i <= row + count; i++) {
    int state = model->rows[(size_t)i].state;
    if (IsSelectedState(state)) selected++;
    if (state == kRowLocked) locked++;
  }
  if (locked == count) return;
  SetState(model, row, StateForSelectedCount(selected, count), changed);
}

const PresetState *FindPreset(const TreeModel &model, int32_t componentId) {
  for (const PresetState &preset : model.presets)
    if (preset.componentId == componentId) return &preset;
  return NULL;
}

}  // namespace

std::string LocalizedFor(const std::vector<LocalizedText> &texts, int32_t langId) {
  for (const LocalizedText &entry : texts)
    if (entry.langId == langId) return entry.text;
  for (const LocalizedText &entry : texts)
    if (entry.langId == -1) return entry.text;
  return std::string();
}

int PresetStateOf(const Component &component) {
  int state = kRowUnselected;
  if (component.IsMarked == 1) state = kRowSelected;
  if (component.IsPrincipal == 1 || component.IsMandatory == 1) state = kRowLocked;
  return state;
}

TreeModel BuildTreeModel(const ScriptSettings &settings, int32_t langId,
                         const std::string &requiredSuffix) {
  TreeModel model;
  for (const Category &category : settings.categories) {
    TreeRow categoryRow;
    categoryRow.level = 0;
    categoryRow.itemData = category.ID;
    categoryRow.text = LocalizedFor(category.names, langId);
    model.rows.push_back(categoryRow);
    for (const Component &component : settings.components) {
      if (component.CategoryID != category.ID) continue;
      TreeRow row;
      row.level = 1;
      row.itemData = component.ID;
      row.text = LocalizedFor(component.names, langId);
      if (component.IsPrincipal == 1) {
        row.text += " " + requiredSuffix;
        model.hasPrincipal = true;
        model.principalPath = component.InstallationPath;
        model.principalPathEnforced = component.IsPathEnforced;
      }
      row.state = PresetStateOf(component);
      PresetState preset;
      preset.componentId = component.ID;
      preset.state = row.state;
      model.presets.push_back(preset);
      model.rows.push_back(row);
    }
  }
  return model;
}

int CountDescendants(const TreeModel &model, int row) {
  if (!ValidRow(model, row)) return 0;
  int level = model.rows[(size_t)row].level;
  int count = 0;
  for (size_t i = (size_t)row + 1; i < model.rows.size() && model.rows[i].level > level; i++)
    count++;
  return count;
}

int ParentRow(const TreeModel &model, int row) {
  if (!ValidRow(model, row)) return -1;
  int level = model.rows[(size_t)row].level;
  for (int i = row - 1; i >= 0; i--)
    if (model.rows[(size_t)i].level < level) return i;
  return -1;
}

int GetRowState(const TreeModel &model, int row) {
  return ValidRow(model, row) ? model.rows[(size_t)row].state : -1;
}

void ApplyIconClick(TreeModel *model, int row, std::vector<int> *changed) {
  if (model == NULL || !ValidRow(*model, row)) return;
  int state = model->rows[(size_t)row].state;
  // Locked rows never change, and neither do their descendants.
  if (state == kRowLocked) return;
  int newState = state == kRowSelected ? kRowUnselected : kRowSelected;
  SetState(model, row, newState, changed);

  int count = CountDescendants(*model, row);
  for (int i = row + 1; i <= row + count; i++)
    if (model->rows[(size_t)i].state != kRowLocked) SetState(model, i, newState, changed);
  if (newState == kRowUnselected) {
    // A row that keeps a locked descendant is only partly deselected.
    for (int i = row + 1; i <= row + count; i++) {
      if (model->rows[(size_t)i].state != kRowLocked) continue;
      for (int a = ParentRow(*model, i); a >= 0; a = ParentRow(*model, a))
        SetState(model, a, kRowPartial, changed);
    }
  }

  for (int a = ParentRow(*model, row); a >= 0; a = ParentRow(*model, a))
    if (model->rows[(size_t)a].state != kRowLocked) DeriveFromDescendants(model, a, changed);
}

void RefreshCategoryStates(TreeModel *model, std::vector<int> *changed) {
  if (model == NULL) return;
  for (size_t row = 0; row < model->rows.size(); row++) {
    if (model->rows[row].level != 0) continue;
    int count = CountDescendants(*model, (int)row);
    if (count == 0) continue;
    int selected = 0;
    for (size_t i = row + 1; i <= row + (size_t)count; i++)
      if (IsSelectedState(model->rows[i].state)) selected++;
    SetState(model, (int)row, StateForSelectedCount(selected, count), changed);
  }
}

int ClassifyInstallType(const TreeModel &model) {
  int differing = 0, notSelected = 0;
  for (const TreeRow &row : model.rows) {
    if (!IsSelectedState(row.state)) notSelected++;
    // Presets are component states; a category whose ID happens to equal a
    // component's is not compared with that component's preset.
    if (row.level != 1) continue;
    const PresetState *preset = FindPreset(model, row.itemData);
    if (preset != NULL && preset->state != row.state) differing++;
  }
  if (notSelected == 0) return kInstallTypeFull;
  if (differing == 0) return kInstallTypeDefault;
  return kInstallTypeCustom;
}

void ApplyInstallType(TreeModel *model, int installType, std::vector<int> *changed) {
  if (model == NULL) return;
  if (installType == kInstallTypeDefault) {
    for (size_t row = 0; row < model->rows.size(); row++) {
      if (model->rows[row].level != 1) continue;
      const PresetState *preset = FindPreset(*model, model->rows[row].itemData);
      if (preset != NULL) SetState(model, (int)row, preset->state, changed);
    }
  } else if (installType == kInstallTypeFull) {
    for (size_t row = 0; row < model->rows.size(); row++)
      if (model->rows[row].level == 1 && model->rows[row].state != kRowLocked)
        SetState(model, (int)row, kRowSelected, changed);
  } else {
    return;
  }
  RefreshCategoryStates(model, changed);
}

int IsComponentSelectedIn(const TreeModel &model, int32_t componentId) {
  for (const TreeRow &row : model.rows)
    if (row.level == 1 && row.itemData == componentId) return IsSelectedState(row.state) ? 1 : 0;
  return 0;
}

uint64_t ComputeRequiredSpaceFor(const TreeModel &model, const std::vector<ComponentSize> &sizes) {
  uint64_t total = 0;
  for (const TreeRow &row : model.rows) {
    if (row.level != 1 || !IsSelectedState(row.state)) continue;
    for (const ComponentSize &size : sizes) {
      if (size.componentId != row.itemData) continue;
      // Saturates instead of wrapping, so an absurd size can never look small.
      total = size.bytes > UINT64_MAX - total ? UINT64_MAX : total + size.bytes;
    }
  }
  return total;
}
