#include "script/registry_text.h"

#include "script/document.h"

namespace {

const char *const kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                  "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

}  // namespace

bool IsRegistryRootCode(int32_t code) { return code >= kRootClassesRoot && code <= kRootDynData; }

std::string RegistryRootName(int32_t code) {
  return IsRegistryRootCode(code) ? kRootNames[code] : std::string();
}

std::string FormatRegistryKey(int32_t code, const std::string &keyPath) {
  const std::string root = IsRegistryRootCode(code) ? RegistryRootName(code) : std::to_string(code);
  return root + "\\" + keyPath;
}

std::string FormatRegistryValue(int32_t code, const std::string &keyPath,
                                const std::string &valueName) {
  return FormatRegistryKey(code, keyPath) + " -> " + valueName;
}

std::string StripTrailingBackslash(const std::string &path) {
  if (!path.empty() && path[path.size() - 1] == '\\') return path.substr(0, path.size() - 1);
  return path;
}

std::string StripLeadingBackslash(const std::string &path) {
  if (!path.empty() && path[0] == '\\') return path.substr(1);
  return path;
}

uint32_t RegistryDwordFromText(const std::string &text) {
  return static_cast<uint32_t>(static_cast<uint64_t>(ParseScriptInteger(text)));
}

std::string RegistryDwordText(const uint8_t *data, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size && i < 4; ++i) {
    value |= static_cast<uint32_t>(data[i]) << (8 * i);
  }
  return std::to_string(static_cast<int32_t>(value));
}

std::string RegistryStringText(const uint8_t *data, size_t size) {
  size_t length = 0;
  while (length < size && data[length] != 0) ++length;
  return std::string(reinterpret_cast<const char *>(data), length);
}

std::vector<uint16_t> RegistryBinaryUnits(const uint8_t *data, size_t size) {
  std::vector<uint16_t> units;
  for (size_t i = 0; i < size; i += 2) {
    const uint16_t low = data[i];
    const uint16_t high = i + 1 < size ? data[i + 1] : 0;
    const uint16_t unit = static_cast<uint16_t>(low | (high << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return units;
}
