#include "engine/tasks/association_plan.h"

#include "engine/tasks/task_rules.h"
#include "script/ansi_text.h"
#include "script/registry_text.h"

namespace {

const char kProgIdSuffix[] = "_auto_file";
const char kClassesPrefix[] = "Software\\Classes\\";
// The command's argument when the script gives none: the file, quoted.
const char kDefaultArgument[] = "\"%1\"";
// The verb when the script names none: the shell's own name for opening a
// file, which programs that open documents by name ask for (and so does
// Wine's start command).
const char kOpenVerb[] = "open";

void AddStep(AssociationPlan *plan, const std::string &key) {
  AssociationStep step;
  step.key = key;
  plan->steps.push_back(step);
}

void AddValueStep(AssociationPlan *plan, const std::string &key, const std::string &valueKey,
                  const std::string &value, bool takesExtension = false) {
  AssociationStep step;
  step.key = key;
  step.setValue = true;
  step.valueKey = valueKey;
  step.value = value;
  step.takesExtension = takesExtension;
  plan->steps.push_back(step);
}

// The verb's keys one level at a time, the command's default value, then
// the verb named the class's default. The shell reads the "shell" key's
// default value as a list of verbs separated by blanks or commas, so a
// verb holding either ("Open with Editor") is stored under its name
// without them, and shown by its whole text, the verb key's default value.
void AddVerbSteps(AssociationPlan *plan, const std::string &classKey, const std::string &verb,
                  const std::string &command) {
  const std::string verbName = VerbKeyName(verb);
  const std::string verbKey = classKey + "\\shell\\" + verbName;
  AddStep(plan, classKey + "\\shell");
  if (verbName == verb)
    AddStep(plan, verbKey);
  else
    AddValueStep(plan, verbKey, verbKey, verb);
  const std::string commandKey = verbKey + "\\command";
  AddValueStep(plan, commandKey, commandKey, command);
  AddValueStep(plan, classKey + "\\shell", classKey + "\\shell", verbName);
  plan->steps.back().onlyWhenUnset = true;
}

}  // namespace

std::string VerbKeyName(const std::string &verb) {
  std::string name;
  for (char c : verb)
    if (c != ' ' && c != ',') name += c;
  return name.empty() ? kOpenVerb : name;
}

std::string QuoteEnds(const std::string &text) {
  std::string quoted = text;
  if (quoted.empty() || quoted[0] != '"') quoted.insert(quoted.begin(), '"');
  if (quoted.size() < 2 || quoted[quoted.size() - 1] != '"') quoted += '"';
  return quoted;
}

std::string AssociationIconSpec(const std::string &icon, int32_t iconIndex,
                                const std::string &programPath) {
  return (icon.empty() ? programPath : icon) + "," + std::to_string(iconIndex);
}

bool PlanFileAssociation(const AssociationTexts &texts, int osCode, AssociationPlan *plan) {
  *plan = AssociationPlan();
  std::string extension = TrimSpaces(texts.extension);
  const std::string description = TrimSpaces(texts.description);
  const std::string iconSpec = TrimSpaces(texts.iconSpec);
  const std::string programFileName = TrimSpaces(texts.programFileName);
  std::string verb = TrimSpaces(texts.verb);
  // Without a verb the command would land in no verb's key, and the file
  // type would open nothing.
  if (verb.empty()) verb = kOpenVerb;
  std::string commandLine = TrimSpaces(texts.commandLine);
  if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
  const std::string progId = extension + kProgIdSuffix;
  extension = "." + extension;
  if (commandLine.empty()) commandLine = kDefaultArgument;
  const std::string command =
      QuoteEnds(TrimSpaces(texts.programPath)) + " " + QuoteEnds(commandLine);

  if (IsListedNtSystem(osCode)) {
    plan->rootCode = kRootClassesRoot;
    plan->extensionKey = extension;
    plan->className = progId;
    plan->classKey = progId;
    AddStep(plan, progId);
    AddValueStep(plan, extension, extension, progId, true);
    if (!description.empty()) AddValueStep(plan, extension, progId, description);
    const std::string iconKey = progId + "\\DefaultIcon";
    if (!iconSpec.empty()) AddValueStep(plan, iconKey, iconKey, iconSpec);
    AddVerbSteps(plan, progId, verb, command);
    return true;
  }
  if (IsNineXSystem(osCode)) {
    const std::string extensionKey = kClassesPrefix + extension;
    const std::string classKey = kClassesPrefix + programFileName;
    plan->rootCode = kRootLocalMachine;
    plan->extensionKey = extensionKey;
    plan->className = programFileName;
    plan->classKey = classKey;
    AddValueStep(plan, extensionKey, extensionKey, programFileName, true);
    AddStep(plan, classKey);
    AddValueStep(plan, classKey + "\\DefaultIcon", classKey + "\\DefaultIcon", iconSpec);
    AddVerbSteps(plan, classKey, verb, command);
    return true;
  }
  return false;
}
