// ReadInstallerScript: the script's groups in their fixed order. The order
// matters because expanded texts may name path variables defined by lists
// read earlier (components, registry variables).
#include "script/document.h"
#include "script/script_read_helpers.h"

namespace {

void ReadGeneralInformation(const ScriptReader &reader) {
  const std::string g = "GeneralInformation";
  ScriptSettings &s = *reader.settings;
  s.ProgramName = ReadText(g, "ProgramName");
  s.ProgramVersion = ReadText(g, "ProgramVersion");
  s.ProgramWebsite = ReadText(g, "ProgramWebsite");
  s.SupportEmail = ReadText(g, "SupportEmail");
  s.CompanyName = ReadText(g, "CompanyName");
  s.CopyrightString = ReadExpanded(reader, g, "CopyrightString");
  s.InstallerBandText = ReadExpanded(reader, g, "InstallerBandText");
  s.InstallerWindowTitle = ReadExpanded(reader, g, "InstallerWindowTitle");
}

void ReadSystemRequirements(const ScriptReader &reader) {
  const std::string g = "SystemRequirements";
  ScriptSettings &s = *reader.settings;
  s.Win95 = ReadInt(g, "Win95");
  s.WinNT4 = ReadInt(g, "WinNT4");
  s.Win98 = ReadInt(g, "Win98");
  s.WinMe = ReadInt(g, "WinMe");
  s.Win2000 = ReadInt(g, "Win2000");
  s.WinXP = ReadInt(g, "WinXP");
  s.Win2003 = ReadInt(g, "Win2003");
  s.WinVista = ReadInt(g, "WinVista");
  s.Win2008 = ReadInt(g, "Win2008");
  s.Win7 = ReadInt(g, "Win7");
  s.RequirementsInstallerType = ReadInt(g, "InstallerType");
  s.DotNETVersion = ReadInt(g, "DotNETVersion");
  s.DotNETVisitWebpage = ReadInt(g, "DotNETVisitWebpage");
  s.DotNETWebpageAddress = ReadExpanded(reader, g, "DotNETWebpageAddress");
  s.IEVersion = ReadInt(g, "IEVersion");
  s.IEVisitWebpage = ReadInt(g, "IEVisitWebpage");
  s.IEWebpageAddress = ReadExpanded(reader, g, "IEWebpageAddress");
  s.CheckSysRequirements = ReadInt(g, "CheckSysRequirements");
  s.CheckCPUSpeed = ReadInt(g, "CheckCPUSpeed");
  s.CPUSpeedMin = ReadInt(g, "CPUSpeedMin");
  s.CPUSpeedRec = ReadInt(g, "CPUSpeedRec");
  s.CheckMemSize = ReadInt(g, "CheckMemSize");
  s.MemSizeMin = ReadInt(g, "MemSizeMin");
  s.MemSizeRec = ReadInt(g, "MemSizeRec");
  s.FailMinimumReqs = ReadInt(g, "FailMinimumReqs");
  s.FailRecommendedReqs = ReadInt(g, "FailRecommendedReqs");
  s.RequireExistingItems = ReadInt(g, "RequireExistingItems");
  s.CheckForInstancesInstaller = ReadInt(g, "CheckForInstances");
}

void ReadLookAndFeel(const ScriptReader &reader) {
  const std::string g = "LookAndFeel";
  ScriptSettings &s = *reader.settings;
  s.LookInstallerType = ReadInt(g, "InstallerType");
  s.HeaderTitleTextFont = ReadText(g, "HeaderTitleTextFont");
  s.HeaderTitleTextSize = ReadInt(g, "HeaderTitleTextSize");
  s.HeaderTitleTextFlags = ReadInt(g, "HeaderTitleTextFlags");
  s.HeaderTitleTextPosX = ReadInt(g, "HeaderTitleTextPosX");
  s.HeaderTitleTextPosY = ReadInt(g, "HeaderTitleTextPosY");
  s.HeaderTitleTextColor = ReadInt(g, "HeaderTitleTextColor");
  s.HeaderTitleTextShadow = ReadInt(g, "HeaderTitleTextShadow");
  s.HeaderTitleTextShadowColor = ReadInt(g, "HeaderTitleTextShadowColor");
  s.HeaderTextFont = ReadText(g, "HeaderTextFont");
  s.HeaderTextSize = ReadInt(g, "HeaderTextSize");
  s.HeaderTextFlags = ReadInt(g, "HeaderTextFlags");
  s.HeaderTextPosX = ReadInt(g, "HeaderTextPosX");
  s.HeaderTextPosY = ReadInt(g, "HeaderTextPosY");
  s.HeaderTextColor = ReadInt(g, "HeaderTextColor");
  s.HeaderTextShadow = ReadInt(g, "HeaderTextShadow");
  s.HeaderTextShadowColor = ReadInt(g, "HeaderTextShadowColor");
  s.ShowInformation = ReadInt(g, "ShowInformation");
  s.ShowLicense = ReadInt(g, "ShowLicense");
  s.ShowWebsiteLink = ReadInt(g, "ShowWebsiteLink");
  s.ShowCopyrightNotice = ReadInt(g, "ShowCopyrightNotice");
  s.BKUseGradient = ReadInt(g, "BKUseGradient");
  s.BKUsePicture = ReadInt(g, "BKUsePicture");
  s.BKFirstColor = ReadInt(g, "BKFirstColor");
  s.BKSecondColor = ReadInt(g, "BKSecondColor");
  s.BKTextColor = ReadInt(g, "BKTextColor");
  s.BKVertical = ReadInt(g, "BKVertical");
  s.BKHorizontal = ReadInt(g, "BKHorizontal");
  s.BKText = ReadExpanded(reader, g, "BKText");
  s.BKShowCopyright = ReadInt(g, "BKShowCopyright");
}

// One start-menu shortcut block; `kind` is Program, Documentation, Readme
// or License. Its texts are kept as written: they may name the install
// folder, which is known only when the installation starts, so the engine
// expands them when it makes the shortcut.
void ReadStartMenuShortcut(const std::string &kind, StartMenuShortcut *sc) {
  const std::string g = "InstallerSettings";
  const std::string sm = "SM" + kind;
  sc->Create = ReadInt(g, "CreateSM" + kind + "Shortcut");
  sc->OutputPath = ReadText(g, sm + "OutputPath");
  sc->OutputName = ReadText(g, sm + "OutputName");
  sc->FilePath = ReadText(g, sm + "FilePath");
  sc->IconPath = ReadText(g, sm + "IconPath");
  sc->IconIndex = ReadInt(g, sm + "IconIndex");
  sc->CommandLine = ReadText(g, sm + "CommandLine");
  sc->StartIn = ReadText(g, sm + "StartIn");
  sc->Comment = ReadText(g, sm + "Comment");
  sc->ComponentID = ReadInt(g, sm + "ComponentID");
}

// One finish action; `pathKey` is the action's path key, whose name differs
// between actions (LaunchProgramProgramPath, ViewReadmePath). Path and
// command line are kept as written and expanded when the action runs.
void ReadFinishAction(const std::string &prefix, const std::string &pathKey,
                      FinishAction *action) {
  const std::string g = "InstallerSettings";
  action->Checkbox = ReadInt(g, prefix + "Checkbox");
  action->ProgramPath = ReadText(g, pathKey);
  action->CommandLine = ReadText(g, prefix + "CommandLine");
  action->RunMode = ReadInt(g, prefix + "RunMode");
  action->RunHidden = ReadInt(g, prefix + "RunHidden");
  action->WaitUntilQuit = ReadInt(g, prefix + "WaitUntilQuit");
  action->ComponentID = ReadInt(g, prefix + "ComponentID");
}

void ReadInstallerSettings(const ScriptReader &reader) {
  const std::string g = "InstallerSettings";
  ScriptSettings &s = *reader.settings;
  s.CreateGroup = ReadInt(g, "CreateGroup");
  s.CustomStartMenuGroup = ReadExpanded(reader, g, "CustomStartMenuGroup");
  s.CreateUninstallShortcut = ReadInt(g, "CreateUninstallShortcut");
  s.CustomStartMenuUninstall = ReadExpanded(reader, g, "CustomStartMenuUninstall");
  s.CreateInternetLink = ReadInt(g, "CreateInternetLink");
  s.CustomStartMenuWebLink = ReadExpanded(reader, g, "CustomStartMenuWebLink");
  ReadStartMenuShortcut("Program", &s.SMProgram);
  ReadStartMenuShortcut("Documentation", &s.SMDocumentation);
  ReadStartMenuShortcut("Readme", &s.SMReadme);
  ReadStartMenuShortcut("License", &s.SMLicense);
  s.ShowRestartComputerCheckbox = ReadInt(g, "ShowRestartComputerCheckbox");
  ReadFinishAction("LaunchProgram", "LaunchProgramProgramPath", &s.LaunchProgram);
  ReadFinishAction("ViewDocumentation", "ViewDocumentationProgramPath", &s.ViewDocumentation);
  ReadFinishAction("ViewReadme", "ViewReadmePath", &s.ViewReadme);
  ReadFinishAction("ViewLicense", "ViewLicensePath", &s.ViewLicense);
  s.VisitWebsiteCheckbox = ReadInt(g, "VisitWebsiteCheckbox");
  s.VisitWebsiteAddress = ReadText(g, "VisitWebsiteAddress");
}

void ReadUninstallerSettings(const ScriptReader &reader) {
  const std::string g = "UninstallerSettings";
  ScriptSettings &s = *reader.settings;
  s.CreateUninstaller = ReadInt(g, "CreateUninstaller");
  s.CreateAddRemoveEntry = ReadInt(g, "CreateAddRemoveEntry");
  s.AddRemoveEntryName = ReadExpanded(reader, g, "AddRemoveEntryName");
  s.CustomUninstallerIconPath = ReadText(g, "CustomUninstallerIconPath");
  s.CustomUninstallerIconIndex = ReadInt(g, "CustomUninstallerIconIndex");
  s.UninstRestartPC = ReadInt(g, "UninstRestartPC");
  s.CheckForInstancesUninstaller = ReadInt(g, "CheckForInstances");
}

// Files the uninstaller must leave: the value of every entry of the group,
// in order, kept as written (the engine expands them when it starts).
void ReadSkipUninstallFiles(ScriptSettings *s) {
  SelectGroup("SkipUninstallFiles");
  while (NextSelected()) s->SkipUninstallFiles.push_back(SelectedValue());
  ClearSelection();
}

}  // namespace

void ReadInstallerScript(const ScriptReadHooks &hooks, ScriptSettings *settings) {
  if (!settings) {
    return;
  }
  const ScriptReader reader = {&hooks, settings};
  ReadGeneralInformation(reader);
  ReadSystemRequirements(reader);
  ReadRequiredItems(reader);
  ReadCloseItems(reader, "CloseItemsInstaller", &settings->closeItemsInstaller);
  ReadRegistryVars(reader);
  settings->ReplaceStatus = ReadInt("FileConfig", "ReplaceStatus");
  ReadCategories(reader);
  ReadComponents(reader);
  settings->PromptUninstallExisting = ReadInt("DetectExistingInstallations", "PromptUninstallExisting");
  ReadExistingInstallations(reader);
  ReadLookAndFeel(reader);
  ReadInstallerSettings(reader);
  ReadInstallerTasks(reader);
  ReadUninstallerSettings(reader);
  ReadCloseItems(reader, "CloseItemsUninstaller", &settings->closeItemsUninstaller);
  ReadUninstallerTasks(reader);
  ReadSkipUninstallFiles(settings);
  ClearSelection();
}
