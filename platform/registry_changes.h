// The registry calls that undo changes: values deleted or written back with
// their exact type, keys deleted one at a time. ANSI, no registry view
// asked for (a 32-bit process sees the 32-bit view, as the installer did).
#ifndef QVS_PLATFORM_REGISTRY_CHANGES_H
#define QVS_PLATFORM_REGISTRY_CHANGES_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/registry_api.h"

// The number of subkeys and values of an open key. False when the key
// cannot be asked.
bool ReadRegistryKeyCounts(RegistryKeyHandle key, uint32_t *subkeys, uint32_t *values);

// Deletes the value `valueName` (empty: the default value). True when it
// is gone, also when it was not there.
bool DeleteRegistryValueNamed(RegistryKeyHandle key, const std::string &valueName);

// Deletes the subkey `name` of `parent`, which must have no subkeys of its
// own (RegDeleteKeyA; its values go with it). True when it is gone, also
// when it was not there.
bool DeleteRegistrySubkey(RegistryKeyHandle parent, const std::string &name);

// Writes `data` as a value of registry type `typeCode`, byte for byte.
bool WriteRegistryValueBytes(RegistryKeyHandle key, const std::string &valueName,
                             uint32_t typeCode, const std::vector<uint8_t> &data);

#endif
