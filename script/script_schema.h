// The installer script's schema as one table: every group and key the
// installer reads, with its type, allowed values, what it does and when its
// path variables are expanded; the path variables; the uses of the language
// strings. The builder's checks (builder/project_check.h) judge scripts by
// it, `qvsbuild reference` writes docs/script-reference.md from it, and the
// task keys come from the reader's own table (script/task_fields.h); a unit
// test holds the reader and this table to the same keys.
//
// Host-side: the stub does not link it. Built once on first use; the
// returned references stay valid until the process ends.
#ifndef QVS_SCRIPT_SCRIPT_SCHEMA_H
#define QVS_SCRIPT_SCRIPT_SCHEMA_H

#include <stdint.h>

#include <string>
#include <vector>

enum SchemaValueKind {
  kSchemaNumber,       // an integer: decimal, "$" hexadecimal or "%" binary
  kSchemaText,
  kSchemaItemList,     // comma-separated names of item groups (of `itemRole`)
  kSchemaTextGroupId,  // an integer naming a group of localised texts
};

// Which values a number may take. A value outside them is an error, except
// for kRuleSwitch, where the installer takes any non-zero value as yes and
// a value other than 0 and 1 is only a warning.
enum SchemaRule {
  kRuleAny,
  kRuleFlag,     // 1 yes, 0 no (the installer compares with 1)
  kRuleSwitch,   // 0 no, anything else yes
  kRuleRange,    // minimum to maximum
  kRuleChoices,  // one of `choices`
  kRuleBits,     // a sum of the bits of `choices`
  kRuleColour,   // 0 to $FFFFFF: red in the low byte, then green, then blue
};

// When path variables (and %NAME% environment references) in a text are
// replaced.
enum SchemaExpansion {
  kExpandNever,
  kExpandOnRead,  // as the script is read, before the wizard opens
  kExpandOnUse,   // when the value is used, once the install folder is known
};

// What a number names, for the cross-reference checks.
enum SchemaReference {
  kRefNone,
  kRefOwnId,      // the item's own ID, unique within its list
  kRefComponent,  // a component's ID
  kRefCategory,   // a category's ID
};

struct SchemaChoice {
  int64_t value;
  std::string meaning;
};

struct SchemaKey {
  std::string name;
  SchemaValueKind kind = kSchemaText;
  SchemaRule rule = kRuleAny;
  int64_t minimum = 0;
  int64_t maximum = 0;
  std::vector<SchemaChoice> choices;
  SchemaExpansion expansion = kExpandNever;
  SchemaReference reference = kRefNone;
  std::string itemRole;  // kSchemaItemList: the role of the groups it names
  // The key only matters when this key of the same group is 1 (the
  // create and checkbox keys of InstallerSettings), for the reference
  // checks; empty when it always matters.
  std::string enabledBy;
  // Likewise: the key does not matter when this key of the group is 1 (the
  // finish actions, which the restart box replaces).
  std::string disabledBy;
  std::string description;
};

// The keys an item reads for one value of its "Type" key.
struct SchemaVariant {
  int32_t type = 0;
  std::string title;
  std::vector<SchemaKey> keys;
  // A sample item group, lines without line ends.
  std::vector<std::string> example;
};

enum SchemaGroupKind {
  kSchemaNamedGroup,  // read by its fixed name
  kSchemaItemGroup,   // named in a list key of another group; `name` is its role
  kSchemaTextGroup,   // localised texts: keys are LangIDs, named by a number
  kSchemaValueGroup,  // every entry's value is read, keys do not matter
};

struct SchemaGroup {
  std::string name;
  SchemaGroupKind kind = kSchemaNamedGroup;
  std::string description;
  std::vector<SchemaKey> keys;
  // Items whose further keys depend on their "Type": one variant per type.
  std::vector<SchemaVariant> variants;
  // Read by the builder, not by the installer.
  bool builderOnly = false;
};

// Every group, in the order the installer reads them, item groups after
// the group that lists them first.
const std::vector<SchemaGroup> &ScriptSchemaGroups();

// The named group or item role `name` (compared as names are: letter case
// and surrounding spaces ignored); null when there is none.
const SchemaGroup *FindSchemaGroup(const std::string &name);

// The variant of `group` for `type`; null when the group has no variants
// or none for that type.
const SchemaVariant *FindSchemaVariant(const SchemaGroup &group, int64_t type);

// The key `name` of `group`, or of its variant for `type` (pass a variant
// of null for none); null when neither has it.
const SchemaKey *FindSchemaKey(const SchemaGroup &group, const SchemaVariant *variant,
                               const std::string &name);

// A fixed path variable and what it stands for.
struct PathVariableDoc {
  std::string token;
  std::string value;
};
// In the order the installer replaces them (script/path_variables.cpp).
const std::vector<PathVariableDoc> &PathVariableDocs();

// Where a range of language strings is shown.
struct LanguageStringUse {
  int first;
  int last;
  std::string use;
};
const std::vector<LanguageStringUse> &InstallerStringUses();
const std::vector<LanguageStringUse> &UninstallerStringUses();

// The numbers of strings the English language file holds.
static const int kInstallerStringCount = 148;
static const int kUninstallerStringCount = 15;

#endif
