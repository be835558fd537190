// What the installer leaves for the uninstaller: the data file's record
// filled from the script, the user's choices and what the run changed.
// Portable; the texts that must hold expanded paths are expanded through
// the function given.
#ifndef QVS_ENGINE_INSTALL_UNINSTALLER_DATA_PLAN_H
#define QVS_ENGINE_INSTALL_UNINSTALLER_DATA_PLAN_H

#include <string>
#include <vector>

#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "format/uninstaller_data.h"
#include "script/script_settings.h"

struct UninstallerDataSources {
  const ScriptSettings *settings = nullptr;  // components with their resolved paths
  const InstallChoices *choices = nullptr;
  // What the run changed: created files and folders, done tasks.
  const InstallJournal *journal = nullptr;
  // The chosen language's uninstaller strings, unconverted.
  const std::vector<std::string> *uninstallerStrings = nullptr;
  std::string startMenuFolder;  // empty when no group was made
  std::string uninstallerExePath;
  std::string uninstallerDataPath;
  // 1 when the Add/Remove entry went below HKEY_LOCAL_MACHINE.
  int addRemoveForAllUsers = 0;
  // The installer's configuration prefix: it names the journal of an
  // interrupted installation of the product, which the uninstaller undoes.
  std::string productKey;
  // Path-variable expansion for the uninstaller tasks' texts and the files
  // to leave.
  std::string (*expand)(const std::string &text) = nullptr;
};

// The record the data file is written from. Its created files are the
// journal's (files the installation only found and kept are not among
// them), ending with the uninstaller's own two files.
UninstallerData MakeUninstallerData(const UninstallerDataSources &sources);

#endif
