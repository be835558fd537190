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
// or License. The Readme's link name is the one text kept as written.
void ReadStartMenuShortcut(const ScriptReader &reader, const std::string &kind,
                           StartMenuShortcut *sc) {
  const std::string g = "InstallerSettings";
  const std::string sm = "SM" + kind;
  sc->Create = ReadInt(g, "CreateSM" + kind + "Shortcut");
  sc->OutputPath = ReadExpanded(reader, g, sm + "OutputPath");
  sc->OutputName = kind == "Readme" ? ReadText(g, sm + "OutputName")
                                    : ReadExpanded(reader, g, sm + "OutputName");
  sc->FilePath = ReadExpanded(reader, g, sm + "FilePath");
  sc->IconPath = ReadExpanded(reader, g, sm + "IconPath");
  sc->IconIndex = ReadInt(g, sm + "IconIndex");
  sc->CommandLine = ReadExpanded(reader, g, sm + "CommandLine");
  sc->StartIn = ReadExpanded(reader, g, sm + "StartIn");
  sc->Comment = ReadExpanded(reader, g, sm + "Comment");
  sc->ComponentID = ReadInt(g, sm + "ComponentID");
}

// One finish action; `pathKey` is the action's path key, whose name differs
// between actions (LaunchProgramProgramPath, ViewReadmePath).
void ReadFinishAction(const ScriptReader &reader, const std::string &prefix,
                      const std::string &pathKey, FinishAction *action) {
  const std::string g = "InstallerSettings";
  action->Checkbox = ReadInt(g, prefix + "Checkbox");
  action->ProgramPath = ReadExpanded(reader, g, pathKey);
  action->CommandLine = ReadExpanded(reader, g, prefix + "CommandLine");
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
  ReadStartMenuShortcut(reader, "Program", &s.SMProgram);
  ReadStartMenuShortcut(reader, "Documentation", &s.SMDocumentation);
  ReadStartMenuShortcut(reader, "Readme", &s.SMReadme);
  ReadStartMenuShortcut(reader, "License", &s.SMLicense);
  s.ShowRestartComputerCheckbox = ReadInt(g, "ShowRestartComputerCheckbox");
  ReadFinishAction(reader, "LaunchProgram", "LaunchProgramProgramPath", &s.LaunchProgram);
  ReadFinishAction(reader, "ViewDocumentation", "ViewDocumentationProgramPath",
                   &s.ViewDocumentation);
  ReadFinishAction(reader, "ViewReadme", "ViewReadmePath", &s.ViewReadme);
  ReadFinishAction(reader, "ViewLicense", "ViewLicensePath", &s.ViewLicense);
  s.VisitWebsiteCheckbox = ReadInt(g, "VisitWebsiteCheckbox");
  s.VisitWebsiteAddress = ReadExpanded(reader, g, "VisitWebsiteAddress");
}

void ReadUninstallerSettings(const ScriptReader &reader) {
  const std::string g = "UninstallerSettings";
  ScriptSettings &s = *reader.settings;
  s.CreateUninstaller = ReadInt(g, "CreateUninstaller");
  s.CreateAddRemoveEntry = ReadInt(g, "CreateAddRemoveEntry");
  s.AddRemoveEntryName = ReadExpanded(reader, g, "AddRemoveEntryName");
  s.CustomUninstallerIconPath = ReadExpanded(reader, g, "CustomUninstallerIconPath");
  s.CustomUninstallerIconIndex = ReadInt(g, "CustomUninstallerIconIndex");
  s.UninstRestartPC = ReadInt(g, "UninstRestartPC");
  s.CheckForInstancesUninstaller = ReadInt(g, "CheckForInstances");
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
  ClearSelection();
}
