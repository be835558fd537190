#include "script/path_variables.h"

#include "script/ansi_text.h"
#include "script/path_rules.h"
#include "script/registry_text.h"

namespace {

bool Is9x(int os) { return os == 10 || os == 30 || os == 40; }
bool IsNt2000OrLater(int os) {
  return os == 50 || os == 60 || os == 65 || os == 70 || os == 75 || os == 80;
}
// The ten codes on which system-dependent variables have values.
bool IsKnownOs(int os) { return Is9x(os) || os == 20 || IsNt2000OrLater(os); }

// Neither empty nor a lone backslash: what a failed folder lookup gives.
bool IsFolder(const std::string &value) { return !value.empty() && value != "\\"; }

struct Lookup {
  const PathVariableScope &scope;
  const PathVariableLookups &calls;
};

std::string Special(const Lookup &in, int csidl) {
  return in.calls.specialFolder ? in.calls.specialFolder(csidl) : std::string();
}

std::string Env(const Lookup &in, const char *name) {
  return in.calls.environmentVariable ? in.calls.environmentVariable(name) : std::string();
}

// An environment folder with a suffix; empty when the variable is not set.
std::string EnvFolder(const Lookup &in, const char *name, const char *suffix) {
  const std::string base = Env(in, name);
  return base.empty() ? std::string() : base + suffix;
}

std::string ProgramFilesFromRegistry(const Lookup &in) {
  if (!in.calls.registryValue) return std::string();
  return in.calls.registryValue(kRootLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\",
                                "ProgramFilesDir");
}

// Windows 95 may lack the shell's application-data folder.
std::string AppData95(const Lookup &in) {
  const std::string folder = Special(in, kFolderAppData);
  if (IsFolder(folder) && in.calls.folderExists && in.calls.folderExists(folder)) return folder;
  return EnvFolder(in, "windir", "\\Application Data\\");
}

std::string ProductValue(const Lookup &in, std::string ScriptSettings::*field) {
  return in.scope.settings ? in.scope.settings->*field : std::string();
}

std::string ProgramName(const Lookup &in) { return ProductValue(in, &ScriptSettings::ProgramName); }
std::string ProgramVersion(const Lookup &in) {
  return ProductValue(in, &ScriptSettings::ProgramVersion);
}
std::string CompanyName(const Lookup &in) { return ProductValue(in, &ScriptSettings::CompanyName); }
std::string ProgramWebsite(const Lookup &in) {
  return ProductValue(in, &ScriptSettings::ProgramWebsite);
}
std::string SupportEmail(const Lookup &in) {
  return ProductValue(in, &ScriptSettings::SupportEmail);
}

std::string Temp(const Lookup &in) {
  return in.calls.temporaryFolder ? in.calls.temporaryFolder() : std::string();
}

std::string RootPartition(const Lookup &in) {
  const std::string folder =
      Special(in, in.scope.osCode == 50 ? kFolderWindows : kFolderDesktopDirectory);
  return IsFolder(folder) ? folder.substr(0, 3) : std::string();
}

std::string Documents(const Lookup &in) { return Special(in, kFolderPersonal); }

std::string AppData(const Lookup &in) {
  const int os = in.scope.osCode;
  if (os == 10) return AppData95(in);
  if (os == 20) return EnvFolder(in, "USERPROFILE", "\\Application Data\\");
  return Special(in, kFolderAppData);
}

std::string LocalAppData(const Lookup &in) {
  const int os = in.scope.osCode;
  const char *suffix = "\\Local Settings\\Application Data\\";
  if (os == 10) {
    const std::string folder = Special(in, kFolderLocalAppData);
    if (IsFolder(folder) && in.calls.folderExists && in.calls.folderExists(folder)) return folder;
    return EnvFolder(in, "windir", suffix);
  }
  if (os == 20) return EnvFolder(in, "USERPROFILE", suffix);
  if (Is9x(os)) return EnvFolder(in, "windir", suffix);
  return Special(in, kFolderLocalAppData);
}

std::string Desktop(const Lookup &in) { return Special(in, kFolderDesktopDirectory); }

std::string CommonDesktop(const Lookup &in) {
  const int os = in.scope.osCode;
  if (Is9x(os)) return EnvFolder(in, "windir", "\\All Users\\Desktop\\");
  if (os == 20) return EnvFolder(in, "windir", "\\Profiles\\All Users\\Desktop\\");
  return Special(in, kFolderCommonDesktopDirectory);
}

std::string QuickLaunch(const Lookup &in) {
  const std::string base = in.scope.osCode == 10 ? AppData95(in) : Special(in, kFolderAppData);
  return IsFolder(base) ? base + "Microsoft\\Internet Explorer\\Quick Launch\\" : std::string();
}

std::string Start(const Lookup &in) { return Special(in, kFolderStartMenu); }
std::string StartPrograms(const Lookup &in) { return Special(in, kFolderPrograms); }

std::string CommonStartPrograms(const Lookup &in) {
  const int os = in.scope.osCode;
  if (Is9x(os)) return EnvFolder(in, "windir", "\\Start Menu\\Programs\\");
  if (os == 20) return EnvFolder(in, "windir", "\\Profiles\\All Users\\Start Menu\\Programs\\");
  return Special(in, kFolderCommonPrograms);
}

std::string ProgramFiles(const Lookup &in) {
  const int os = in.scope.osCode;
  if (Is9x(os) || os == 20) return ProgramFilesFromRegistry(in);
  return Special(in, kFolderProgramFiles);
}

std::string ProgramFilesX86(const Lookup &in) {
  const int os = in.scope.osCode;
  if (Is9x(os) || os == 20) return ProgramFilesFromRegistry(in);
  if (os == 50) return Special(in, kFolderProgramFiles);
  return Special(in, kFolderProgramFilesX86);
}

std::string Windows(const Lookup &in) { return Env(in, "windir"); }

std::string System(const Lookup &in) {
  return EnvFolder(in, "windir", Is9x(in.scope.osCode) ? "\\system\\" : "\\system32\\");
}

std::string Lcid(const Lookup &in) { return std::to_string(in.scope.languageId); }

std::string InstallerExe(const Lookup &in) {
  return in.calls.installerPath ? in.calls.installerPath() : std::string();
}
std::string InstallerExeDir(const Lookup &in) { return FolderPartOf(InstallerExe(in)); }

std::string CurrentUserName(const Lookup &in) {
  return in.calls.userName ? in.calls.userName() : std::string();
}

std::string PureBasic(const Lookup &in) {
  return in.calls.pureBasicFolder ? in.calls.pureBasicFolder(in.scope.osCode) : std::string();
}

std::string StartMenuGroup(const Lookup &in) {
  return in.scope.startMenuFolder ? *in.scope.startMenuFolder : std::string();
}

// How a value is inserted.
enum Insertion {
  kAsText,       // inserted unchanged unless empty or a lone backslash
  kAsNonEmpty,   // inserted unchanged unless empty
  kAsFolder,     // one trailing backslash removed, then as kAsText
  kAsStartMenu,  // as kAsText, then inserted less one trailing backslash
};

struct FixedVariable {
  const char *token;
  std::string (*value)(const Lookup &in);
  Insertion insertion;
  bool needsKnownOs;
};

// In the order of replacement.
const FixedVariable kFixedVariables[] = {
    {"<programname>", ProgramName, kAsText, false},
    {"<programversion>", ProgramVersion, kAsText, false},
    {"<companyname>", CompanyName, kAsText, false},
    {"<programwebsite>", ProgramWebsite, kAsText, false},
    {"<supportemail>", SupportEmail, kAsText, false},
    {"<temp>", Temp, kAsFolder, true},
    {"<rootpartition>", RootPartition, kAsFolder, true},
    {"<documents>", Documents, kAsFolder, true},
    {"<appdata>", AppData, kAsFolder, true},
    {"<localappdata>", LocalAppData, kAsFolder, true},
    {"<desktop>", Desktop, kAsFolder, true},
    {"<commondesktop>", CommonDesktop, kAsFolder, true},
    {"<quicklaunch>", QuickLaunch, kAsFolder, true},
    {"<start>", Start, kAsFolder, true},
    {"<startprograms>", StartPrograms, kAsFolder, true},
    {"<commonstartprograms>", CommonStartPrograms, kAsFolder, true},
    {"<programfiles>", ProgramFiles, kAsFolder, true},
    {"<programfiles_x86>", ProgramFilesX86, kAsFolder, true},
    {"<windows>", Windows, kAsFolder, true},
    {"<system>", System, kAsFolder, true},
    {"<lcid>", Lcid, kAsNonEmpty, true},
    {"<installerexe>", InstallerExe, kAsFolder, true},
    {"<installerexedir>", InstallerExeDir, kAsFolder, true},
    {"<currentusername>", CurrentUserName, kAsNonEmpty, true},
    {"<purebasic>", PureBasic, kAsFolder, true},
    {"<defaultstartmenugroup>", StartMenuGroup, kAsStartMenu, false},
};

// The value to insert for `variable`, or false when the token keeps its place.
bool InsertedValue(const FixedVariable &variable, const Lookup &in, std::string *inserted) {
  std::string value = variable.value(in);
  switch (variable.insertion) {
    case kAsText:
      *inserted = value;
      return IsFolder(value);
    case kAsNonEmpty:
      *inserted = value;
      return !value.empty();
    case kAsFolder:
      *inserted = StripTrailingBackslash(value);
      return IsFolder(*inserted);
    case kAsStartMenu:
      *inserted = StripTrailingBackslash(value);
      return IsFolder(value);
  }
  return false;
}

// A script-defined token: trimmed; absent when empty or not in `text`.
bool HoldsToken(const std::string &text, const std::string &token) {
  return !token.empty() && FindIgnoringCase(text, token, 0) != std::string::npos;
}

std::string ReplaceComponentVariables(const ScriptSettings &settings, std::string text) {
  for (const Component &component : settings.components) {
    const std::string token = TrimSpaces(component.PathVariable);
    if (!HoldsToken(text, token)) continue;
    const std::string folder = component.InstallationPath;
    if (!IsFolder(folder)) continue;
    text = ReplaceIgnoringCase(text, token, StripTrailingBackslash(folder));
  }
  return text;
}

std::string ReplaceRegistryVariables(const ScriptSettings &settings, std::string text) {
  for (const RegistryVar &var : settings.registryVars) {
    const std::string token = TrimSpaces(var.PathVarName);
    if (!HoldsToken(text, token) || !IsFolder(var.resolved)) continue;
    text = ReplaceIgnoringCase(text, token, StripTrailingBackslash(var.resolved));
  }
  return text;
}

}  // namespace

std::string ReplacePathVariables(const PathVariableScope &scope, const std::string &text) {
  if (TrimSpaces(text).empty()) return std::string();
  const PathVariableLookups none;
  const Lookup in = {scope, scope.lookups ? *scope.lookups : none};
  std::string result = in.calls.expandEnvironment ? in.calls.expandEnvironment(text) : text;
  if (scope.settings) result = ReplaceComponentVariables(*scope.settings, result);
  const bool knownOs = IsKnownOs(scope.osCode);
  for (const FixedVariable &variable : kFixedVariables) {
    if (variable.needsKnownOs && !knownOs) continue;
    if (FindIgnoringCase(result, variable.token, 0) == std::string::npos) continue;
    std::string inserted;
    if (InsertedValue(variable, in, &inserted)) {
      result = ReplaceIgnoringCase(result, variable.token, inserted);
    }
  }
  if (scope.settings) result = ReplaceRegistryVariables(*scope.settings, result);
  return result;
}

std::vector<std::string> FixedPathVariableTokens() {
  std::vector<std::string> tokens;
  for (const FixedVariable &variable : kFixedVariables) tokens.push_back(variable.token);
  return tokens;
}
