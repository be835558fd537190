#include "platform/registry_changes.h"

#include <windows.h>

namespace {

HKEY ToWin32(RegistryKeyHandle key) { return (HKEY)key; }

}  // namespace

bool ReadRegistryKeyCounts(RegistryKeyHandle key, uint32_t *subkeys, uint32_t *values) {
  DWORD keyCount = 0;
  DWORD valueCount = 0;
  if (key == NULL || subkeys == NULL || values == NULL ||
      RegQueryInfoKeyA(ToWin32(key), NULL, NULL, NULL, &keyCount, NULL, NULL, &valueCount, NULL,
                       NULL, NULL, NULL) != ERROR_SUCCESS) {
    return false;
  }
  *subkeys = keyCount;
  *values = valueCount;
  return true;
}

bool DeleteRegistryValueNamed(RegistryKeyHandle key, const std::string &valueName) {
  if (key == NULL) return false;
  const LONG result = RegDeleteValueA(ToWin32(key), valueName.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool DeleteRegistrySubkey(RegistryKeyHandle parent, const std::string &name) {
  if (parent == NULL || name.empty()) return false;
  const LONG result = RegDeleteKeyA(ToWin32(parent), name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool WriteRegistryValueBytes(RegistryKeyHandle key, const std::string &valueName,
                             uint32_t typeCode, const std::vector<uint8_t> &data) {
  if (key == NULL || data.size() >= 0xFFFFFFFFu) return false;
  return RegSetValueExA(ToWin32(key), valueName.c_str(), 0, typeCode,
                        data.empty() ? NULL : data.data(),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}
