// RegisterFileAssociation (declared in engine/tasks/system_integration.h).
#include <vector>

#include "checks/registry.h"
#include "engine/tasks/association_plan.h"
#include "engine/state/startup_state.h"
#include "engine/tasks/system_integration.h"
#include "platform/registry_api.h"
#include "script/ansi_text.h"

namespace {

// The default value of `keyPath` as it is now.
PreviousValue ReadDefaultValue(RegistryKeyHandle root, const std::string &keyPath) {
  PreviousValue previous;
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(root, keyPath, kRegistryAccessRead, &key)) return previous;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  if (ReadRegistryValueTyped(key, std::string(), &type, &data) == kRegistryValueRead) {
    previous.present = true;
    previous.type = (int32_t)type;
    previous.data = PreviousRegistryText(type, data.data(), data.size());
  }
  CloseRegistryKeyHandle(&key);
  return previous;
}

bool WriteDefaultValue(RegistryKeyHandle root, const std::string &keyPath,
                       const std::string &value) {
  RegistryKeyHandle key = NULL;
  if (!OpenRegistryKey(root, keyPath, kRegistryAccessAll, &key)) return false;
  const bool written = WriteRegistryString(key, std::string(), value);
  CloseRegistryKeyHandle(&key);
  return written;
}

}  // namespace

int RegisterFileAssociation(const std::string &extension, const std::string &description,
                            const std::string &programPath, const std::string &iconSpec,
                            const std::string &programFileName, const std::string &verb,
                            const std::string &commandLine, PreviousValue *previous) {
  AssociationTexts texts;
  texts.extension = extension;
  texts.description = description;
  texts.programPath = programPath;
  texts.iconSpec = iconSpec;
  texts.programFileName = programFileName;
  texts.verb = verb;
  texts.commandLine = commandLine;
  AssociationPlan plan;
  if (!PlanFileAssociation(texts, ActingOsCode(), &plan)) return 0;
  const RegistryKeyHandle root = RegistryRootFromCode(plan.rootCode);
  if (previous != NULL) *previous = ReadDefaultValue(root, plan.extensionKey);
  int result = 0;
  for (const AssociationStep &step : plan.steps) {
    if (RegistryCreateKey(root, step.key) != 1 || !step.setValue) continue;
    if (step.onlyWhenUnset && !TrimSpaces(ReadDefaultValue(root, step.valueKey).data).empty())
      continue;
    if (WriteDefaultValue(root, step.valueKey, step.value) && step.takesExtension) result = 1;
  }
  return result;
}
