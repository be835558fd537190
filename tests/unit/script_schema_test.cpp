// The script schema against what it describes: the reader reads exactly
// the keys the schema lists, the path-variable table names exactly the
// variables the code replaces, and docs/script-reference.md is what the
// schema writes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "builder/script_reference.h"
#include "script/document.h"
#include "script/path_variables.h"
#include "script/script_schema.h"
#include "script/script_settings.h"

namespace {

// Item group name -> "role" or "role#type", filled as the script is made.
std::map<std::string, std::string> gRoleOfGroup;
std::set<std::string> gRead;  // "role.key" as the reader read them

void Observe(const std::string &group, const std::string &key) {
  const auto role = gRoleOfGroup.find(NormalizeName(group));
  if (role != gRoleOfGroup.end() && !key.empty())
    gRead.insert(role->second + "." + NormalizeName(key));
}

// Writes the groups of `role` into *text: one item per variant, each key
// with a value that makes the reader go on (lists name further items).
class ScriptMaker {
 public:
  std::set<std::string> expected;

  std::string Item(const SchemaGroup &group, const SchemaVariant *variant) {
    const std::string name =
        group.kind == kSchemaNamedGroup ? group.name : group.name + std::to_string(count_++);
    const std::string role = variant ? group.name + "#" + std::to_string(variant->type) : group.name;
    gRoleOfGroup[NormalizeName(name)] = role;
    std::string lines = "[" + name + "]\r\n";
    std::vector<SchemaKey> keys = group.keys;
    if (variant) keys.insert(keys.end(), variant->keys.begin(), variant->keys.end());
    for (const SchemaKey &key : keys) {
      expected.insert(role + "." + NormalizeName(key.name));
      lines += key.name + " = " + Value(key, variant) + "\r\n";
    }
    text += lines;
    return name;
  }

  std::string text;

 private:
  std::string Value(const SchemaKey &key, const SchemaVariant *variant) {
    if (key.name == "Type" && variant) return std::to_string(variant->type);
    if (key.kind == kSchemaTextGroupId) {
      text += "[" + std::to_string(900 + count_) + "]\r\n1033 = x\r\n";
      return std::to_string(900 + count_++);
    }
    if (key.kind != kSchemaItemList) return "1";
    const SchemaGroup &items = *FindSchemaGroup(key.itemRole);
    std::string names;
    if (items.variants.empty()) names = Item(items, nullptr);
    for (const SchemaVariant &each : items.variants)
      names += (names.empty() ? "" : ",") + Item(items, &each);
    return names;
  }

  int count_ = 0;
};

}  // namespace

TEST(ScriptSchema, TheReaderReadsExactlyTheKeysTheSchemaLists) {
  ScriptMaker maker;
  for (const SchemaGroup &group : ScriptSchemaGroups())
    if (group.kind == kSchemaNamedGroup && !group.builderOnly) maker.Item(group, nullptr);
  ClearDocument();
  ASSERT_GT(ParseDocument(maker.text), 0);
  gRead.clear();
  SetDocumentReadObserver(Observe);
  ScriptSettings settings;
  ReadInstallerScript(ScriptReadHooks(), &settings);
  SetDocumentReadObserver(nullptr);
  ClearDocument();
  EXPECT_EQ(gRead, maker.expected);
  EXPECT_EQ(settings.installerTasks.size(), 15u);
  EXPECT_EQ(settings.uninstallerTasks.size(), 8u);
}

TEST(ScriptSchema, PathVariablesAndReferenceMatchTheCode) {
  std::vector<std::string> documented;
  for (const PathVariableDoc &doc : PathVariableDocs()) documented.push_back(doc.token);
  EXPECT_EQ(documented, FixedPathVariableTokens());

  std::string path(__FILE__);
  path = path.substr(0, path.rfind("tests/unit/")) + "docs/script-reference.md";
  std::ifstream in(path, std::ios::binary);
  std::stringstream checkedIn;
  checkedIn << in.rdbuf();
  EXPECT_TRUE(checkedIn.str() == ScriptReferenceText())
      << "docs/script-reference.md differs from what the schema writes; run "
         "build/host/builder/qvsbuild reference > docs/script-reference.md";
}
