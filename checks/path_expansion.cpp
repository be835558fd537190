#include "checks/path_expansion.h"

#include "checks/path_lookups.h"
#include "checks/registry.h"

namespace {

// Written once before other threads start, read afterwards.
PathVariableSources g_sources;

bool ScriptValueExists(int32_t mainKey, const std::string &key, const std::string &valueName) {
  return RegistryValueExists(RegistryRootFromCode(mainKey), key, valueName) == 1;
}

std::string ScriptReadValue(int32_t mainKey, const std::string &key,
                            const std::string &valueName) {
  return RegistryReadValue(RegistryRootFromCode(mainKey), key, valueName);
}

std::string ExpandScriptText(const std::string &text) { return ReplacePathVariables(text); }

}  // namespace

void SetPathVariableSources(const PathVariableSources &sources) { g_sources = sources; }

std::string ReplacePathVariables(const std::string &text) {
  PathVariableScope scope;
  scope.osCode = g_sources.osCode;
  scope.languageId = g_sources.languageId;
  scope.settings = g_sources.settings;
  scope.startMenuFolder = g_sources.startMenuFolder;
  scope.lookups = &SystemPathLookups();
  return ReplacePathVariables(scope, text);
}

std::string FindPureBasicFolder() { return FindPureBasicFolderOn(g_sources.osCode); }

ScriptReadHooks MakeScriptReadHooks() {
  ScriptReadHooks hooks;
  hooks.expandText = ExpandScriptText;
  hooks.registryValueExists = ScriptValueExists;
  hooks.registryReadValue = ScriptReadValue;
  return hooks;
}
