#include "builder/project_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "builder/checked_document.h"
#include "builder/language_check.h"
#include "script/document.h"
#include "script/path_variables.h"
#include "script/script_schema.h"

namespace {

const char kDash[] = " \xE2\x80\x94 ";  // an em dash between spaces

std::string Decimal(int64_t value) { return std::to_string((long long)value); }

// What a group of the script is read as.
struct Role {
  const SchemaGroup *schema = nullptr;
  const SchemaVariant *variant = nullptr;  // by the group's Type, when the role has variants
  uint32_t listedAt = 0;  // the line of the list that names it (0: a named group)
};

// Keys of a schema group (and variant) by compare form, built once each.
class KeyIndex {
 public:
  const SchemaKey *Find(const SchemaGroup &group, const SchemaVariant *variant,
                        const std::string &keyForm) {
    std::unordered_map<std::string, const SchemaKey *> &index = Index(group, variant);
    const auto found = index.find(keyForm);
    return found == index.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::string, const SchemaKey *> &Index(const SchemaGroup &group,
                                                            const SchemaVariant *variant) {
    const std::pair<const void *, const void *> id(&group, variant);
    auto found = indexes_.find(id);
    if (found != indexes_.end()) return found->second;
    std::unordered_map<std::string, const SchemaKey *> &index = indexes_[id];
    for (const SchemaKey &key : group.keys) index[NormalizeName(key.name)] = &key;
    if (variant != nullptr)
      for (const SchemaKey &key : variant->keys) index[NormalizeName(key.name)] = &key;
    return index;
  }

  std::map<std::pair<const void *, const void *>, std::unordered_map<std::string, const SchemaKey *>>
      indexes_;
};

// Every ID a list holds, for duplicates and references.
struct IdUse {
  int64_t id;
  uint32_t line;
};

class ScriptChecker {
 public:
  ScriptChecker(const ProjectCheckInput &input, std::vector<CheckFinding> *findings)
      : input_(input), findings_(findings), document_(ParseCheckedDocument(input.script.text)) {}

  void Run() {
    roles_.assign(document_.groups.size(), Role());
    AssignNamedGroups();
    for (size_t i = 0; i < order_.size(); i++) FollowLists(order_[i]);
    for (size_t group : order_) CheckGroupKeys(group);
    ReportUnreadGroups();
    CheckIds();
    CheckReferences();
    CheckComponentFolders();
    CheckPathVariables();
  }

  // The LangIDs the project's language files give, for the texts' keys.
  std::set<int64_t> projectLangIds;

 private:
  void Report(FindingSeverity severity, uint32_t line, const std::string &message) {
    CheckFinding finding;
    finding.severity = severity;
    finding.file = input_.script.path;
    finding.line = line;
    finding.message = message;
    findings_->push_back(finding);
  }
  void Error(uint32_t line, const std::string &message) { Report(kFindingError, line, message); }
  void Warning(uint32_t line, const std::string &message) {
    Report(kFindingWarning, line, message);
  }

  const CheckedGroup &GroupAt(size_t index) const { return document_.groups[index]; }

  static std::string Shown(const CheckedGroup &group) { return "[" + group.name + "]"; }

  void Assign(size_t group, const SchemaGroup *schema, uint32_t listedAt) {
    roles_[group].schema = schema;
    roles_[group].variant = VariantOf(GroupAt(group), *schema);
    roles_[group].listedAt = listedAt;
    order_.push_back(group);
  }

  void AssignNamedGroups() {
    for (const SchemaGroup &schema : ScriptSchemaGroups()) {
      if (schema.kind != kSchemaNamedGroup && schema.kind != kSchemaValueGroup) continue;
      const size_t group = document_.Find(schema.name);
      if (group != kNoGroup) Assign(group, &schema, 0);
    }
  }

  // The item groups and localised-text groups that `index`'s keys name.
  void FollowLists(size_t index) {
    const CheckedGroup &group = GroupAt(index);
    const SchemaGroup &schema = *roles_[index].schema;
    const SchemaVariant *variant = roles_[index].variant;
    auto follow = [&](const SchemaKey &key) {
      const CheckedEntry *entry = group.Entry(key.name);
      if (entry == nullptr) return;
      if (key.kind == kSchemaItemList) FollowItems(group, *entry, key);
      if (key.kind == kSchemaTextGroupId) FollowTextGroup(group, *entry, key);
    };
    for (const SchemaKey &key : schema.keys) follow(key);
    if (variant != nullptr)
      for (const SchemaKey &key : variant->keys) follow(key);
  }

  void FollowItems(const CheckedGroup &owner, const CheckedEntry &entry, const SchemaKey &key) {
    if (entry.value.empty()) return;
    const SchemaGroup *role = FindSchemaGroup(key.itemRole);
    std::set<std::string> seen;
    size_t begin = 0;
    for (;;) {
      const size_t comma = entry.value.find(',', begin);
      const std::string name =
          entry.value.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
      FollowItem(owner, entry, key, role, name, &seen);
      if (comma == std::string::npos) break;
      begin = comma + 1;
    }
  }

  void FollowItem(const CheckedGroup &owner, const CheckedEntry &entry, const SchemaKey &key,
                  const SchemaGroup *role, const std::string &name, std::set<std::string> *seen) {
    const std::string where = Shown(owner) + " " + key.name + ": ";
    const std::string form = NormalizeName(name);
    if (form.empty()) {
      Error(entry.line, where + "an empty name (two commas in a row, or one at an end); the "
                                "installer reads an item with every key missing");
      return;
    }
    if (!seen->insert(form).second) {
      Error(entry.line, where + TrimSpacesOf(name) + " is listed twice; the installer reads it twice");
      return;
    }
    const size_t item = document_.Find(form);
    if (item == kNoGroup) {
      Error(entry.line, where + "names [" + TrimSpacesOf(name) + "], but the script has no such group");
      return;
    }
    Role &current = roles_[item];
    if (current.schema == nullptr) {
      Assign(item, role, entry.line);
    } else if (current.schema != role) {
      Error(entry.line, where + "names [" + GroupAt(item).name + "], which line " +
                            Decimal(current.listedAt) + " already names as a " +
                            current.schema->name);
    }
  }

  void FollowTextGroup(const CheckedGroup &owner, const CheckedEntry &entry, const SchemaKey &key) {
    int64_t id = 0;
    if (entry.value.empty() || !ReadWholeInteger(entry.value, &id)) return;
    const size_t texts = document_.Find(Decimal((int32_t)id));
    if (texts == kNoGroup) {
      Warning(entry.line, Shown(owner) + " " + key.name + " = " + entry.value +
                              ": the script has no group [" + Decimal((int32_t)id) +
                              "], so the wizard shows no text for it");
      return;
    }
    if (roles_[texts].schema == nullptr) Assign(texts, FindSchemaGroup("LocalizedTexts"), entry.line);
  }

  const SchemaVariant *VariantOf(const CheckedGroup &group, const SchemaGroup &schema) const {
    if (schema.variants.empty()) return nullptr;
    const CheckedEntry *type = group.Entry("Type");
    int64_t value = 0;
    if (type != nullptr && !ReadWholeInteger(type->value, &value)) value = ParseScriptInteger(type->value);
    return FindSchemaVariant(schema, (int32_t)value);
  }

  void CheckGroupKeys(size_t index) {
    const CheckedGroup &group = GroupAt(index);
    const SchemaGroup &schema = *roles_[index].schema;
    for (uint32_t line : group.repeatLines)
      Warning(line, Shown(group) + " again: its entries join those of line " +
                        Decimal(group.line) + ", where the first of each key wins");
    if (schema.kind == kSchemaValueGroup) return;
    if (schema.kind == kSchemaTextGroup) {
      CheckTextGroup(group);
      return;
    }
    const SchemaVariant *variant = roles_[index].variant;
    for (const CheckedEntry &entry : group.entries) {
      if (!entry.hasEquals) {
        Warning(entry.line, Shown(group) + ": \"" + entry.value +
                                "\" is not a key = value line; the installer reads nothing from it");
        continue;
      }
      if (!entry.first) {
        Warning(entry.line, Shown(group) + ": " + entry.key + " is given again; the installer reads "
                                "only the first (line " + Decimal(group.Entry(entry.key)->line) + ")");
        continue;
      }
      const SchemaKey *key = keys_.Find(schema, variant, NormalizeName(entry.key));
      if (key == nullptr) {
        Error(entry.line, UnknownKeyMessage(group, schema, variant, entry.key));
        continue;
      }
      CheckValue(group, entry, *key);
    }
  }

  std::string UnknownKeyMessage(const CheckedGroup &group, const SchemaGroup &schema,
                                const SchemaVariant *variant, const std::string &name) const {
    std::string message = Shown(group) + ": unknown key " + name;
    const std::string form = NormalizeName(name);
    if (variant != nullptr || !schema.variants.empty()) {
      std::vector<std::string> types;
      for (const SchemaVariant &other : schema.variants) {
        for (const SchemaKey &key : other.keys)
          if (NormalizeName(key.name) == form) types.push_back(Decimal(other.type));
      }
      if (!types.empty()) {
        std::string list;
        for (const std::string &type : types) list += (list.empty() ? "" : ", ") + type;
        const CheckedEntry *type = group.Entry("Type");
        return message + kDash + "only type " + list + " reads it, and this item is type " +
               (type ? type->value : std::string("0")) + " (Type)";
      }
    }
    if (form.size() > 3 && form.compare(0, 3, "win") == 0 && FindSchemaKey(schema, variant, "Win7")) {
      return message + kDash + "did you mean Win7? It stands for Windows 7 and every later Windows";
    }
    std::vector<std::string> candidates;
    for (const SchemaKey &key : schema.keys) candidates.push_back(key.name);
    if (variant != nullptr)
      for (const SchemaKey &key : variant->keys) candidates.push_back(key.name);
    const std::string closest = ClosestName(name, candidates);
    if (!closest.empty()) return message + kDash + "did you mean " + closest + "?";
    return message + " (the installer never reads it)";
  }

  void CheckValue(const CheckedGroup &group, const CheckedEntry &entry, const SchemaKey &key) {
    if (key.kind == kSchemaText || key.kind == kSchemaItemList || entry.value.empty()) return;
    const std::string shown = Shown(group) + " " + key.name + " = " + entry.value;
    int64_t value = 0;
    if (!ReadWholeInteger(entry.value, &value)) {
      Error(entry.line, shown + ": not a number; the installer reads it as " +
                            Decimal((int32_t)ParseScriptInteger(entry.value)));
      return;
    }
    switch (key.rule) {
      case kRuleAny:
        return;
      case kRuleFlag:
        if (value != 0 && value != 1)
          Error(entry.line, shown + ": must be 0 or 1; the installer takes anything but 1 as 0");
        return;
      case kRuleSwitch:
        if (value != 0 && value != 1)
          Warning(entry.line, shown + ": 0 or 1 expected; the installer takes it as 1");
        return;
      case kRuleRange:
        if (value < key.minimum || value > key.maximum)
          Error(entry.line, shown + ": must be from " + Decimal(key.minimum) + " to " +
                                Decimal(key.maximum));
        return;
      case kRuleChoices: {
        std::string allowed;
        for (const SchemaChoice &choice : key.choices) {
          if (choice.value == value) return;
          allowed += (allowed.empty() ? "" : ", ") + Decimal(choice.value) + " " + choice.meaning;
        }
        Error(entry.line, shown + ": not one of " + allowed);
        return;
      }
      case kRuleBits: {
        int64_t mask = 0;
        for (const SchemaChoice &bit : key.choices) mask |= bit.value;
        if ((value & ~mask) != 0 || value < 0)
          Error(entry.line, shown + ": not a sum of the style bits 256, 512, 4, 8 and 16");
        return;
      }
      case kRuleColour:
        if (value < 0 || value > 0xFFFFFF)
          Error(entry.line, shown + ": a colour is from 0 to $FFFFFF");
        return;
    }
  }

  void CheckTextGroup(const CheckedGroup &group) {
    for (const CheckedEntry &entry : group.entries) {
      int64_t langId = 0;
      if (!entry.hasEquals || !ReadWholeInteger(entry.key, &langId)) {
        Error(entry.line, Shown(group) + ": \"" + (entry.hasEquals ? entry.key : entry.value) +
                              "\" is not a LangID (a number such as 1033, or -1 for any other "
                              "language)");
        continue;
      }
      if (langId != -1 && !projectLangIds.empty() && projectLangIds.count(langId) == 0)
        Warning(entry.line, Shown(group) + ": no language file has LangID " + Decimal(langId) +
                                ", so this text is never shown");
    }
  }

  void ReportUnreadGroups() {
    std::vector<std::string> named;
    for (const SchemaGroup &schema : ScriptSchemaGroups())
      if (schema.kind == kSchemaNamedGroup || schema.kind == kSchemaValueGroup)
        named.push_back(schema.name);
    for (size_t index = 0; index < document_.groups.size(); index++) {
      if (roles_[index].schema != nullptr) continue;
      const CheckedGroup &group = GroupAt(index);
      if (group.nameForm.empty()) {
        Warning(group.line, "entries before the first group line are never read");
        continue;
      }
      const std::string closest = ClosestName(group.name, named);
      int64_t number = 0;
      if (!closest.empty()) {
        Error(group.line, "unknown group " + Shown(group) + kDash + "did you mean [" + closest + "]?");
      } else if (ReadWholeInteger(group.name, &number)) {
        Warning(group.line, Shown(group) + " is named by no list (Items, Files, Keys, Values) and "
                                "no LocalizedNameID or DescriptionID, so the installer never reads it");
      } else {
        Warning(group.line, "unknown group " + Shown(group) + "; the installer never reads it");
      }
    }
  }

  // The number a key of `group` holds (0 when missing or not a number).
  static int64_t NumberOf(const CheckedGroup &group, const std::string &key) {
    const CheckedEntry *entry = group.Entry(key);
    return entry == nullptr ? 0 : (int32_t)ParseScriptInteger(entry->value);
  }

  void CheckIds() {
    std::map<const SchemaGroup *, std::map<int64_t, uint32_t>> seen;
    for (size_t index : order_) {
      const SchemaGroup *schema = roles_[index].schema;
      const SchemaKey *id = keys_.Find(*schema, nullptr, "id");
      if (id == nullptr || id->reference != kRefOwnId) continue;
      const CheckedGroup &group = GroupAt(index);
      const CheckedEntry *entry = group.Entry("ID");
      const int64_t value = NumberOf(group, "ID");
      const uint32_t line = entry ? entry->line : group.line;
      auto inserted = seen[schema].insert(std::make_pair(value, line));
      if (!inserted.second) {
        Error(line, Shown(group) + ": ID " + Decimal(value) + " is also the ID of the " +
                        schema->name + " at line " + Decimal(inserted.first->second));
      }
      if (schema->name == "Component") componentIds_.insert(std::make_pair(value, index));
      if (schema->name == "Category") categoryIds_.insert(value);
    }
  }

  void CheckReferences() {
    size_t principals = 0;
    for (size_t index : order_) {
      const SchemaGroup &schema = *roles_[index].schema;
      if (schema.kind != kSchemaItemGroup && schema.kind != kSchemaNamedGroup) continue;
      const CheckedGroup &group = GroupAt(index);
      const SchemaVariant *variant = roles_[index].variant;
      auto check = [&](const SchemaKey &key) { CheckReference(group, schema, key); };
      for (const SchemaKey &key : schema.keys) check(key);
      if (variant != nullptr)
        for (const SchemaKey &key : variant->keys) check(key);
      if (schema.name == "Component" && NumberOf(group, "IsPrincipal") == 1) principals++;
      if (schema.kind == kSchemaItemGroup) CheckSystemSwitches(group, schema);
    }
    const size_t components = document_.Find("Components");
    if (componentIds_.empty() || components == kNoGroup) return;
    if (principals == 0)
      Warning(GroupAt(components).line, "no component has IsPrincipal = 1, so the wizard has no "
                                        "install folder to offer");
    if (principals > 1)
      Warning(GroupAt(components).line, Decimal((int64_t)principals) +
                                            " components have IsPrincipal = 1; one install "
                                            "folder is offered, for the first");
  }

  // An item whose per-system switches are all 0 is used nowhere.
  void CheckSystemSwitches(const CheckedGroup &group, const SchemaGroup &schema) {
    bool hasSwitches = false;
    for (const SchemaKey &key : schema.keys) {
      if (key.rule != kRuleSwitch || key.name.compare(0, 3, "Win") != 0) continue;
      hasSwitches = true;
      if (NumberOf(group, key.name) != 0) return;
    }
    if (hasSwitches)
      Warning(group.line, Shown(group) + ": every Win... key is 0 or missing, so it applies to no "
                                         "Windows version (Win7 stands for Windows 7 and later)");
  }

  void CheckReference(const CheckedGroup &group, const SchemaGroup &schema, const SchemaKey &key) {
    if (key.reference != kRefComponent && key.reference != kRefCategory) return;
    if (!key.enabledBy.empty() && NumberOf(group, key.enabledBy) != 1) return;
    if (!key.disabledBy.empty() && NumberOf(group, key.disabledBy) == 1) return;
    const CheckedEntry *entry = group.Entry(key.name);
    const int64_t value = NumberOf(group, key.name);
    const uint32_t line = entry ? entry->line : group.line;
    const std::string shown = Shown(group) + " " + key.name + " = " + Decimal(value) +
                              (entry ? "" : " (missing, so 0)");
    if (key.reference == kRefCategory && categoryIds_.count(value) == 0) {
      Error(line, shown + ": no category has this ID, so the component is never shown or installed");
    } else if (key.reference == kRefComponent && componentIds_.count(value) == 0) {
      const std::string what = !key.enabledBy.empty() ? "it is never offered"
                               : schema.name == "UninstallerTask" ? "the uninstaller never runs it"
                                                                  : "the task never runs";
      Error(line, shown + ": no component has this ID, so " + what);
    }
  }

  void CheckComponentFolders() {
    std::set<int64_t> folders(input_.componentFolders.begin(), input_.componentFolders.end());
    for (int64_t id : folders) {
      if (componentIds_.count(id) != 0) continue;
      CheckFinding finding;
      finding.severity = kFindingWarning;
      finding.file = input_.filesFolder + "/" + Decimal(id);
      finding.message = "no component has ID " + Decimal(id) +
                        ", so these files are packed but never installed";
      findings_->push_back(finding);
    }
    for (const auto &component : componentIds_) {
      if (folders.count(component.first) != 0) continue;
      const CheckedGroup &group = GroupAt(component.second);
      Warning(group.line, Shown(group) + ": component " + Decimal(component.first) +
                              " has no files (no " + input_.filesFolder + "/" +
                              Decimal(component.first) + " folder with files in it)");
    }
  }

  // Tokens in angle brackets that no variable defines stay in the text as
  // written: a misspelt <programfiles> installs into a folder of that name.
  void CheckPathVariables() {
    std::vector<std::string> known = FixedPathVariableTokens();
    for (size_t index : order_) {
      const CheckedGroup &group = GroupAt(index);
      const std::string &role = roles_[index].schema->name;
      const char *tokenKey = role == "Component" ? "PathVariable"
                             : role == "RegistryVar" ? "PathVarName" : nullptr;
      const CheckedEntry *token = tokenKey ? group.Entry(tokenKey) : nullptr;
      if (token != nullptr && !token->value.empty()) known.push_back(token->value);
    }
    std::set<std::string> knownForms;
    for (const std::string &token : known) knownForms.insert(NormalizeName(token));
    for (size_t index : order_) {
      const CheckedGroup &group = GroupAt(index);
      const SchemaGroup &schema = *roles_[index].schema;
      const SchemaVariant *variant = roles_[index].variant;
      for (const CheckedEntry &entry : group.entries) {
        if (!entry.first) continue;
        const SchemaKey *key = keys_.Find(schema, variant, NormalizeName(entry.key));
        const bool expanded = schema.kind == kSchemaTextGroup || schema.kind == kSchemaValueGroup ||
                              (key != nullptr && key->expansion != kExpandNever);
        if (expanded) CheckTokens(group, entry, known, knownForms);
      }
    }
  }

  void CheckTokens(const CheckedGroup &group, const CheckedEntry &entry,
                   const std::vector<std::string> &known, const std::set<std::string> &knownForms) {
    const std::string &text = entry.value;
    for (size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
      const size_t close = text.find_first_of("<>", open + 1);
      if (close == std::string::npos || text[close] != '>' || close == open + 1) continue;
      const std::string token = text.substr(open, close - open + 1);
      if (token.find_first_of("\\/:\"|") != std::string::npos || token.size() > 48) continue;
      if (knownForms.count(NormalizeName(token)) != 0) continue;
      const std::string closest = ClosestName(token, known);
      Warning(entry.line, Shown(group) + " " + entry.key + ": unknown path variable " + token +
                              (closest.empty() ? ", which stays in the text as written"
                                               : kDash + std::string("did you mean ") + closest + "?"));
    }
  }

  static std::string TrimSpacesOf(const std::string &text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  }

  const ProjectCheckInput &input_;
  std::vector<CheckFinding> *findings_;
  CheckedDocument document_;
  std::vector<Role> roles_;
  std::vector<size_t> order_;  // groups with a role, in the order they were found
  KeyIndex keys_;
  std::map<int64_t, size_t> componentIds_;  // ID -> group
  std::set<int64_t> categoryIds_;
};

}  // namespace

std::vector<CheckFinding> CheckProject(const ProjectCheckInput &input) {
  std::vector<CheckFinding> findings;
  std::set<int64_t> langIds = CheckLanguageFiles(input, &findings);
  ScriptChecker checker(input, &findings);
  checker.projectLangIds = langIds;
  checker.Run();
  std::stable_sort(findings.begin(), findings.end(),
                   [](const CheckFinding &a, const CheckFinding &b) {
                     if (a.file != b.file) return a.file < b.file;
                     return a.line < b.line;
                   });
  return findings;
}

std::string FormatFinding(const CheckFinding &finding) {
  std::string text = finding.file;
  if (finding.line != 0) text += ":" + Decimal(finding.line);
  text += finding.severity == kFindingError ? ": error: " : ": warning: ";
  return text + finding.message;
}

namespace {

// Letters changed, added, removed or swapped to turn `a` into `b`.
size_t EditDistance(const std::string &a, const std::string &b) {
  const size_t n = a.size(), m = b.size();
  std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1, 0));
  for (size_t i = 0; i <= n; i++) d[i][0] = i;
  for (size_t j = 0; j <= m; j++) d[0][j] = j;
  for (size_t i = 1; i <= n; i++) {
    for (size_t j = 1; j <= m; j++) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min(std::min(d[i - 1][j] + 1, d[i][j - 1] + 1), d[i - 1][j - 1] + cost);
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[n][m];
}

}  // namespace

std::string ClosestName(const std::string &wrong, const std::vector<std::string> &candidates) {
  const std::string form = NormalizeName(wrong);
  // Longer names may be further off: about one slip in four letters.
  const size_t allowed = std::min<size_t>(3, std::max<size_t>(1, form.size() / 4));
  std::string best;
  size_t bestDistance = allowed + 1;
  for (const std::string &candidate : candidates) {
    const size_t distance = EditDistance(form, NormalizeName(candidate));
    if (distance < bestDistance && distance < form.size()) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}
