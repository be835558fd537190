// How the payload loader reads archive entry names. Portable: no system
// calls, so the rules can be checked on their own.
//
// A configuration entry's first component (the text before the first "\")
// is the configuration prefix "_$_INSTALLER_Data_" + seven characters +
// "_$_". Every other entry is a product file whose first component is the
// decimal ID of its component.
#ifndef QVS_STARTUP_PAYLOAD_ENTRIES_H
#define QVS_STARTUP_PAYLOAD_ENTRIES_H

#include <stddef.h>
#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "engine/state/payload_state.h"

// True when `name` is a configuration entry; `prefix` (may be NULL) then
// receives its first component.
bool IsConfigurationEntry(const std::string &name, std::string *prefix);

enum ConfigEntryKind {
  kConfigScript,
  kConfigWizardImage,
  kConfigHeaderImage,
  kConfigBackgroundImage,
  kConfigUninstaller,
  kConfigLanguage,
  kConfigInformation,
  kConfigLicense,
  kConfigIgnored,
};

// The role of configuration entry `name` under `prefix`: the first matching
// row among the fixed names (exact, case-sensitive) and the folders
// "\Languages\", "\Information\" and "\License\" (the entry's folder part,
// up to its last "\" or "/", must equal prefix + folder).
ConfigEntryKind ClassifyConfigEntry(const std::string &name, const std::string &prefix);

// The language ID of an Information or License text, from its file name:
// "." + extension removed wherever it occurs (letter case ignored); what
// remains is -1 when it is exactly "Default", else its integer value.
int32_t InfoTextLangId(const std::string &entryName);

// The component ID of a product file: the text before the first "\" read
// as a canonical decimal component ID (format/component_id.h), with a path
// after the "\". False when the name has no such ID: "$14\x" or
// "4294967316\x" is no file of component 20.
bool ProductComponentId(const std::string &entryName, int32_t *componentId);

// Where each component's group is in the list of groups, so that filing
// does not scan the list.
typedef std::map<int32_t, size_t> ComponentGroupIndex;

// Files the product entry to the group with its component ID (kept in
// `index`), appending a group when there is none yet. Returns false, filing
// nothing, when the name has no component ID (see ProductComponentId).
bool AddProductFile(std::vector<ComponentFileGroup> *groups, ComponentGroupIndex *index,
                    const std::string &entryName, int64_t uncompressedSize);

// The bytes of an entry as single-byte text, ending at `size` or at the
// first zero byte.
std::string TextFromEntryBytes(const uint8_t *bytes, size_t size);

#endif
