#include "wizard/main_flow.h"

#include "checks/existing_installations.h"
#include "checks/framework_requirements.h"
#include "checks/hardware_requirements.h"
#include "checks/os_requirements.h"
#include "checks/path_expansion.h"
#include "checks/required_items.h"
#include "checks/running_instances.h"
#include "checks/system_environment.h"
#include "platform/messages.h"
#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"
#include "engine/state/exit_codes.h"
#include "engine/state/exits.h"
#include "engine/state/install_log.h"
#include "engine/state/unattended_options.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "engine/state/installer_script.h"
#include "script/string_ids.h"
#include "wizard/run_unattended.h"
#include "wizard/run_wizard.h"

namespace {

// Returns the number of entries the language put into the document store.
int LoadLanguageData(const std::string &languageName) {
  int entries = LoadLanguageStrings(Payload().languages, languageName);
  if (entries == 0) {
    ShowMessage(NULL, "Error parsing language data!", "Error", kButtonsOk, kIconError);
    CleanExit();
  }
  return entries;
}

// The script is parsed next to the language entries; a script that adds no
// entry of its own would leave every setting at 0 and must not pass as
// read.
void ReadScript(int languageEntries) {
  ScriptSettings &settings = InstallerScript().settings;
  PathVariableSources sources;
  sources.osCode = ActingOsCode();
  sources.languageId = Startup().languageId;
  sources.settings = &settings;
  sources.startMenuFolder = &InstallerScript().StartMenuFolder;
  SetPathVariableSources(sources);

  int entries = ParseDocument(Payload().scriptText);
  if (entries <= languageEntries) {
    ClearDocument();
    ShowMessage(NULL, LangString(kStrScriptUnreadable).c_str(), LangString(kStrErrorCaption).c_str(),
                kButtonsOk, kIconError);
    CleanExit();
  }
  ReadInstallerScript(MakeScriptReadHooks(), &settings);
  ClearDocument();
}

// The product texts as read, without path variables, in every installer
// string.
void FillProductPlaceholders() {
  const ScriptSettings &s = InstallerScript().settings;
  const struct {
    const char *token;
    const std::string *value;
  } placeholders[] = {
      {"$APPNAME$", &s.ProgramName},       {"$APPVERSION$", &s.ProgramVersion},
      {"$APPWEBSITE$", &s.ProgramWebsite}, {"$SUPPORTEMAIL$", &s.SupportEmail},
      {"$COMPANYNAME$", &s.CompanyName},
  };
  for (int index = 1; index <= LangStringCount(); index++) {
    std::string text = LangString(index);
    for (const auto &p : placeholders) text = ReplacePlaceholder(text, p.token, *p.value);
    SetLangString(index, text);
  }
}

// A check that stops the installer ends a silent run with `exitCode`.
void EndUnless(CheckResult result, const char *check, int exitCode) {
  LogLine(std::string("Check ") + check + (result == kCheckContinue ? ": passed" : ": failed"));
  if (result == kCheckContinue) return;
  SetExitCode(exitCode);
  CleanExit();
}

void RunSystemChecks() {
  ScriptSettings &s = InstallerScript().settings;
  const CheckEnvironment env =
      SystemCheckEnvironment(Startup().osCode, Startup().os, ReplacePathVariables);
  EndUnless(CheckOsRequirements(s, env), "operating system", kExitPlatformUnsupported);
  EndUnless(CheckDotNetRequirement(s, env), ".NET Framework", kExitDotNetMissing);
  EndUnless(CheckBrowserRequirement(s, env), "Internet Explorer", kExitBrowserMissing);
  EndUnless(CheckHardwareRequirements(s, env), "processor and memory",
            kExitHardwareBelowRequirements);
  if (s.RequireExistingItems == 1)
    EndUnless(CheckRequiredItems(&s, env), "required items", kExitDependencyMissing);
  if (s.CheckForInstancesInstaller == 1)
    EndUnless(CheckRunningInstances(&s, env), "running programs", kExitProductRunning);
  if (s.PromptUninstallExisting == 1)
    EndUnless(CheckExistingInstallations(&s, env), "existing installations",
              kExitEarlierInstallation);
}

}  // namespace

void RunMainFlow(const std::string &languageName) {
  int languageEntries = LoadLanguageData(languageName);
  ReadScript(languageEntries);
  FillProductPlaceholders();
  RunSystemChecks();
  if (Unattended().silent) RunUnattendedInstallation();
  RunWizard();
}
