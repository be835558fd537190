// ReplacePathVariables for the running installer, and the hooks that let
// the script reader expand texts and resolve registry variables.
//
// Call order: SetPathVariableSources once on the interface thread, after
// start-up has the OS code and language and before the script is read and
// before any other thread runs; then ReplacePathVariables from any thread.
// The sources are read, never copied: the script settings and
// StartMenuFolder they point to are seen as they are at each call.
#ifndef QVS_CHECKS_PATH_EXPANSION_H
#define QVS_CHECKS_PATH_EXPANSION_H

#include <stdint.h>

#include <string>

#include "script/path_variables.h"
#include "script/script_settings.h"

struct PathVariableSources {
  // The listed system the running one acts as (OsCodeActingAs), so that a
  // later Windows has the folders of the newest listed one.
  int osCode = 0;
  int32_t languageId = 0;
  // The script's settings and lists, also while ReadInstallerScript fills
  // them; and StartMenuFolder. Must outlive every later call.
  const ScriptSettings *settings = nullptr;
  const std::string *startMenuFolder = nullptr;
};

void SetPathVariableSources(const PathVariableSources &sources);

// `text` with every path variable known now replaced (see
// script/path_variables.h). Keeps no state of its own.
std::string ReplacePathVariables(const std::string &text);

// The PureBasic folder for the system the running one acts as.
std::string FindPureBasicFolder();

// Hooks for ReadInstallerScript: texts expanded by ReplacePathVariables,
// registry variables read from the local registry (a MainKey outside 0 to
// 5 names no root, so the variable takes its DefaultTo).
ScriptReadHooks MakeScriptReadHooks();

#endif
