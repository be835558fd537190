// Path variables: tokens such as <programfiles> in script texts, replaced by
// the folders and facts they stand for.
//
// The algorithm lives here, free of system calls; the system is reached
// through a PathVariableLookups record (the Windows side fills it, tests
// fill it with fakes). Nothing is cached: every call computes the values of
// the tokens its text holds, so a folder that appears or moves between calls
// is seen by the next one.
#ifndef QVS_SCRIPT_PATH_VARIABLES_H
#define QVS_SCRIPT_PATH_VARIABLES_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/script_settings.h"

// The shell's folder numbers (CSIDL values) the variables use.
enum SpecialFolder {
  kFolderPrograms = 2,
  kFolderPersonal = 5,
  kFolderStartMenu = 11,
  kFolderDesktopDirectory = 16,
  kFolderCommonPrograms = 23,
  kFolderCommonDesktopDirectory = 25,
  kFolderAppData = 26,
  kFolderLocalAppData = 28,
  kFolderWindows = 36,
  kFolderProgramFiles = 38,
  kFolderProgramFilesX86 = 42,
};

// What the variables need from the system. Any pointer may be null: its
// values are then unknown and their tokens stay in the text.
struct PathVariableLookups {
  // %NAME% references expanded.
  std::string (*expandEnvironment)(const std::string &text) = nullptr;
  // A special folder ending in "\", or empty or "\" when there is none.
  std::string (*specialFolder)(int csidl) = nullptr;
  // An environment variable's value; empty when it is not set.
  std::string (*environmentVariable)(const char *name) = nullptr;
  bool (*folderExists)(const std::string &path) = nullptr;
  std::string (*temporaryFolder)() = nullptr;
  // A registry value of the local machine read as text (root-key code).
  std::string (*registryValue)(int32_t rootCode, const std::string &keyPath,
                               const std::string &valueName) = nullptr;
  std::string (*installerPath)() = nullptr;
  std::string (*userName)() = nullptr;
  // The PureBasic folder for an OS code (see FindPureBasicFolderFor).
  std::string (*pureBasicFolder)(int osCode) = nullptr;
};

// Everything one expansion reads. `settings` gives the product texts, the
// components' current folders and the registry variables' values;
// `startMenuFolder` is StartMenuFolder. Null pointers read as empty.
struct PathVariableScope {
  // The OS code whose folder rules apply: the listed system the running one
  // acts as. On a code that is none of the ten listed the system tokens
  // have no value.
  int osCode = 0;
  int32_t languageId = 0;
  const ScriptSettings *settings = nullptr;
  const std::string *startMenuFolder = nullptr;
  const PathVariableLookups *lookups = nullptr;
};

// `text` with environment references expanded, then component path
// variables, fixed variables and registry variables replaced in that
// order, tokens matched in any letter case. A token without a value stays
// as written. A text of spaces only gives the empty text. Reads `scope`
// and calls its lookups only; safe from any thread that may read them.
std::string ReplacePathVariables(const PathVariableScope &scope, const std::string &text);

// The fixed tokens ("<programfiles>" and the rest), in the order they are
// replaced; the script reference documents each of them.
std::vector<std::string> FixedPathVariableTokens();

#endif
