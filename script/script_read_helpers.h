// Key readers shared by the files of the installer-script reader.
#ifndef QVS_SCRIPT_SCRIPT_READ_HELPERS_H
#define QVS_SCRIPT_SCRIPT_READ_HELPERS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "script/script_settings.h"

struct ScriptReader {
  const ScriptReadHooks *hooks;
  ScriptSettings *settings;
};

// The low 32 bits of the key's integer value (0 when missing).
int32_t ReadInt(const std::string &group, const std::string &key);
// The key's text as it stands.
std::string ReadText(const std::string &group, const std::string &key);
// The key's text passed through the expansion hook.
std::string ReadExpanded(const ScriptReader &reader, const std::string &group,
                         const std::string &key);
std::string ExpandText(const ScriptReader &reader, const std::string &text);

// The item-group names of a list key: none for an empty value, else the
// value split at every comma, names untrimmed and empty names kept.
std::vector<std::string> ListItemNames(const std::string &group, const std::string &key);

// The entries of the group named by `id` in decimal, in order, as localised
// texts (key read as LangID, value expanded).
std::vector<LocalizedText> ReadLocalizedTexts(const ScriptReader &reader, int32_t id);

void ReadOsFlags(const std::string &group, OsFlags *flags);

// The list readers, one per list group.
void ReadRequiredItems(const ScriptReader &reader);
void ReadCloseItems(const ScriptReader &reader, const std::string &listGroup,
                    std::vector<CloseItem> *items);
void ReadRegistryVars(const ScriptReader &reader);
void ReadCategories(const ScriptReader &reader);
void ReadComponents(const ScriptReader &reader);
void ReadExistingInstallations(const ScriptReader &reader);
void ReadInstallerTasks(const ScriptReader &reader);
void ReadUninstallerTasks(const ScriptReader &reader);

#endif
