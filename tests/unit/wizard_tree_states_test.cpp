#include <gtest/gtest.h>

#include "wizard/tree_states.h"

namespace {

Category MakeCategory(int32_t id, const char *name) {
  Category category;
  category.ID = id;
  LocalizedText text;
  text.langId = -1;
  text.text = name;
  category.names.push_back(text);
  return category;
}

Component MakeComponent(int32_t id, int32_t categoryId, const char *name, int principal = 0,
                        int mandatory = 0, int marked = 0) {
  Component component;
  component.ID = id;
  component.CategoryID = categoryId;
  LocalizedText text;
  text.langId = -1;
  text.text = name;
  component.names.push_back(text);
  component.IsPrincipal = principal;
  component.IsMandatory = mandatory;
  component.IsMarked = marked;
  return component;
}

std::vector<int> States(const TreeModel &model) {
  std::vector<int> states;
  for (const TreeRow &row : model.rows) states.push_back(row.state);
  return states;
}

// Rows: 0 "Program" {1 Core (principal), 2 Help (marked)},
//       3 "Extras"  {4 Samples, 5 Drivers (mandatory)}, 6 "Empty" {}.
ScriptSettings DemoSettings() {
  ScriptSettings settings;
  settings.categories.push_back(MakeCategory(10, "Program"));
  settings.categories.push_back(MakeCategory(20, "Extras"));
  settings.categories.push_back(MakeCategory(30, "Empty"));
  settings.components.push_back(MakeComponent(1, 10, "Core", 1));
  settings.components.push_back(MakeComponent(4, 20, "Samples"));
  settings.components.push_back(MakeComponent(2, 10, "Help", 0, 0, 1));
  settings.components.push_back(MakeComponent(5, 20, "Drivers", 0, 1, 1));
  settings.components.push_back(MakeComponent(6, 99, "Orphan", 0, 0, 1));
  settings.components.back().InstallationPath = "<orphan>";
  settings.components[0].InstallationPath = "<programfiles>\\Demo";
  settings.components[0].IsPathEnforced = 1;
  return settings;
}

TreeModel BuiltDemo() {
  TreeModel model = BuildTreeModel(DemoSettings(), 1033, "(required)");
  RefreshCategoryStates(&model, NULL);
  return model;
}

}  // namespace

TEST(WizardTreeModel, RowsPresetsNamesAndPrincipal) {
  ScriptSettings settings = DemoSettings();
  LocalizedText german;
  german.langId = 1031;
  german.text = "Hilfe";
  settings.components[2].names.push_back(german);
  TreeModel model = BuildTreeModel(settings, 1031, "(required)");
  ASSERT_EQ(7u, model.rows.size());
  const char *texts[] = {"Program", "Core (required)", "Hilfe", "Extras", "Samples", "Drivers", "Empty"};
  const int levels[] = {0, 1, 1, 0, 1, 1, 0};
  const int32_t data[] = {10, 1, 2, 20, 4, 5, 30};
  for (size_t i = 0; i < 7; i++) {
    EXPECT_EQ(texts[i], model.rows[i].text) << i;
    EXPECT_EQ(levels[i], model.rows[i].level) << i;
    EXPECT_EQ(data[i], model.rows[i].itemData) << i;
  }
  // Mandatory wins over marked; the orphan component has neither row nor preset.
  EXPECT_EQ((std::vector<int>{1, 0, 3, 1, 1, 0, 1}), States(model));
  EXPECT_EQ(4u, model.presets.size());
  EXPECT_TRUE(model.hasPrincipal);
  EXPECT_EQ("<programfiles>\\Demo", model.principalPath);
  EXPECT_EQ(1, model.principalPathEnforced);
  RefreshCategoryStates(&model, NULL);
  // "Extras" keeps a mandatory component: partly selected; "Empty" stays empty.
  EXPECT_EQ((std::vector<int>{3, 0, 3, 2, 1, 0, 1}), States(model));
}

TEST(WizardTreeModel, LocalizedTextFallsBackToTheDefaultThenEmpty) {
  std::vector<LocalizedText> texts(2);
  texts[0].langId = -1;
  texts[0].text = "Any";
  texts[1].langId = 1036;
  texts[1].text = "Francais";
  EXPECT_EQ("Francais", LocalizedFor(texts, 1036));
  EXPECT_EQ("Any", LocalizedFor(texts, 1033));
  texts.erase(texts.begin());
  EXPECT_EQ("", LocalizedFor(texts, 1033));
}

TEST(WizardTreeModel, LastPrincipalWinsAndMissingIsEmpty) {
  ScriptSettings settings = DemoSettings();
  settings.components[1].IsPrincipal = 1;
  settings.components[1].InstallationPath = "C:\\Samples";
  TreeModel model = BuildTreeModel(settings, 1033, "(required)");
  EXPECT_EQ("C:\\Samples", model.principalPath);
  EXPECT_EQ(0, model.principalPathEnforced);
  settings.components[0].IsPrincipal = 0;
  settings.components[1].IsPrincipal = 0;
  model = BuildTreeModel(settings, 1033, "(required)");
  EXPECT_FALSE(model.hasPrincipal);
  EXPECT_EQ("", model.principalPath);
}

TEST(WizardTreeModel, StructureQueries) {
  TreeModel model = BuiltDemo();
  EXPECT_EQ(2, CountDescendants(model, 0));
  EXPECT_EQ(0, CountDescendants(model, 1));
  EXPECT_EQ(0, CountDescendants(model, 6));
  EXPECT_EQ(0, CountDescendants(model, 99));
  EXPECT_EQ(-1, ParentRow(model, 0));
  EXPECT_EQ(3, ParentRow(model, 5));
  EXPECT_EQ(-1, ParentRow(model, -1));
  EXPECT_EQ(-1, GetRowState(model, 7));
  EXPECT_EQ(0, GetRowState(model, 1));
}

TEST(WizardTreeClicks, LockedRowsNeverChange) {
  TreeModel model = BuiltDemo();
  std::vector<int> before = States(model), changed;
  ApplyIconClick(&model, 1, &changed);
  ApplyIconClick(&model, 5, &changed);
  EXPECT_EQ(before, States(model));
  EXPECT_TRUE(changed.empty());
}

TEST(WizardTreeClicks, ComponentClicksDeriveTheirCategory) {
  TreeModel model = BuiltDemo();
  std::vector<int> changed;
  ApplyIconClick(&model, 2, &changed);  // Help off: Program keeps Core only
  EXPECT_EQ((std::vector<int>{2, 0, 1, 2, 1, 0, 1}), States(model));
  EXPECT_EQ((std::vector<int>{2, 0}), changed);
  ApplyIconClick(&model, 2, NULL);  // and on again
  EXPECT_EQ(3, GetRowState(model, 0));
  ApplyIconClick(&model, 4, NULL);  // Samples on: every Extras component selected
  EXPECT_EQ(3, GetRowState(model, 3));
  ApplyIconClick(&model, 4, NULL);
  EXPECT_EQ(2, GetRowState(model, 3));
}

TEST(WizardTreeClicks, CategoryClicksCarryDownAndKeepLockedComponents) {
  TreeModel model = BuiltDemo();
  ApplyIconClick(&model, 3, NULL);  // Extras (partly) -> selected
  EXPECT_EQ((std::vector<int>{3, 0, 3, 3, 3, 0, 1}), States(model));
  ApplyIconClick(&model, 3, NULL);  // deselected, but Drivers stays locked
  EXPECT_EQ((std::vector<int>{3, 0, 3, 2, 1, 0, 1}), States(model));
  ApplyIconClick(&model, 0, NULL);  // Program: Core locked, Help off
  EXPECT_EQ((std::vector<int>{2, 0, 1, 2, 1, 0, 1}), States(model));
  ApplyIconClick(&model, 6, NULL);  // a category without components just toggles
  EXPECT_EQ(3, GetRowState(model, 6));
  ApplyIconClick(&model, 6, NULL);
  EXPECT_EQ(1, GetRowState(model, 6));
}

TEST(WizardTreeClicks, AllLockedCategoryKeepsItsState) {
  ScriptSettings settings;
  settings.categories.push_back(MakeCategory(1, "Base"));
  settings.components.push_back(MakeComponent(7, 1, "A", 0, 1));
  settings.components.push_back(MakeComponent(8, 1, "B", 1));
  TreeModel model = BuildTreeModel(settings, 1033, "(required)");
  RefreshCategoryStates(&model, NULL);
  EXPECT_EQ((std::vector<int>{3, 0, 0}), States(model));
  ApplyIconClick(&model, 0, NULL);
  // The click deselects the row itself, then shows it partly selected.
  EXPECT_EQ((std::vector<int>{2, 0, 0}), States(model));
  ApplyIconClick(&model, 0, NULL);
  EXPECT_EQ((std::vector<int>{3, 0, 0}), States(model));
}

TEST(WizardInstallTypes, ClicksSwitchTheTypeBothWays) {
  TreeModel model = BuiltDemo();
  EXPECT_EQ(kInstallTypeDefault, ClassifyInstallType(model));
  ApplyIconClick(&model, 2, NULL);  // Help off
  EXPECT_EQ(kInstallTypeCustom, ClassifyInstallType(model));
  ApplyIconClick(&model, 2, NULL);  // exactly the preset again
  EXPECT_EQ(kInstallTypeDefault, ClassifyInstallType(model));
  ApplyIconClick(&model, 4, NULL);  // everything selected by hand
  EXPECT_EQ(kInstallTypeCustom, ClassifyInstallType(model));  // "Empty" is still empty
  ApplyIconClick(&model, 6, NULL);
  EXPECT_EQ(kInstallTypeFull, ClassifyInstallType(model));
}

TEST(WizardInstallTypes, FullWinsWhenThePresetSelectsEverything) {
  ScriptSettings settings;
  settings.categories.push_back(MakeCategory(1, "Base"));
  settings.components.push_back(MakeComponent(1, 1, "A", 1));
  settings.components.push_back(MakeComponent(2, 1, "B", 0, 0, 1));
  TreeModel model = BuildTreeModel(settings, 1033, "(required)");
  RefreshCategoryStates(&model, NULL);
  EXPECT_EQ(kInstallTypeFull, ClassifyInstallType(model));
}

TEST(WizardInstallTypes, CategoryIdEqualToAComponentIdIsNotAPreset) {
  ScriptSettings settings;
  settings.categories.push_back(MakeCategory(1, "Base"));
  settings.components.push_back(MakeComponent(1, 1, "A", 0, 0, 0));
  settings.components.push_back(MakeComponent(2, 1, "B", 0, 0, 1));
  TreeModel model = BuildTreeModel(settings, 1033, "(required)");
  RefreshCategoryStates(&model, NULL);
  EXPECT_EQ(2, GetRowState(model, 0));
  EXPECT_EQ(kInstallTypeDefault, ClassifyInstallType(model));
  ApplyInstallType(&model, kInstallTypeDefault, NULL);
  EXPECT_EQ((std::vector<int>{2, 1, 3}), States(model));
}

TEST(WizardInstallTypes, ChoosingATypeInTheList) {
  TreeModel model = BuiltDemo();
  std::vector<int> changed;
  ApplyInstallType(&model, kInstallTypeFull, &changed);
  EXPECT_EQ((std::vector<int>{3, 0, 3, 3, 3, 0, 1}), States(model));
  EXPECT_FALSE(changed.empty());
  ApplyIconClick(&model, 1, NULL);
  ApplyInstallType(&model, kInstallTypeCustom, NULL);  // changes nothing
  EXPECT_EQ((std::vector<int>{3, 0, 3, 3, 3, 0, 1}), States(model));
  ApplyIconClick(&model, 2, NULL);
  ApplyInstallType(&model, kInstallTypeDefault, NULL);
  EXPECT_EQ((std::vector<int>{3, 0, 3, 2, 1, 0, 1}), States(model));
  ApplyInstallType(&model, 7, NULL);  // unknown type: nothing
  EXPECT_EQ((std::vector<int>{3, 0, 3, 2, 1, 0, 1}), States(model));
}

TEST(WizardSelection, SelectedComponentsAndRequiredSpace) {
  TreeModel model = BuiltDemo();
  EXPECT_EQ(1, IsComponentSelectedIn(model, 1));   // locked
  EXPECT_EQ(1, IsComponentSelectedIn(model, 2));   // selected
  EXPECT_EQ(0, IsComponentSelectedIn(model, 4));   // not selected
  EXPECT_EQ(0, IsComponentSelectedIn(model, 6));   // no row (no category)
  EXPECT_EQ(0, IsComponentSelectedIn(model, 10));  // a category's ID is no component
  std::vector<ComponentSize> sizes(5);
  const int32_t ids[] = {1, 2, 4, 5, 6};
  const uint64_t bytes[] = {1000, 200, 30, 4, 50000};
  for (size_t i = 0; i < 5; i++) {
    sizes[i].componentId = ids[i];
    sizes[i].bytes = bytes[i];
  }
  EXPECT_EQ(1204u, ComputeRequiredSpaceFor(model, sizes));
  ApplyIconClick(&model, 4, NULL);
  EXPECT_EQ(1234u, ComputeRequiredSpaceFor(model, sizes));
  sizes[0].bytes = UINT64_MAX - 10;
  EXPECT_EQ(UINT64_MAX, ComputeRequiredSpaceFor(model, sizes));
  EXPECT_EQ(0u, ComputeRequiredSpaceFor(TreeModel(), sizes));
}

TEST(WizardSelection, FirstRowWithTheIdDecides) {
  ScriptSettings settings;
  settings.categories.push_back(MakeCategory(1, "One"));
  settings.categories.push_back(MakeCategory(1, "Same ID"));
  settings.components.push_back(MakeComponent(5, 1, "Twice", 0, 0, 1));
  TreeModel model = BuildTreeModel(settings, 1033, "(required)");
  ASSERT_EQ(4u, model.rows.size());
  ApplyIconClick(&model, 3, NULL);  // the second row of component 5
  EXPECT_EQ(1, IsComponentSelectedIn(model, 5));
  ApplyIconClick(&model, 1, NULL);
  EXPECT_EQ(0, IsComponentSelectedIn(model, 5));
}
