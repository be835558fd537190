// Names that Windows reserves for devices and NTFS metadata files. A folder
// whose first path component is one of them cannot be created, so the
// install-folder check refuses such paths.
#ifndef QVS_SCRIPT_RESERVED_NAMES_H
#define QVS_SCRIPT_RESERVED_NAMES_H

#include <string>
#include <vector>

// The 45 names, lower case, in a fixed order: con, prn, aux, clock$, nul,
// then com0, lpt0, com1, lpt1 ... com9, lpt9, then the NTFS metadata names,
// then com and lpt with the superscript digits 1, 2 and 3 (the builder
// refuses them as well).
std::vector<std::string> BuildReservedNames();

// True when `name`, lower-cased and trimmed of spaces, is in `names`.
bool IsReservedName(const std::vector<std::string> &names, const std::string &name);

#endif
