#include "platform/registry_api.h"

#include <windows.h>

namespace {

HKEY ToWin32(RegistryKeyHandle key) { return (HKEY)key; }

REGSAM AccessMask(RegistryAccess access) {
  switch (access) {
    case kRegistryAccessRead:
      return KEY_READ;
    case kRegistryAccessAll:
      return KEY_ALL_ACCESS;
    case kRegistryAccessEnumerate:
      return KEY_ENUMERATE_SUB_KEYS;
  }
  return KEY_READ;
}

RegistryDataKind KindOf(DWORD type) {
  switch (type) {
    case REG_SZ:
      return kRegistryDataString;
    case REG_EXPAND_SZ:
      return kRegistryDataExpandString;
    case REG_BINARY:
      return kRegistryDataBinary;
    case REG_DWORD:
      return kRegistryDataDword;
    default:
      return kRegistryDataOther;
  }
}

bool IsPredefined(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
         key == HKEY_USERS || key == HKEY_CURRENT_CONFIG || key == HKEY_DYN_DATA ||
         key == HKEY_PERFORMANCE_DATA;
}

// A value that keeps growing between the size query and the read is given
// up after this many tries.
const int kReadAttempts = 4;

}  // namespace

RegistryKeyHandle PredefinedRegistryKey(PredefinedRegistryRoot root) {
  switch (root) {
    case kPredefinedClassesRoot:
      return (RegistryKeyHandle)HKEY_CLASSES_ROOT;
    case kPredefinedCurrentUser:
      return (RegistryKeyHandle)HKEY_CURRENT_USER;
    case kPredefinedLocalMachine:
      return (RegistryKeyHandle)HKEY_LOCAL_MACHINE;
    case kPredefinedUsers:
      return (RegistryKeyHandle)HKEY_USERS;
    case kPredefinedCurrentConfig:
      return (RegistryKeyHandle)HKEY_CURRENT_CONFIG;
    case kPredefinedDynData:
      return (RegistryKeyHandle)HKEY_DYN_DATA;
  }
  return NULL;
}

bool OpenRegistryKey(RegistryKeyHandle parent, const std::string &path, RegistryAccess access,
                     RegistryKeyHandle *key) {
  HKEY opened = NULL;
  if (key == NULL || parent == NULL) return false;
  *key = NULL;
  if (RegOpenKeyExA(ToWin32(parent), path.c_str(), 0, AccessMask(access), &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  *key = (RegistryKeyHandle)opened;
  return true;
}

bool CreateRegistryKeyPath(RegistryKeyHandle parent, const std::string &path,
                           RegistryKeyHandle *key) {
  HKEY created = NULL;
  DWORD disposition = 0;
  if (key == NULL || parent == NULL) return false;
  *key = NULL;
  if (RegCreateKeyExA(ToWin32(parent), path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &created,
                      &disposition) != ERROR_SUCCESS) {
    return false;
  }
  *key = (RegistryKeyHandle)created;
  return true;
}

bool ConnectRemoteRegistry(const std::string &machine, RegistryKeyHandle root,
                           RegistryKeyHandle *key) {
  HKEY connected = NULL;
  if (key == NULL || root == NULL) return false;
  *key = NULL;
  if (RegConnectRegistryA(machine.c_str(), ToWin32(root), &connected) != ERROR_SUCCESS) {
    return false;
  }
  *key = (RegistryKeyHandle)connected;
  return true;
}

void CloseRegistryKeyHandle(RegistryKeyHandle *key) {
  if (key == NULL || *key == NULL) return;
  if (!IsPredefined(ToWin32(*key))) RegCloseKey(ToWin32(*key));
  *key = NULL;
}

bool RegistryValuePresent(RegistryKeyHandle key, const std::string &valueName) {
  return key != NULL &&
         RegQueryValueExA(ToWin32(key), valueName.c_str(), NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
}

RegistryReadResult ReadRegistryValueTyped(RegistryKeyHandle key, const std::string &valueName,
                                          uint32_t *typeCode, std::vector<uint8_t> *data) {
  RegistryReadResult result = kRegistryValueMissing;
  if (key == NULL || typeCode == NULL || data == NULL) return result;
  data->clear();
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(ToWin32(key), valueName.c_str(), NULL, &type, NULL, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    *typeCode = type;
    result = kRegistryValueUnreadable;
    if (size > kRegistryDataLimit) break;
    // One spare byte: some systems report string sizes without the
    // terminator they then write.
    std::vector<uint8_t> buffer(static_cast<size_t>(size) + 1, 0);
    DWORD got = static_cast<DWORD>(buffer.size());
    const LONG status =
        RegQueryValueExA(ToWin32(key), valueName.c_str(), NULL, &type, buffer.data(), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || got > buffer.size()) break;
    buffer.resize(got);
    data->swap(buffer);
    *typeCode = type;
    result = kRegistryValueRead;
    break;
  }
  return result;
}

RegistryReadResult ReadRegistryValueData(RegistryKeyHandle key, const std::string &valueName,
                                         RegistryDataKind *kind, std::vector<uint8_t> *data) {
  uint32_t type = 0;
  if (kind == NULL) return kRegistryValueMissing;
  const RegistryReadResult result = ReadRegistryValueTyped(key, valueName, &type, data);
  if (result != kRegistryValueMissing) *kind = KindOf(type);
  return result;
}

bool WriteRegistryString(RegistryKeyHandle key, const std::string &valueName,
                         const std::string &text) {
  if (key == NULL || text.size() >= 0xFFFFFFFFu) return false;
  return RegSetValueExA(ToWin32(key), valueName.c_str(), 0, REG_SZ, (const BYTE *)text.c_str(),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool WriteRegistryExpandString(RegistryKeyHandle key, const std::string &valueName,
                               const std::string &text) {
  if (key == NULL || text.size() >= 0xFFFFFFFFu) return false;
  return RegSetValueExA(ToWin32(key), valueName.c_str(), 0, REG_EXPAND_SZ,
                        (const BYTE *)text.c_str(), static_cast<DWORD>(text.size() + 1)) ==
         ERROR_SUCCESS;
}

bool WriteRegistryDword(RegistryKeyHandle key, const std::string &valueName, uint32_t value) {
  const DWORD number = value;
  if (key == NULL) return false;
  return RegSetValueExA(ToWin32(key), valueName.c_str(), 0, REG_DWORD, (const BYTE *)&number,
                        sizeof(number)) == ERROR_SUCCESS;
}

RegistryEnumResult EnumerateRegistrySubkey(RegistryKeyHandle key, uint32_t index,
                                           size_t bufferSize, std::string *name) {
  if (key == NULL || name == NULL || bufferSize == 0 || bufferSize > 0xFFFFu) {
    return kRegistryEnumFailed;
  }
  std::string buffer(bufferSize, '\0');
  DWORD length = static_cast<DWORD>(bufferSize);
  LONG result = RegEnumKeyExA(ToWin32(key), index, &buffer[0], &length, NULL, NULL, NULL, NULL);
  if (result == ERROR_NO_MORE_ITEMS) return kRegistryEnumEnd;
  if (result != ERROR_SUCCESS || length >= bufferSize) return kRegistryEnumFailed;
  buffer.resize(length);
  name->swap(buffer);
  return kRegistryEnumName;
}

void YieldDuringScan() { SleepEx(0, TRUE); }

std::string AnsiFromUtf16(const std::vector<uint16_t> &units) {
  if (units.empty() || units.size() > 0x7FFFFFFu) return std::string();
  const wchar_t *wide = reinterpret_cast<const wchar_t *>(units.data());
  const int count = static_cast<int>(units.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide, count, NULL, 0, NULL, NULL);
  if (needed <= 0) return std::string();
  std::string text(static_cast<size_t>(needed), '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide, count, &text[0], needed, NULL, NULL);
  if (written <= 0) return std::string();
  text.resize(static_cast<size_t>(written));
  return text;
}
