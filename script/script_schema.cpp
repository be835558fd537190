#include "script/script_schema.h"

#include "script/ansi_text.h"
#include "script/task_fields.h"

namespace {

// Key makers: one per kind of value, so that the tables below read as a
// list of names and meanings.
SchemaKey Key(const std::string &name, SchemaValueKind kind, SchemaRule rule,
              const std::string &description) {
  SchemaKey key;
  key.name = name;
  key.kind = kind;
  key.rule = rule;
  key.description = description;
  return key;
}

SchemaKey Number(const std::string &name, const std::string &description) {
  return Key(name, kSchemaNumber, kRuleAny, description);
}

SchemaKey Flag(const std::string &name, const std::string &description) {
  return Key(name, kSchemaNumber, kRuleFlag, description);
}

SchemaKey Switch(const std::string &name, const std::string &description) {
  return Key(name, kSchemaNumber, kRuleSwitch, description);
}

SchemaKey Range(const std::string &name, int64_t minimum, int64_t maximum,
                const std::string &description) {
  SchemaKey key = Key(name, kSchemaNumber, kRuleRange, description);
  key.minimum = minimum;
  key.maximum = maximum;
  return key;
}

SchemaKey Choice(const std::string &name, const std::vector<SchemaChoice> &choices,
                 const std::string &description) {
  SchemaKey key = Key(name, kSchemaNumber, kRuleChoices, description);
  key.choices = choices;
  return key;
}

SchemaKey Bits(const std::string &name, const std::vector<SchemaChoice> &bits,
               const std::string &description) {
  SchemaKey key = Key(name, kSchemaNumber, kRuleBits, description);
  key.choices = bits;
  return key;
}

SchemaKey Colour(const std::string &name, const std::string &description) {
  return Key(name, kSchemaNumber, kRuleColour, description);
}

SchemaKey Text(const std::string &name, SchemaExpansion expansion,
               const std::string &description) {
  SchemaKey key = Key(name, kSchemaText, kRuleAny, description);
  key.expansion = expansion;
  return key;
}

SchemaKey List(const std::string &name, const std::string &role, const std::string &description) {
  SchemaKey key = Key(name, kSchemaItemList, kRuleAny, description);
  key.itemRole = role;
  return key;
}

SchemaKey TextGroupId(const std::string &name, const std::string &description) {
  return Key(name, kSchemaTextGroupId, kRuleAny, description);
}

SchemaKey Refers(SchemaKey key, SchemaReference reference) {
  key.reference = reference;
  return key;
}

SchemaKey Id(const std::string &description) {
  return Refers(Number("ID", description), kRefOwnId);
}

SchemaKey ComponentId(const std::string &name, const std::string &description) {
  return Refers(Number(name, description), kRefComponent);
}

SchemaKey EnabledBy(SchemaKey key, const std::string &switchKey) {
  key.enabledBy = switchKey;
  return key;
}

SchemaKey DisabledBy(SchemaKey key, const std::string &switchKey) {
  key.disabledBy = switchKey;
  return key;
}

const std::vector<SchemaChoice> &RootKeys() {
  static const std::vector<SchemaChoice> roots = {
      {0, "HKEY_CLASSES_ROOT"},  {1, "HKEY_CURRENT_USER"},   {2, "HKEY_LOCAL_MACHINE"},
      {3, "HKEY_USERS"},         {4, "HKEY_CURRENT_CONFIG"}, {5, "HKEY_DYN_DATA"}};
  return roots;
}

const std::vector<SchemaChoice> &FontStyles() {
  static const std::vector<SchemaChoice> bits = {
      {256, "bold"}, {512, "italic"}, {4, "underline"}, {8, "strike-out"}, {16, "proof quality"}};
  return bits;
}

const std::vector<SchemaChoice> &RunModes() {
  static const std::vector<SchemaChoice> modes = {
      {0, "start the program directly"},
      {1, "open it through the shell (a document opens in its program)"}};
  return modes;
}

// The per-system switches of required items and tasks; `yes` says what 1
// does, `me` is how the group spells Windows Me's key (names compare
// ignoring case).
std::vector<SchemaKey> SystemSwitches(const std::string &yes, const std::string &me) {
  const struct {
    const char *key;
    const char *system;
  } systems[] = {{"Win95", "Windows 95"},
                 {"WinNT4", "Windows NT 4.0"},
                 {"Win98", "Windows 98"},
                 {"WinMe", "Windows Me"},
                 {"Win2000", "Windows 2000"},
                 {"WinXP", "Windows XP"},
                 {"WinServer2003", "Windows Server 2003"},
                 {"WinVista", "Windows Vista"},
                 {"WinServer2008", "Windows Server 2008 and 2008 R2, and later servers"},
                 {"Win7", "Windows 7 and every later Windows (8, 8.1, 10, 11)"}};
  std::vector<SchemaKey> keys;
  for (const auto &system : systems) {
    const std::string name = std::string(system.key) == "WinMe" ? me : system.key;
    keys.push_back(Switch(name, "1: " + yes + " on " + system.system + "; 0: not there"));
  }
  return keys;
}

void Append(std::vector<SchemaKey> *keys, const std::vector<SchemaKey> &more) {
  keys->insert(keys->end(), more.begin(), more.end());
}

SchemaGroup Group(const std::string &name, SchemaGroupKind kind, const std::string &description,
                  const std::vector<SchemaKey> &keys) {
  SchemaGroup group;
  group.name = name;
  group.kind = kind;
  group.description = description;
  group.keys = keys;
  return group;
}

SchemaGroup GeneralInformation() {
  return Group(
      "GeneralInformation", kSchemaNamedGroup,
      "The product. The five product texts also fill the path variables <programname> to "
      "<supportemail> and the placeholders $APPNAME$, $APPVERSION$, $APPWEBSITE$, $SUPPORTEMAIL$ "
      "and $COMPANYNAME$ of the language strings.",
      {Text("ProgramName", kExpandNever, "The product's name, shown throughout the wizard."),
       Text("ProgramVersion", kExpandNever,
            "Its version; the Add/Remove Programs entry's version."),
       Text("ProgramWebsite", kExpandNever,
            "Its web address: the wizard's link, the start-menu web link, the Add/Remove entry."),
       Text("SupportEmail", kExpandNever, "The support address."),
       Text("CompanyName", kExpandNever, "The vendor; the Add/Remove entry's publisher."),
       Text("CopyrightString", kExpandOnRead,
            "The copyright line of the welcome page and the full-screen background."),
       Text("InstallerBandText", kExpandOnRead,
            "The text in the wizard's bottom band; empty: a line across the band."),
       Text("InstallerWindowTitle", kExpandOnRead,
            "The wizard's title; empty: language string 106 (\"$APPNAME$ Setup\").")});
}

SchemaGroup SystemRequirements() {
  const struct {
    const char *key;
    const char *system;
  } systems[] = {{"Win95", "Windows 95"},     {"WinNT4", "Windows NT 4.0"},
                 {"Win98", "Windows 98"},     {"WinMe", "Windows Me"},
                 {"Win2000", "Windows 2000"}, {"WinXP", "Windows XP"},
                 {"Win2003", "Windows Server 2003"},
                 {"WinVista", "Windows Vista"},
                 {"Win2008", "Windows Server 2008 and 2008 R2"},
                 {"Win7", "Windows 7"}};
  std::vector<SchemaKey> keys;
  for (const auto &system : systems) {
    keys.push_back(Switch(system.key, std::string("1: the installer runs on ") + system.system +
                                          "; 0: it refuses to. Later systems (Windows 8 and "
                                          "newer) are never refused."));
  }
  std::vector<SchemaChoice> dotNet = {{0, "no requirement"}};
  const char *dotNetNames[] = {"1.0", "1.1", "2.0", "3.0", "3.5", "4.0 (full)", "4.0 Client Profile"};
  for (int i = 0; i < 7; i++) dotNet.push_back({i + 1, std::string("exactly ") + dotNetNames[i]});
  const char *laterNames[] = {"1.0", "1.1", "2.0", "3.0", "3.5"};
  for (int i = 0; i < 5; i++) dotNet.push_back({i + 8, std::string(laterNames[i]) + " or later"});
  std::vector<SchemaChoice> ie = {{0, "no requirement"}};
  for (int i = 0; i < 6; i++) ie.push_back({i + 1, "exactly version " + std::to_string(i + 4)});
  for (int i = 0; i < 5; i++) ie.push_back({i + 7, "version " + std::to_string(i + 4) + " or later"});
  Append(&keys,
         {Flag("InstallerType", "1: refuse to run on 64-bit Windows. (Not the key of the same "
                                "name in [LookAndFeel].)"),
          Choice("DotNETVersion", dotNet, "The .NET Framework the product needs."),
          Flag("DotNETVisitWebpage", "1: after saying that .NET is missing, open DotNETWebpageAddress."),
          Text("DotNETWebpageAddress", kExpandOnRead, "Where .NET can be had."),
          Choice("IEVersion", ie, "The Internet Explorer version the product needs."),
          Flag("IEVisitWebpage", "1: after saying that Internet Explorer is missing, open IEWebpageAddress."),
          Text("IEWebpageAddress", kExpandOnRead, "Where Internet Explorer can be had."),
          Flag("CheckSysRequirements", "1: check processor speed and memory (the keys below)."),
          Flag("CheckCPUSpeed", "1: compare the processor speed with CPUSpeedMin and CPUSpeedRec."),
          Range("CPUSpeedMin", 0, 2147483647, "Minimum processor speed, MHz."),
          Range("CPUSpeedRec", 0, 2147483647, "Recommended processor speed, MHz."),
          Flag("CheckMemSize", "1: compare the physical memory with MemSizeMin and MemSizeRec."),
          Range("MemSizeMin", 0, 2147483647, "Minimum memory, MB."),
          Range("MemSizeRec", 0, 2147483647, "Recommended memory, MB."),
          Switch("FailMinimumReqs",
                 "0: below the minimum, ask whether to go on; 1: stop the installer."),
          Switch("FailRecommendedReqs",
                 "0: below the recommendation, ask whether to go on; 1: stop the installer."),
          Flag("RequireExistingItems",
               "1: check the items of [RequireExistingItems] and stop when one is missing."),
          Flag("CheckForInstances",
               "1: stop when an item of [CloseItemsInstaller] is found running.")});
  return Group("SystemRequirements", kSchemaNamedGroup,
               "Which systems the installer runs on, and the checks it makes before the wizard.",
               keys);
}

std::vector<SchemaGroup> RequiredItems() {
  std::vector<SchemaGroup> groups;
  groups.push_back(Group(
      "RequireExistingItems", kSchemaNamedGroup,
      "Programs that must be present, checked when [SystemRequirements] RequireExistingItems is 1.",
      {List("Items", "RequiredItem", "The required items' groups, separated by commas.")}));
  std::vector<SchemaKey> item = {
      Text("ProgramName", kExpandOnRead, "The program's name, shown when it is missing.")};
  Append(&item, SystemSwitches("the item is checked", "WinME"));
  Append(&item, {Id("The item's number."),
                 List("Files", "RequiredFile", "Files that must exist."),
                 List("Keys", "RequiredKey", "Registry keys that must exist."),
                 List("Values", "RequiredValue", "Registry values that must exist.")});
  groups.push_back(Group("RequiredItem", kSchemaItemGroup,
                         "A required program, named in [RequireExistingItems] Items.", item));
  groups.push_back(Group(
      "RequiredFile", kSchemaItemGroup, "A file of a required item (its Files key).",
      {Id("The file's number."), Text("FilePath", kExpandOnRead, "The file."),
       Flag("CheckVersion", "1: its version must be MajorHi.MajorLow.MinorHi.MinorLow exactly."),
       Range("MinorLow", 0, 65535, "The version's fourth number."),
       Range("MinorHi", 0, 65535, "The version's third number."),
       Range("MajorLow", 0, 65535, "The version's second number."),
       Range("MajorHi", 0, 65535, "The version's first number.")}));
  groups.push_back(Group("RequiredKey", kSchemaItemGroup,
                         "A registry key of a required item (its Keys key).",
                         {Id("The key's number."), Choice("MainKey", RootKeys(), "The root key."),
                          Text("SubKey", kExpandOnRead, "The key below the root.")}));
  groups.push_back(Group(
      "RequiredValue", kSchemaItemGroup, "A registry value of a required item (its Values key).",
      {Id("The value's number."), Choice("MainKey", RootKeys(), "The root key."),
       Text("SubKey", kExpandOnRead, "The key below the root."),
       Text("ValueName", kExpandOnRead, "The value's name.")}));
  return groups;
}

SchemaVariant Variant(int32_t type, const std::string &title, const std::vector<SchemaKey> &keys,
                      const std::vector<std::string> &example) {
  SchemaVariant variant;
  variant.type = type;
  variant.title = title;
  variant.keys = keys;
  variant.example = example;
  return variant;
}

std::vector<SchemaGroup> CloseItems() {
  std::vector<SchemaGroup> groups;
  groups.push_back(Group(
      "CloseItemsInstaller", kSchemaNamedGroup,
      "Signs that the product is running, checked when [SystemRequirements] CheckForInstances is 1.",
      {List("Items", "CloseItem", "The close items' groups, separated by commas.")}));
  SchemaGroup item = Group(
      "CloseItem", kSchemaItemGroup,
      "A sign that a program is running, named in [CloseItemsInstaller] or [CloseItemsUninstaller] Items.",
      {Id("The item's number."),
       Choice("Type", {{0, "a named mutex"}, {1, "a top-level window"}}, "What to look for.")});
  item.variants.push_back(Variant(
      0, "a mutex the program holds",
      {Text("MutexName", kExpandOnRead, "The mutex's name.")},
      {"[50]", "ID = 50", "Type = 0", "MutexName = MyProductRunning"}));
  item.variants.push_back(Variant(
      1, "a window the program shows",
      {Text("WindowName", kExpandOnRead, "The window's title."),
       Text("WindowClass", kExpandOnRead, "Its window class; empty: any class."),
       Flag("MatchExactly", "1: the title must equal WindowName; 0: it must contain it.")},
      {"[51]", "ID = 51", "Type = 1", "WindowName = My Product", "WindowClass =",
       "MatchExactly = 0"}));
  groups.push_back(item);
  return groups;
}

SchemaGroup RegistryVarsGroup() {
  return Group("RegistryVars", kSchemaNamedGroup,
               "Path variables of the script's own, read from the registry once the script is read.",
               {List("Items", "RegistryVar", "The variables' groups, separated by commas.")});
}

SchemaGroup RegistryVar() {
  return Group(
      "RegistryVar", kSchemaItemGroup,
      "A path variable whose value is a registry value of the local machine (named in "
      "[RegistryVars] Items). Replaced after every other variable, so a value holding a "
      "variable stays as it is.",
      {Choice("MainKey", RootKeys(), "The root key."),
       Text("Key", kExpandNever, "The key below the root; empty: the variable has no value."),
       Text("Value", kExpandNever, "The value's name."),
       Text("PathVarName", kExpandNever, "The variable, for example <commonfiles>."),
       Text("DefaultTo", kExpandNever, "The variable's value when the registry value is missing.")});
}

std::vector<SchemaGroup> ComponentGroups() {
  std::vector<SchemaGroup> groups;
  groups.push_back(Group("FileConfig", kSchemaNamedGroup, "What happens to files already there.",
                         {Choice("ReplaceStatus",
                                 {{0, "always replace"},
                                  {1, "replace unless the file there is newer"},
                                  {2, "ask the user (a silent run keeps newer files)"}},
                                 "An existing file in the way of a product file.")}));
  groups.push_back(Group("Categories", kSchemaNamedGroup,
                         "The component tree's top rows; a component shows only in a category.",
                         {List("Items", "Category", "The categories' groups, separated by commas.")}));
  groups.push_back(Group(
      "Category", kSchemaItemGroup, "A row of the component tree (named in [Categories] Items).",
      {Id("The category's number, which components name in CategoryID."),
       Text("InternalName", kExpandNever, "A name for the script's writer; not shown."),
       TextGroupId("LocalizedNameID", "The group of its shown names, one per language.")}));
  groups.push_back(Group("Components", kSchemaNamedGroup,
                         "The parts of the product the user can choose.",
                         {List("Items", "Component", "The components' groups, separated by commas.")}));
  groups.push_back(Group(
      "Component", kSchemaItemGroup,
      "A part of the product (named in [Components] Items). Its files are the project's "
      "Files/<ID> folder.",
      {Id("The component's number: its Files/<ID> folder, and what tasks and shortcuts name in "
          "ComponentID."),
       Refers(Number("CategoryID", "The category whose row it shows under."), kRefCategory),
       Text("InternalName", kExpandNever, "A name for logs; not shown in the wizard."),
       TextGroupId("LocalizedNameID", "The group of its shown names, one per language."),
       TextGroupId("DescriptionID", "The group of its descriptions, one per language."),
       Text("PathVariable", kExpandNever,
            "A path variable of its own, for example <AppDir>, that stands for its folder."),
       Text("InstallationPath", kExpandOnUse,
            "Where its files go. The principal component's is the install folder the user may "
            "change; the others' usually start with the principal one's variable."),
       Flag("IsPrincipal",
            "1: the main component: always installed, its folder is the install folder. One "
            "component should be."),
       Flag("IsPathEnforced", "1 (principal component): the install folder cannot be changed."),
       Flag("IsMandatory", "1: always installed, its box cannot be cleared."),
       Flag("IsMarked", "1: ticked to begin with.")}));
  groups.push_back(Group(
      "LocalizedTexts", kSchemaTextGroup,
      "Names and descriptions per language, in a group named by a number (a LocalizedNameID or "
      "DescriptionID). Each key is a LangID (1033 English, 1031 German, ...) and its value the "
      "text (path variables expanded); -1 is the text for every other language.",
      {}));
  return groups;
}

std::vector<SchemaGroup> ExistingInstallations() {
  std::vector<SchemaGroup> groups;
  groups.push_back(Group(
      "DetectExistingInstallations", kSchemaNamedGroup,
      "Earlier products that must be uninstalled first, found in Add/Remove Programs.",
      {Flag("PromptUninstallExisting", "1: look for the items below."),
       List("Items", "ExistingInstallation", "The items' groups, separated by commas.")}));
  groups.push_back(Group(
      "ExistingInstallation", kSchemaItemGroup,
      "A product that must be removed first (named in [DetectExistingInstallations] Items).",
      {Text("ProgramName", kExpandOnRead, "Its name in Add/Remove Programs (DisplayName)."),
       Text("ProgramVersion", kExpandOnRead, "Its version (DisplayVersion); empty: any version."),
       Flag("Remove", "1: finding it stops the installer; 0: it is ignored.")}));
  return groups;
}

// The title or subtitle font keys of the page headers.
std::vector<SchemaKey> HeaderFontKeys(const std::string &prefix, const std::string &what) {
  return {Text(prefix + "Font", kExpandNever, "The " + what + "'s font face, for example Tahoma."),
          Range(prefix + "Size", 0, 200, "Its size in points."),
          Bits(prefix + "Flags", FontStyles(), "Its style: a sum of the bits listed."),
          Number(prefix + "PosX", "Where it starts, in pixels from the header's left edge."),
          Number(prefix + "PosY", "Where it starts, in pixels from the header's top edge."),
          Colour(prefix + "Color", "Its colour."),
          Flag(prefix + "Shadow", "1: draw a shadow one pixel to the right and below."),
          Colour(prefix + "ShadowColor", "The shadow's colour.")};
}

SchemaGroup LookAndFeel() {
  std::vector<SchemaKey> keys = {Flag(
      "InstallerType",
      "1: a full-screen background window behind the wizard; 0: the wizard alone. (Not the key of "
      "the same name in [SystemRequirements].)")};
  Append(&keys, HeaderFontKeys("HeaderTitleText", "page headers' title"));
  Append(&keys, HeaderFontKeys("HeaderText", "page headers' subtitle"));
  Append(&keys,
         {Flag("ShowInformation", "1: show the information page (Information/<LangID>.txt)."),
          Flag("ShowLicense", "1: show the licence page (License/<LangID>.txt); Next waits for "
                              "the user's agreement."),
          Flag("ShowWebsiteLink", "1: the wizard shows ProgramWebsite as a link."),
          Flag("ShowCopyrightNotice", "1: the welcome page shows CopyrightString."),
          Flag("BKUseGradient", "1 (with BKUsePicture 0): the background is a colour gradient."),
          Flag("BKUsePicture", "1 (with BKUseGradient 0): the background is Background.bmp, "
                               "stretched to the screen."),
          Colour("BKFirstColor", "The gradient's first colour."),
          Colour("BKSecondColor", "The gradient's last colour."),
          Colour("BKTextColor", "The colour of BKText and of the copyright line."),
          Flag("BKVertical", "1 (with BKHorizontal 0): the colour changes from left to right."),
          Flag("BKHorizontal", "1 (with BKVertical 0): the colour changes from top to bottom."),
          Text("BKText", kExpandOnRead, "A large text at the background's top left."),
          Flag("BKShowCopyright", "1: CopyrightString near the background's bottom.")});
  return Group("LookAndFeel", kSchemaNamedGroup,
               "The wizard's pages, headers and full-screen background. Without a Header.bmp the "
               "headers are plain, with the same texts.",
               keys);
}

// One start-menu shortcut block of InstallerSettings.
std::vector<SchemaKey> StartMenuShortcutKeys(const std::string &kind, const std::string &what) {
  const std::string sm = "SM" + kind;
  const std::string create = "CreateSM" + kind + "Shortcut";
  return {Flag(create, "1: put a shortcut to the " + what + " in the start-menu group."),
          Text(sm + "OutputPath", kExpandOnUse,
               "Read but not used: the shortcut always goes into the group."),
          Text(sm + "OutputName", kExpandOnUse, "The shortcut's name (\".lnk\" is added)."),
          Text(sm + "FilePath", kExpandOnUse, "What it opens."),
          Text(sm + "IconPath", kExpandOnUse, "The file holding its icon; empty: the target's."),
          Number(sm + "IconIndex", "Which icon of that file."),
          Text(sm + "CommandLine", kExpandOnUse, "Arguments."),
          Text(sm + "StartIn", kExpandOnUse, "The working folder."),
          Text(sm + "Comment", kExpandOnUse, "The shortcut's description."),
          EnabledBy(ComponentId(sm + "ComponentID", "Made only when this component is installed."),
                    create)};
}

// One finish-page action of InstallerSettings; `pathKey` names its path.
std::vector<SchemaKey> FinishActionKeys(const std::string &prefix, const std::string &pathKey,
                                        const std::string &what) {
  const std::string box = prefix + "Checkbox";
  return {Flag(box, "1: the finish page offers to " + what + " (ticked)."),
          Text(pathKey, kExpandOnUse, "The program or document."),
          Text(prefix + "CommandLine", kExpandOnUse, "Arguments."),
          Choice(prefix + "RunMode", RunModes(), "How it is started."),
          Flag(prefix + "RunHidden", "1: with its window hidden."),
          Flag(prefix + "WaitUntilQuit", "Read but not used: finish actions never wait."),
          DisabledBy(EnabledBy(ComponentId(prefix + "ComponentID",
                                           "Offered only when this component is installed."),
                               box),
                     "ShowRestartComputerCheckbox")};
}

SchemaGroup InstallerSettings() {
  std::vector<SchemaKey> keys = {
      Flag("CreateGroup", "1: offer a start-menu group (the user may decline it)."),
      Text("CustomStartMenuGroup", kExpandOnRead,
           "The group's name as first offered; \"\\\" makes nested folders (Vendor\\Product)."),
      Flag("CreateUninstallShortcut", "1: an uninstall shortcut in the group (with "
                                      "[UninstallerSettings] CreateUninstaller 1)."),
      Text("CustomStartMenuUninstall", kExpandOnRead, "Its name."),
      Flag("CreateInternetLink", "1: a link to ProgramWebsite in the group."),
      Text("CustomStartMenuWebLink", kExpandOnRead, "Its name (\".url\" is added).")};
  Append(&keys, StartMenuShortcutKeys("Program", "program"));
  Append(&keys, StartMenuShortcutKeys("Documentation", "documentation"));
  Append(&keys, StartMenuShortcutKeys("Readme", "readme"));
  Append(&keys, StartMenuShortcutKeys("License", "licence"));
  keys.push_back(Flag("ShowRestartComputerCheckbox",
                      "1: the finish page offers a restart instead of the actions below; a "
                      "silent run ends with exit code 3010."));
  Append(&keys, FinishActionKeys("LaunchProgram", "LaunchProgramProgramPath", "start the program"));
  Append(&keys, FinishActionKeys("ViewDocumentation", "ViewDocumentationProgramPath",
                                 "open the documentation"));
  Append(&keys, FinishActionKeys("ViewReadme", "ViewReadmePath", "open the readme"));
  Append(&keys, FinishActionKeys("ViewLicense", "ViewLicensePath", "open the licence"));
  Append(&keys, {Flag("VisitWebsiteCheckbox", "1: the finish page offers to open a web page."),
                 Text("VisitWebsiteAddress", kExpandOnUse, "That page.")});
  return Group("InstallerSettings", kSchemaNamedGroup,
               "The start-menu group with its shortcuts, and the finish page's actions.", keys);
}

// Descriptions and rules of task keys, by key name; `uninstaller` for the
// uninstaller's task types, whose keys partly mean other things.
SchemaKey TaskKey(const TaskField &field, bool uninstaller, int32_t type) {
  const std::string name = field.key;
  const SchemaExpansion use = kExpandOnUse;
  if (name == "BaseKey") return Choice(name, RootKeys(), "The root key.");
  if (name == "ValueType")
    return Choice(name, {{0, "text (REG_SZ)"}, {1, "number (REG_DWORD)"}},
                  "How ValueData is stored.");
  if (name == "RunMode") return Choice(name, RunModes(), "How the program is started.");
  if (name == "ExecutionTime")
    return Choice(name,
                  uninstaller ? std::vector<SchemaChoice>{{0, "before anything is removed"},
                                                          {1, "after the files are removed"}}
                              : std::vector<SchemaChoice>{{0, "before the files are copied"},
                                                          {1, "after the files are copied"}},
                  "When the program runs.");
  if (name == "RunHidden") return Flag(name, "1: with its window hidden.");
  if (name == "WaitUntilQuit") return Flag(name, "1: wait until the program has ended.");
  if (name == "IconIndex") return Number(name, "Which icon of the icon file.");
  const struct {
    const char *key;
    const char *meaning;
  } texts[] = {
      {"ProgramPath", "The program or document."},
      {"CommandLine", type == 5 ? "The verb's arguments; empty: \"%1\", the file."
                                : "Arguments."},
      {"KeyPath", "The key below the root."},
      {"Key", "The key below the root."},
      {"ValueName", type == 10 ? "The INI key." : "The value's name; empty: the key's default value."},
      {"ValueData", type == 10 ? "Its text." : "The data: a text, or a number for ValueType 1."},
      {"OutputPath", "The shortcut file (\".lnk\" is added). One starting with <desktop> or "
                     "<quicklaunch> follows the wizard's boxes."},
      {"FilePath", uninstaller ? "The file to delete." : "What the shortcut opens."},
      {"IconPath", "The file holding its icon; empty: the target's."},
      {"StartIn", "The working folder."},
      {"Comment", "The shortcut's description."},
      {"LinkPath", "The internet shortcut file (\".url\" is added)."},
      {"WebAddress", "The address it opens."},
      {"ExePath", "The program that opens files of the type."},
      {"ExplorerDescription", "The verb: the command's text in the file's menu, for example "
                              "open or Open with My Viewer; empty: open. It becomes the type's "
                              "default command (what a double click does) unless the type "
                              "names one. Programs that open a document by the verb's name "
                              "(and Wine's start command) ask for open."},
      {"Extension", "The file type, with or without the dot."},
      {"Icon", "The file holding the type's icon; empty: ExePath."},
      {"Description", "The type's description shown by Explorer."},
      {"DllPath", "The DLL, registered with regsvr32."},
      {"VariableName", "The system environment variable."},
      {"VariableData", "Its value."},
      {"FontPath", "The font file, copied into the fonts folder."},
      {"IniPath", "The INI file."},
      {"GroupName", "The INI group made (empty)."},
      {"Group", "The INI group."},
      {"Address", type == 7 && uninstaller ? "The web address."
                  : type == 14            ? "The file."
                                          : "The folder."},
      {"SourceFile", "The file copied."},
      {"DestinationFile", "Its copy (replaced when there)."},
  };
  for (const auto &text : texts) {
    if (name == text.key) return Text(name, use, text.meaning);
  }
  return field.text ? Text(name, use, "") : Number(name, "");
}

struct TaskTypeDoc {
  int32_t type;
  const char *title;
  std::vector<std::string> example;  // after the common keys
};

const std::vector<TaskTypeDoc> &InstallerTaskDocs() {
  static const std::vector<TaskTypeDoc> docs = {
      {0, "run a program", {"ProgramPath = <AppDir>\\Setup\\vcredist.exe", "CommandLine = /quiet",
                            "RunMode = 0", "ExecutionTime = 1", "RunHidden = 1", "WaitUntilQuit = 1"}},
      {1, "create a registry key (and every level above it that is missing)",
       {"BaseKey = 1", "KeyPath = Software\\My Company\\My Product"}},
      {2, "write a registry value (its key is created when missing)",
       {"BaseKey = 1", "KeyPath = Software\\My Company\\My Product", "ValueName = InstallFolder",
        "ValueData = <AppDir>", "ValueType = 0"}},
      {3, "create a shortcut",
       {"OutputPath = <desktop>\\My Product", "FilePath = <AppDir>\\MyApp.exe",
        "IconPath =", "IconIndex = 0", "CommandLine =", "StartIn = <AppDir>",
        "Comment = Start My Product"}},
      {4, "create an internet shortcut",
       {"LinkPath = <AppDir>\\Support", "WebAddress = https://www.example.com/support"}},
      {5, "register a file type (double-clicking a file opens the program)",
       {"ExePath = <AppDir>\\MyApp.exe", "CommandLine =", "ExplorerDescription = open",
        "Extension = .mydoc", "Icon =", "IconIndex = 1", "Description = My Product document"}},
      {6, "register a DLL", {"DllPath = <AppDir>\\MyShellExtension.dll"}},
      {7, "set a system environment variable",
       {"VariableName = MYPRODUCT_HOME", "VariableData = <AppDir>"}},
      {8, "install a font", {"FontPath = <AppDir>\\Fonts\\MyFont.ttf"}},
      {9, "create an INI group", {"IniPath = <AppDir>\\settings.ini", "GroupName = Options"}},
      {10, "write an INI value",
       {"IniPath = <AppDir>\\settings.ini", "Group = Options", "ValueName = Language",
        "ValueData = <lcid>"}},
      {11, "create a folder (its parent must exist)", {"Address = <AppDir>\\Data"}},
      {12, "delete a folder with its contents", {"Address = <AppDir>\\OldData"}},
      {13, "copy a file",
       {"SourceFile = <AppDir>\\default.ini", "DestinationFile = <appdata>\\My Product\\user.ini"}},
      {14, "delete a file", {"Address = <AppDir>\\obsolete.dll"}},
  };
  return docs;
}

const std::vector<TaskTypeDoc> &UninstallerTaskDocs() {
  static const std::vector<TaskTypeDoc> docs = {
      {0, "run a program", {"ProgramPath = <AppDir>\\MyApp.exe", "CommandLine = /unregister",
                            "RunMode = 0", "ExecutionTime = 0", "RunHidden = 1", "WaitUntilQuit = 1"}},
      {1, "delete a registry key with everything below it",
       {"BaseKey = 1", "Key = Software\\My Company\\My Product\\Cache"}},
      {2, "delete a registry value",
       {"BaseKey = 1", "KeyPath = Software\\My Company\\My Product", "ValueName = LastRun"}},
      {3, "copy a file",
       {"SourceFile = <AppDir>\\user.ini", "DestinationFile = <documents>\\My Product settings.ini"}},
      {4, "delete a file", {"FilePath = <AppDir>\\cache.db"}},
      {5, "delete a folder with its contents", {"Address = <AppDir>\\Cache"}},
      {6, "delete a folder when it is empty", {"Address = <AppDir>\\Plugins"}},
      {7, "open a web address (not in a silent run)",
       {"Address = https://www.example.com/why-uninstall"}},
  };
  return docs;
}

SchemaGroup TaskGroup(const std::string &role, bool uninstaller) {
  std::vector<SchemaKey> keys = {
      Id("The task's number."), Text("Name", kExpandNever, "A label for the log."),
      Choice("Type", {}, "What the task does: the types below.")};
  Append(&keys, SystemSwitches("the task runs", "WinMe"));
  keys.push_back(ComponentId("ComponentID", "The task runs only when this component is installed."));
  const std::vector<TaskTypeDoc> &docs = uninstaller ? UninstallerTaskDocs() : InstallerTaskDocs();
  SchemaGroup group = Group(
      role, kSchemaItemGroup,
      uninstaller ? "A task the uninstaller runs (named in [UninstallerTasks] Items); its texts "
                    "are expanded when the installation writes the uninstaller's data."
                  : "A task of the installation (named in [InstallerTasks] Items). Programs with "
                    "ExecutionTime 0 run before the files are copied; every other task after "
                    "them, in list order. What each task changed is undone by the uninstaller.",
      {});
  for (const TaskTypeDoc &doc : docs) {
    keys[2].choices.push_back({doc.type, doc.title});
    const TaskFieldList fields =
        uninstaller ? UninstallerTaskFields(doc.type) : InstallerTaskFields(doc.type);
    std::vector<SchemaKey> typeKeys;
    for (size_t i = 0; i < fields.count; i++)
      typeKeys.push_back(TaskKey(fields.fields[i], uninstaller, doc.type));
    const std::string id = std::to_string(uninstaller ? 90 + doc.type : 30 + doc.type);
    std::vector<std::string> example = {"[" + id + "]", "ID = " + id, "Name = " + std::string(doc.title),
                                        "Type = " + std::to_string(doc.type), "Win7 = 1",
                                        "ComponentID = 1"};
    example.insert(example.end(), doc.example.begin(), doc.example.end());
    group.variants.push_back(Variant(doc.type, doc.title, typeKeys, example));
  }
  group.keys = keys;
  return group;
}

std::vector<SchemaGroup> UninstallerGroups() {
  std::vector<SchemaGroup> groups;
  groups.push_back(Group(
      "UninstallerSettings", kSchemaNamedGroup, "The uninstaller the installation leaves behind.",
      {Flag("CreateUninstaller", "1: write Uninst<n>.exe and its data into the install folder."),
       Flag("CreateAddRemoveEntry", "1: an entry in Add/Remove Programs (Apps & features)."),
       Text("AddRemoveEntryName", kExpandOnRead, "The entry's name; also its registry key's name."),
       Text("CustomUninstallerIconPath", kExpandOnUse,
            "The entry's and uninstall shortcut's icon file; empty: the uninstaller's."),
       Number("CustomUninstallerIconIndex", "Which icon of that file."),
       Flag("UninstRestartPC", "1: the uninstaller asks for a restart at its end."),
       Flag("CheckForInstances",
            "1: the uninstaller stops while an item of [CloseItemsUninstaller] is found.")}));
  groups.push_back(Group(
      "CloseItemsUninstaller", kSchemaNamedGroup,
      "Signs that the product is running, checked by the uninstaller.",
      {List("Items", "CloseItem", "The close items' groups, separated by commas.")}));
  groups.push_back(Group("UninstallerTasks", kSchemaNamedGroup,
                         "What the uninstaller does besides undoing the installation.",
                         {List("Items", "UninstallerTask", "The tasks' groups, separated by commas.")}));
  groups.push_back(TaskGroup("UninstallerTask", true));
  groups.push_back(Group(
      "SkipUninstallFiles", kSchemaValueGroup,
      "Installed files the uninstaller leaves in place: every entry's value is one file (path "
      "variables expanded when the installation starts); the keys do not matter.",
      {}));
  return groups;
}

std::vector<SchemaGroup> BuildSchema() {
  std::vector<SchemaGroup> groups;
  groups.push_back(GeneralInformation());
  groups.push_back(SystemRequirements());
  for (const SchemaGroup &group : RequiredItems()) groups.push_back(group);
  for (const SchemaGroup &group : CloseItems()) groups.push_back(group);
  groups.push_back(RegistryVarsGroup());
  groups.push_back(RegistryVar());
  for (const SchemaGroup &group : ComponentGroups()) groups.push_back(group);
  for (const SchemaGroup &group : ExistingInstallations()) groups.push_back(group);
  groups.push_back(LookAndFeel());
  groups.push_back(InstallerSettings());
  groups.push_back(Group("InstallerTasks", kSchemaNamedGroup,
                         "What the installation does besides copying files.",
                         {List("Items", "InstallerTask", "The tasks' groups, separated by commas.")}));
  groups.push_back(TaskGroup("InstallerTask", false));
  for (const SchemaGroup &group : UninstallerGroups()) groups.push_back(group);
  SchemaGroup builder = Group(
      "Builder", kSchemaNamedGroup, "Read by qvsbuild when it builds the installer.",
      {Flag("RequireAdministrator",
            "1: the installer asks for administrator rights when it starts (as --require-admin).")});
  builder.builderOnly = true;
  groups.push_back(builder);
  return groups;
}

}  // namespace

const std::vector<SchemaGroup> &ScriptSchemaGroups() {
  static const std::vector<SchemaGroup> groups = BuildSchema();
  return groups;
}

const SchemaGroup *FindSchemaGroup(const std::string &name) {
  const std::string wanted = AnsiLower(TrimSpaces(name));
  for (const SchemaGroup &group : ScriptSchemaGroups())
    if (AnsiLower(group.name) == wanted) return &group;
  return nullptr;
}

const SchemaVariant *FindSchemaVariant(const SchemaGroup &group, int64_t type) {
  for (const SchemaVariant &variant : group.variants)
    if (variant.type == type) return &variant;
  return nullptr;
}

const SchemaKey *FindSchemaKey(const SchemaGroup &group, const SchemaVariant *variant,
                               const std::string &name) {
  const std::string wanted = AnsiLower(TrimSpaces(name));
  for (const SchemaKey &key : group.keys)
    if (AnsiLower(key.name) == wanted) return &key;
  if (variant != nullptr) {
    for (const SchemaKey &key : variant->keys)
      if (AnsiLower(key.name) == wanted) return &key;
  }
  return nullptr;
}

const std::vector<PathVariableDoc> &PathVariableDocs() {
  static const std::vector<PathVariableDoc> docs = {
      {"<programname>", "ProgramName of [GeneralInformation]"},
      {"<programversion>", "ProgramVersion"},
      {"<companyname>", "CompanyName"},
      {"<programwebsite>", "ProgramWebsite"},
      {"<supportemail>", "SupportEmail"},
      {"<temp>", "the user's temporary folder"},
      {"<rootpartition>", "the drive of the user's desktop folder, for example C:"},
      {"<documents>", "the user's Documents folder"},
      {"<appdata>", "the user's roaming application data (AppData\\Roaming)"},
      {"<localappdata>", "the user's local application data (AppData\\Local)"},
      {"<desktop>", "the user's desktop (in a shortcut task, the all-users desktop when the "
                    "user installs for all users)"},
      {"<commondesktop>", "the all-users desktop"},
      {"<quicklaunch>", "the quick-launch bar's folder (no shortcut is made there from Windows 7 on)"},
      {"<start>", "the user's start menu"},
      {"<startprograms>", "the user's start menu's Programs folder"},
      {"<commonstartprograms>", "the all-users start menu's Programs folder"},
      {"<programfiles>", "Program Files of the installer's kind: the 64-bit one for an x64 "
                         "installer, Program Files (x86) for an i686 one on 64-bit Windows"},
      {"<programfiles_x86>", "Program Files (x86) on 64-bit Windows, else Program Files"},
      {"<windows>", "the Windows folder"},
      {"<system>", "the system folder (System32)"},
      {"<lcid>", "the chosen language's LangID, for example 1033"},
      {"<installerexe>", "the running installer's full path"},
      {"<installerexedir>", "the folder holding the installer"},
      {"<currentusername>", "the user's logon name"},
      {"<purebasic>", "the folder of the PureBasic development tool, when installed"},
      {"<defaultstartmenugroup>", "the start-menu group the user chose; empty before the "
                                  "installation starts and when there is none"},
  };
  return docs;
}

const std::vector<LanguageStringUse> &InstallerStringUses() {
  static const std::vector<LanguageStringUse> uses = {
      {1, 1, "caption of error messages"},
      {2, 2, "the script cannot be read"},
      {3, 3, "caption of information messages"},
      {4, 16, "operating system, 64-bit, .NET, Internet Explorer, processor and memory checks"},
      {17, 22, "required items check"},
      {23, 26, "running programs check"},
      {27, 28, "earlier installation check"},
      {29, 38, "the replace-file question (29: date format of its file lines)"},
      {39, 41, "components and folder pages"},
      {42, 44, "install types: preset, everything, custom"},
      {45, 55, "review page"},
      {56, 60, "rollback and finishing messages"},
      {61, 68, "remaining time"},
      {69, 77, "extraction status and errors"},
      {78, 78, "the uninstall shortcut's description"},
      {79, 82, "progress page status"},
      {83, 86, "tasks page boxes (one or several shortcuts)"},
      {87, 104, "page headers: page k's title is 85 + 2k, its subtitle 86 + 2k"},
      {105, 105, "the background picture is damaged"},
      {106, 106, "the wizard's title when InstallerWindowTitle is empty"},
      {107, 110, "buttons: Previous, Next, Cancel, Finish"},
      {111, 112, "welcome page"},
      {113, 115, "licence and information pages"},
      {116, 120, "components page"},
      {121, 123, "install folder page"},
      {124, 126, "installation mode page"},
      {127, 128, "start-menu page"},
      {129, 131, "tasks page"},
      {132, 133, "review and progress pages"},
      {134, 141, "finish page"},
      {142, 148, "folder picker and the wizard's refusals"},
  };
  return uses;
}

const std::vector<LanguageStringUse> &UninstallerStringUses() {
  static const std::vector<LanguageStringUse> uses = {
      {1, 2, "the end message"},
      {3, 6, "running programs check"},
      {7, 9, "the question and the window's title"},
      {10, 11, "errors"},
      {12, 13, "progress window"},
      {14, 15, "restart question"},
  };
  return uses;
}
