#include "engine/install/finish_actions.h"

#include "checks/path_expansion.h"
#include "checks/web_address.h"
#include "engine/tasks/run_program.h"
#include "platform/system_changes.h"

namespace {

void RunFinishProgram(const FinishAction &action, bool ticked) {
  if (!ticked || action.Checkbox != 1) return;
  const std::string path = ReplacePathVariables(action.ProgramPath);
  if (path.empty()) return;
  RunProgramForUser(path, ReplacePathVariables(action.CommandLine), action.RunMode,
                    action.RunHidden);
}

}  // namespace

void PerformFinishActions(const ScriptSettings &settings, const FinishChoices &choices) {
  if (settings.ShowRestartComputerCheckbox == 1) {
    if (choices.restart) RestartComputer(0);
    return;
  }
  RunFinishProgram(settings.LaunchProgram, choices.launchProgram);
  RunFinishProgram(settings.ViewDocumentation, choices.viewDocumentation);
  RunFinishProgram(settings.ViewReadme, choices.viewReadme);
  RunFinishProgram(settings.ViewLicense, choices.viewLicense);
  if (choices.visitWebsite && settings.VisitWebsiteCheckbox == 1) {
    const std::string address = ReplacePathVariables(settings.VisitWebsiteAddress);
    if (!address.empty()) OpenWebAddress(address);
  }
}

int RestartComputer(int force) { return RequestComputerRestart(force == 1); }
