// The installer script's values: one record of scalar settings and the
// script's lists, filled once by ReadInstallerScript from the document store.
//
// Field names are the script's key names, so that code citing a key by name
// finds its field. Integers are kept as the low 32 bits of the value read; a
// missing key is the empty text or 0.
#ifndef QVS_SCRIPT_SCRIPT_SETTINGS_H
#define QVS_SCRIPT_SCRIPT_SETTINGS_H

#include <stdint.h>

#include <set>
#include <string>
#include <vector>

// One text per language: `langId` is the entry's key read as an integer
// (-1 names the text for every other language).
struct LocalizedText {
  int32_t langId = 0;
  std::string text;
};

// Per-system switches of required items and tasks, in OS order.
struct OsFlags {
  int32_t Win95 = 0;
  int32_t WinNT4 = 0;
  int32_t Win98 = 0;
  int32_t WinMe = 0;
  int32_t Win2000 = 0;
  int32_t WinXP = 0;
  int32_t WinServer2003 = 0;
  int32_t WinVista = 0;
  int32_t WinServer2008 = 0;
  int32_t Win7 = 0;
};

struct RequiredFile {
  int32_t ID = 0;
  std::string FilePath;
  int32_t CheckVersion = 0;
  int32_t MinorLow = 0;
  int32_t MinorHi = 0;
  int32_t MajorLow = 0;
  int32_t MajorHi = 0;
};

struct RequiredKey {
  int32_t ID = 0;
  int32_t MainKey = 0;
  std::string SubKey;
};

struct RequiredValue {
  int32_t ID = 0;
  int32_t MainKey = 0;
  std::string SubKey;
  std::string ValueName;
};

struct RequiredItem {
  std::string ProgramName;
  OsFlags systems;  // keys Win95 ... WinME ... Win7
  int32_t ID = 0;
  std::vector<RequiredFile> Files;
  std::vector<RequiredKey> Keys;
  std::vector<RequiredValue> Values;
};

// Type 0 names a mutex, type 1 a window; other types carry nothing more.
struct CloseItem {
  int32_t ID = 0;
  int32_t Type = 0;
  std::string MutexName;
  std::string WindowName;
  std::string WindowClass;
  int32_t MatchExactly = 0;
};

struct RegistryVar {
  int32_t MainKey = 0;
  std::string Key;
  std::string Value;
  std::string PathVarName;
  std::string DefaultTo;
  // The variable's value, resolved once after the script is read.
  std::string resolved;
};

struct Category {
  int32_t ID = 0;
  std::string InternalName;
  int32_t LocalizedNameID = 0;
  std::vector<LocalizedText> names;
};

struct Component {
  int32_t ID = 0;
  int32_t CategoryID = 0;
  std::string InternalName;
  int32_t LocalizedNameID = 0;
  int32_t DescriptionID = 0;
  std::string PathVariable;
  std::string InstallationPath;
  int32_t IsPrincipal = 0;
  int32_t IsPathEnforced = 0;
  int32_t IsMandatory = 0;
  int32_t IsMarked = 0;
  std::vector<LocalizedText> names;
  std::vector<LocalizedText> descriptions;
};

struct ExistingInstallation {
  std::string ProgramName;
  std::string ProgramVersion;
  int32_t Remove = 0;
};

// The keys of every task type in one record; a task fills those of its type
// (installer and uninstaller task types differ) and leaves the rest empty.
struct TaskDetails {
  std::string ProgramPath;
  std::string CommandLine;
  int32_t RunMode = 0;
  int32_t ExecutionTime = 0;
  int32_t RunHidden = 0;
  int32_t WaitUntilQuit = 0;
  int32_t BaseKey = 0;
  std::string KeyPath;
  std::string Key;
  std::string ValueName;
  std::string ValueData;
  int32_t ValueType = 0;
  std::string OutputPath;
  std::string FilePath;
  std::string IconPath;
  int32_t IconIndex = 0;
  std::string StartIn;
  std::string Comment;
  std::string LinkPath;
  std::string WebAddress;
  std::string ExePath;
  std::string ExplorerDescription;
  std::string Extension;
  std::string Icon;
  std::string Description;
  std::string DllPath;
  std::string VariableName;
  std::string VariableData;
  std::string FontPath;
  std::string IniPath;
  std::string GroupName;
  std::string Group;
  std::string Address;
  std::string SourceFile;
  std::string DestinationFile;
};

struct TaskItem {
  int32_t ID = 0;
  std::string Name;
  int32_t Type = 0;
  OsFlags systems;
  int32_t ComponentID = 0;
  TaskDetails details;
};

// A start-menu shortcut of InstallerSettings: the keys SM<Kind><Field>, and
// CreateSM<Kind>Shortcut for `Create`.
struct StartMenuShortcut {
  int32_t Create = 0;
  std::string OutputPath;
  std::string OutputName;
  std::string FilePath;
  std::string IconPath;
  int32_t IconIndex = 0;
  std::string CommandLine;
  std::string StartIn;
  std::string Comment;
  int32_t ComponentID = 0;
};

// A finish-page action of InstallerSettings (LaunchProgram..., ViewReadme...).
struct FinishAction {
  int32_t Checkbox = 0;
  std::string ProgramPath;  // the ...ProgramPath or ...Path key
  std::string CommandLine;
  int32_t RunMode = 0;
  int32_t RunHidden = 0;
  int32_t WaitUntilQuit = 0;
  int32_t ComponentID = 0;
};

struct ScriptSettings {
  // GeneralInformation
  std::string ProgramName;
  std::string ProgramVersion;
  std::string ProgramWebsite;
  std::string SupportEmail;
  std::string CompanyName;
  std::string CopyrightString;
  std::string InstallerBandText;
  std::string InstallerWindowTitle;

  // SystemRequirements
  int32_t Win95 = 0;
  int32_t WinNT4 = 0;
  int32_t Win98 = 0;
  int32_t WinMe = 0;
  int32_t Win2000 = 0;
  int32_t WinXP = 0;
  int32_t Win2003 = 0;
  int32_t WinVista = 0;
  int32_t Win2008 = 0;
  int32_t Win7 = 0;
  int32_t RequirementsInstallerType = 0;
  int32_t DotNETVersion = 0;
  int32_t DotNETVisitWebpage = 0;
  std::string DotNETWebpageAddress;
  int32_t IEVersion = 0;
  int32_t IEVisitWebpage = 0;
  std::string IEWebpageAddress;
  int32_t CheckSysRequirements = 0;
  int32_t CheckCPUSpeed = 0;
  int32_t CPUSpeedMin = 0;
  int32_t CPUSpeedRec = 0;
  int32_t CheckMemSize = 0;
  int32_t MemSizeMin = 0;
  int32_t MemSizeRec = 0;
  int32_t FailMinimumReqs = 0;
  int32_t FailRecommendedReqs = 0;
  int32_t RequireExistingItems = 0;
  int32_t CheckForInstancesInstaller = 0;

  std::vector<RequiredItem> requiredItems;
  std::vector<CloseItem> closeItemsInstaller;
  std::vector<RegistryVar> registryVars;

  // FileConfig
  int32_t ReplaceStatus = 0;

  std::vector<Category> categories;
  std::vector<Component> components;

  // DetectExistingInstallations
  int32_t PromptUninstallExisting = 0;
  std::vector<ExistingInstallation> existingInstallations;

  // LookAndFeel
  int32_t LookInstallerType = 0;
  std::string HeaderTitleTextFont;
  int32_t HeaderTitleTextSize = 0;
  int32_t HeaderTitleTextFlags = 0;
  int32_t HeaderTitleTextPosX = 0;
  int32_t HeaderTitleTextPosY = 0;
  int32_t HeaderTitleTextColor = 0;
  int32_t HeaderTitleTextShadow = 0;
  int32_t HeaderTitleTextShadowColor = 0;
  std::string HeaderTextFont;
  int32_t HeaderTextSize = 0;
  int32_t HeaderTextFlags = 0;
  int32_t HeaderTextPosX = 0;
  int32_t HeaderTextPosY = 0;
  int32_t HeaderTextColor = 0;
  int32_t HeaderTextShadow = 0;
  int32_t HeaderTextShadowColor = 0;
  int32_t ShowInformation = 0;
  int32_t ShowLicense = 0;
  int32_t ShowWebsiteLink = 0;
  int32_t ShowCopyrightNotice = 0;
  int32_t BKUseGradient = 0;
  int32_t BKUsePicture = 0;
  int32_t BKFirstColor = 0;
  int32_t BKSecondColor = 0;
  int32_t BKTextColor = 0;
  int32_t BKVertical = 0;
  int32_t BKHorizontal = 0;
  std::string BKText;
  int32_t BKShowCopyright = 0;

  // InstallerSettings
  int32_t CreateGroup = 0;
  std::string CustomStartMenuGroup;
  int32_t CreateUninstallShortcut = 0;
  std::string CustomStartMenuUninstall;
  int32_t CreateInternetLink = 0;
  std::string CustomStartMenuWebLink;
  StartMenuShortcut SMProgram;
  StartMenuShortcut SMDocumentation;
  StartMenuShortcut SMReadme;
  StartMenuShortcut SMLicense;
  int32_t ShowRestartComputerCheckbox = 0;
  FinishAction LaunchProgram;
  FinishAction ViewDocumentation;
  FinishAction ViewReadme;
  FinishAction ViewLicense;
  int32_t VisitWebsiteCheckbox = 0;
  std::string VisitWebsiteAddress;

  std::vector<TaskItem> installerTasks;

  // UninstallerSettings
  int32_t CreateUninstaller = 0;
  int32_t CreateAddRemoveEntry = 0;
  std::string AddRemoveEntryName;
  std::string CustomUninstallerIconPath;
  int32_t CustomUninstallerIconIndex = 0;
  int32_t UninstRestartPC = 0;
  int32_t CheckForInstancesUninstaller = 0;

  std::vector<CloseItem> closeItemsUninstaller;
  std::vector<TaskItem> uninstallerTasks;

  // SkipUninstallFiles: every entry's value, in order, as written.
  std::vector<std::string> SkipUninstallFiles;

  // The IDs of the script's required items, required files, keys and
  // values, close items, categories and tasks; later drawn IDs avoid them.
  std::set<int32_t> usedIds;
};

// What the reader needs from the platform. Every pointer may be null.
struct ScriptReadHooks {
  // Applied to the texts that the script expands as they are read (path
  // variables). It may look at the settings being filled: lists already
  // read, and the record being read, are in place when it runs. Null keeps
  // texts as they stand.
  std::string (*expandText)(const std::string &text) = nullptr;
  // Registry lookups for RegistryVars. Null reads as "the value does not
  // exist".
  bool (*registryValueExists)(int32_t mainKey, const std::string &key,
                              const std::string &valueName) = nullptr;
  std::string (*registryReadValue)(int32_t mainKey, const std::string &key,
                                   const std::string &valueName) = nullptr;
};

// Reads every group of the installer script from the document store into
// `settings`, in the script's fixed order, appending to its lists and
// `usedIds`; then resolves each registry variable once. Call after
// ParseDocument on the script text returned a non-zero count; the store is
// left as it was (the caller clears it). Leaves the selection empty.
void ReadInstallerScript(const ScriptReadHooks &hooks, ScriptSettings *settings);

// A registry variable's value: empty when its Key is empty; else the
// registry value when it exists, otherwise DefaultTo as written.
std::string ResolveRegistryVar(const ScriptReadHooks &hooks, const RegistryVar &var);

#endif
