#include "builder/script_reference.h"

#include <stdio.h>

#include "builder/checked_document.h"
#include "builder/embedded_english.h"
#include "script/script_schema.h"

namespace {

// `<token>` wrapped in backticks, so that Markdown shows it instead of
// taking it for a tag; a "|" escaped, so that it stays in its table cell.
std::string Md(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    const char c = text[i];
    if (c == '<') {
      const size_t close = text.find('>', i);
      const size_t space = text.find_first_of(" <", i + 1);
      if (close != std::string::npos && (space == std::string::npos || space > close)) {
        out += "`" + text.substr(i, close - i + 1) + "`";
        i = close;
        continue;
      }
    }
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

std::string Code(const std::string &text) {
  std::string out = "`";
  for (char c : text) out += c == '|' ? std::string("\\|") : std::string(1, c);
  return out + "`";
}

std::string Decimal(int64_t value) { return std::to_string((long long)value); }

std::string TypeOf(const SchemaKey &key) {
  switch (key.kind) {
    case kSchemaNumber: return key.rule == kRuleColour ? "colour" : "number";
    case kSchemaText: return "text";
    case kSchemaItemList: return "list of " + key.itemRole + " groups";
    case kSchemaTextGroupId: return "number of a LocalizedTexts group";
  }
  return "";
}

std::string ValuesOf(const SchemaKey &key) {
  switch (key.rule) {
    case kRuleAny: return "";
    case kRuleFlag: return "0 or 1";
    case kRuleSwitch: return "0 or 1 (any other number counts as 1)";
    case kRuleRange: return Decimal(key.minimum) + " to " + Decimal(key.maximum);
    case kRuleColour: return "0 to $FFFFFF ($BBGGRR)";
    case kRuleChoices:
    case kRuleBits: {
      std::string out = key.rule == kRuleBits ? "sum of: " : "";
      for (size_t i = 0; i < key.choices.size(); i++)
        out += (i ? "<br>" : "") + Decimal(key.choices[i].value) + " " + Md(key.choices[i].meaning);
      return out;
    }
  }
  return "";
}

std::string ExpansionOf(const SchemaKey &key) {
  if (key.kind != kSchemaText) return "";
  switch (key.expansion) {
    case kExpandNever: return "no";
    case kExpandOnRead: return "when read";
    case kExpandOnUse: return "when used";
  }
  return "";
}

void KeyTable(const std::vector<SchemaKey> &keys, std::string *out) {
  if (keys.empty()) return;
  *out += "| Key | Type | Values | Default | Path variables | What it does |\n";
  *out += "|---|---|---|---|---|---|\n";
  for (const SchemaKey &key : keys) {
    const std::string missing = key.kind == kSchemaText || key.kind == kSchemaItemList ? "empty" : "0";
    *out += "| " + Code(key.name) + " | " + TypeOf(key) + " | " + ValuesOf(key) + " | " + missing +
            " | " + ExpansionOf(key) + " | " + Md(key.description) + " |\n";
  }
  *out += "\n";
}

void Example(const std::vector<std::string> &lines, std::string *out) {
  *out += "```\n";
  for (const std::string &line : lines) *out += line + "\n";
  *out += "```\n\n";
}

// "[RequireExistingItems] Items" for the item role `role`.
std::string ListedBy(const std::string &role) {
  std::string out;
  for (const SchemaGroup &group : ScriptSchemaGroups()) {
    for (const SchemaKey &key : group.keys) {
      if (key.kind != kSchemaItemList || key.itemRole != role) continue;
      const std::string name =
          group.kind == kSchemaNamedGroup ? "`[" + group.name + "]`" : "a " + group.name + "'s";
      out += (out.empty() ? "" : ", ") + name + " " + Code(key.name);
    }
  }
  return out;
}

std::string Anchor(const SchemaGroup &group) {
  std::string out;
  for (char c : group.name) out += (char)(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

std::string Title(const SchemaGroup &group) {
  return group.kind == kSchemaNamedGroup || group.kind == kSchemaValueGroup ? "[" + group.name + "]"
                                                                            : group.name;
}

void GroupSection(const SchemaGroup &group, std::string *out) {
  *out += "## " + Title(group) + "\n\n";
  if (group.kind == kSchemaItemGroup) *out += "Listed by " + ListedBy(group.name) + ".\n\n";
  *out += Md(group.description) + "\n\n";
  KeyTable(group.keys, out);
  for (const SchemaVariant &variant : group.variants) {
    *out += "### Type " + Decimal(variant.type) + ": " + Md(variant.title) + "\n\n";
    if (variant.keys.empty()) *out += "No further keys.\n\n";
    KeyTable(variant.keys, out);
    Example(variant.example, out);
  }
}

const char kIntroduction[] =
    "# Installer script reference\n"
    "\n"
    "<!-- Written by `qvsbuild reference` from script/script_schema.cpp: change that table, then\n"
    "     run `build/host/builder/qvsbuild reference > docs/script-reference.md`. A unit test\n"
    "     fails while the two differ. -->\n"
    "\n"
    "Every group and key of a project's `Script.qvs` that the installer reads, what each does\n"
    "and which values it takes; the path variables; the language files and their string\n"
    "numbers. `qvsbuild check PROJECT` checks a project against this reference (every build\n"
    "does too), and `qvsbuild new FOLDER` writes a complete, commented project to start from.\n"
    "\n"
    "## The file\n"
    "\n"
    "- Text in the Windows-1252 code page with CR LF line breaks (the installer splits lines at\n"
    "  carriage returns only; the builder refuses a bare LF).\n"
    "- `[Name]` opens a group, `Key = Value` is an entry of the current group, a line starting\n"
    "  with `;` is a comment. Spaces around names and values do not count; further `=` signs\n"
    "  belong to the value.\n"
    "- Group and key names compare ignoring letter case. When a key is given twice, or a group\n"
    "  opened twice, the first value of each key wins.\n"
    "- Numbers are decimal (`42`, `-1`), `$` hexadecimal (`$FF8000`) or `%` binary (`%101`).\n"
    "  Colours are `$BBGGRR`: red in the low byte.\n"
    "- A missing key reads as 0 or the empty text; no key has another default.\n"
    "- A list key (`Items`, and a required item's `Files`, `Keys` and `Values`) names item\n"
    "  groups separated by commas, in the order they are used; by custom each item group is\n"
    "  named by the item's ID (`Items = 20,21` and groups `[20]`, `[21]`).\n"
    "- Path variables such as `<programfiles>` (table below) and `%NAME%` environment\n"
    "  references are replaced in texts whose \"Path variables\" column says so: \"when read\"\n"
    "  as the script is read, before the wizard opens; \"when used\" when the value is used, so\n"
    "  that variables known only then (a component's folder, `<defaultstartmenugroup>`) have\n"
    "  their final value. A variable without a value stays in the text as written.\n"
    "- The installer ignores groups and keys it does not read; `qvsbuild check` reports them,\n"
    "  since they are usually misspelt.\n"
    "\n";

void PathVariablesSection(std::string *out) {
  *out +=
      "## Path variables\n"
      "\n"
      "Written in any letter case; a folder is inserted without a trailing `\\`, so a script\n"
      "writes `<programfiles>\\My Product`. Windows 8 and later count as Windows 7 (servers as\n"
      "Server 2008).\n"
      "\n"
      "| Variable | Value |\n"
      "|---|---|\n";
  for (const PathVariableDoc &doc : PathVariableDocs())
    *out += "| " + Code(doc.token) + " | " + Md(doc.value) + " |\n";
  *out +=
      "\n"
      "A component's `PathVariable` (for example `<AppDir>`) stands for its folder: its\n"
      "`InstallationPath` as written until the installation starts, then the folder the files\n"
      "go to. A `RegistryVar`'s `PathVarName` stands for its registry value. Component variables\n"
      "are replaced first, then the table above in its order, then the registry variables.\n"
      "\n";
}

// The strings of `group` in the English file, in order.
std::vector<CheckedEntry> EnglishStrings(const char *group) {
  const CheckedDocument english = ParseCheckedDocument(
      std::string((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize));
  const size_t index = english.Find(group);
  return index == kNoGroup ? std::vector<CheckedEntry>() : english.groups[index].entries;
}

void StringTable(const char *group, const std::vector<LanguageStringUse> &uses, std::string *out) {
  const std::vector<CheckedEntry> strings = EnglishStrings(group);
  *out += "| Number | Key | English text | Where it shows |\n|---|---|---|---|\n";
  for (size_t i = 0; i < strings.size(); i++) {
    const int number = (int)i + 1;
    std::string use;
    for (const LanguageStringUse &range : uses)
      if (number >= range.first && number <= range.last) use = range.use;
    *out += "| " + Decimal(number) + " | " + Code(strings[i].key) + " | " + Code(strings[i].value) +
            " | " + Md(use) + " |\n";
  }
  *out += "\n";
}

void LanguageSection(std::string *out) {
  *out +=
      "## Language files\n"
      "\n"
      "`Languages/*.lng`, in the same format, one per language; the user picks one when there\n"
      "are several (`/LANG=` picks it in a silent run).\n"
      "\n"
      "| Group | Keys |\n"
      "|---|---|\n"
      "| `[Information]` | `Name`: the language's name in the list (required); `LangID`: its "
      "Windows language ID, such as 1033 (English) or 1031 (German) |\n"
      "| `[LanguageDataInstaller]` | the installer's strings: the n-th entry is string n; keys "
      "are named `l1`, `l2`, ... by custom, but only their order counts |\n"
      "| `[LanguageDataUninstaller]` | the uninstaller's strings, likewise |\n"
      "\n"
      "`<br>` in an installer string is a line break. `$APPNAME$`, `$APPVERSION$`,\n"
      "`$APPWEBSITE$`, `$SUPPORTEMAIL$` and `$COMPANYNAME$` stand for the product texts of\n"
      "`[GeneralInformation]`; `$P`, `$Q` and `$R` for what the message is about. A missing\n"
      "string shows empty, so every language file should have as many strings as the English\n"
      "one (`qvsbuild check` counts them). License and Information texts are\n"
      "`License/<LangID>.txt` and `Information/<LangID>.txt`, or `Default.txt` for every\n"
      "other language.\n"
      "\n"
      "### Installer strings\n"
      "\n";
  StringTable("LanguageDataInstaller", InstallerStringUses(), out);
  *out += "### Uninstaller strings\n\n";
  StringTable("LanguageDataUninstaller", UninstallerStringUses(), out);
}

const char kChecks[] =
    "## What `qvsbuild check` reports\n"
    "\n"
    "Errors (the build is refused): an unknown group whose name is close to a known one, an\n"
    "unknown key (with the key most likely meant), a number where the key takes another value\n"
    "(a task type, a root key, a value type, a run mode, a flag that must be 0 or 1, a colour),\n"
    "text where a number belongs, a list naming a group the script lacks, a group named by two\n"
    "kinds of list, an item listed twice, two items of a list with the same ID, a component,\n"
    "task, shortcut or finish action naming a component (or category) that does not exist, a\n"
    "language file without a name or with a bad LangID.\n"
    "\n"
    "Warnings (printed; `--strict` refuses the build for them too): a group or entry the\n"
    "installer never reads, a key given twice, a `Files/<ID>` folder without its component, a\n"
    "component without files, no principal component or more than one, an unknown path\n"
    "variable, a localised text or licence for a language the project lacks, a language file\n"
    "with fewer strings than the English one or with a string missing in the middle, two\n"
    "language files with the same name or LangID.\n";

}  // namespace

std::string ScriptReferenceText() {
  std::string out = kIntroduction;
  out += "## Groups\n\nIn the order the installer reads them; item groups follow the group that "
         "lists them.\n\n";
  for (const SchemaGroup &group : ScriptSchemaGroups())
    out += "- [" + Md(Title(group)) + "](#" + Anchor(group) + ")\n";
  out += "- [Path variables](#path-variables)\n- [Language files](#language-files)\n\n";
  for (const SchemaGroup &group : ScriptSchemaGroups()) GroupSection(group, &out);
  PathVariablesSection(&out);
  LanguageSection(&out);
  out += kChecks;
  return out;
}

int RunReference(FILE *out) {
  const std::string text = ScriptReferenceText();
  return fwrite(text.data(), 1, text.size(), out) == text.size() && fflush(out) == 0 ? 0 : 1;
}
