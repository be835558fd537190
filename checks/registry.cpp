#include "checks/registry.h"

#include <stdint.h>

#include <vector>

#include "platform/environment.h"

namespace {

// RegEnumKeyExA's name buffer, in characters (key names are far shorter).
const size_t kSubkeyNameBuffer = 8192;

// A key opened below a root or below a connection to another machine's
// registry; both handles are released by CloseOpened.
struct OpenedKey {
  RegistryKeyHandle connection = NULL;
  RegistryKeyHandle key = NULL;
};

void CloseOpened(OpenedKey *opened) {
  CloseRegistryKeyHandle(&opened->key);
  CloseRegistryKeyHandle(&opened->connection);
}

// The root to work below: `root` itself, or its counterpart on `machine`.
bool BaseFor(RegistryKeyHandle root, const std::string &machine, OpenedKey *opened,
             RegistryKeyHandle *base) {
  if (root == NULL) return false;
  if (machine.empty()) {
    *base = root;
    return true;
  }
  if (!ConnectRemoteRegistry(machine, root, &opened->connection)) return false;
  *base = opened->connection;
  return true;
}

bool OpenBelow(RegistryKeyHandle root, const std::string &machine, const std::string &keyPath,
               RegistryAccess access, OpenedKey *opened) {
  RegistryKeyHandle base = NULL;
  if (!BaseFor(root, machine, opened, &base)) return false;
  return OpenRegistryKey(base, StripTrailingBackslash(keyPath), access, &opened->key);
}

std::string TextOfData(RegistryDataKind kind, bool read, const std::vector<uint8_t> &data) {
  switch (kind) {
    case kRegistryDataString:
    case kRegistryDataExpandString:
      // Plain strings are expanded too: scripts store %VARIABLES% in both.
      return read ? ExpandEnvironmentText(RegistryStringText(data.data(), data.size()))
                  : std::string();
    case kRegistryDataDword:
      // More than four bytes do not fit the number the value is read into.
      return read && data.size() <= 4 ? RegistryDwordText(data.data(), data.size())
                                      : std::string("0");
    case kRegistryDataBinary:
      return read ? AnsiFromUtf16(RegistryBinaryUnits(data.data(), data.size())) : std::string();
    case kRegistryDataOther:
      break;
  }
  return std::string();
}

void EnumerateBelow(RegistryKeyHandle root, const std::string &keyPath, int recursive,
                    RegistryVisitor visitor, void *context, RegistryKeyHandle key) {
  for (uint32_t index = 0;; ++index) {
    std::string name;
    const RegistryEnumResult result = EnumerateRegistrySubkey(key, index, kSubkeyNameBuffer, &name);
    if (result != kRegistryEnumName) break;
    const std::string subkeyPath = keyPath.empty() ? name : keyPath + "\\" + name;
    if (visitor != NULL) visitor(root, subkeyPath, context);
    if (recursive == 1) RegistryEnumerateSubkeys(root, subkeyPath, recursive, visitor, context);
    YieldDuringScan();
  }
}

}  // namespace

RegistryKeyHandle RegistryRootFromCode(int32_t code) {
  switch (code) {
    case kRootClassesRoot:
      return PredefinedRegistryKey(kPredefinedClassesRoot);
    case kRootCurrentUser:
      return PredefinedRegistryKey(kPredefinedCurrentUser);
    case kRootLocalMachine:
      return PredefinedRegistryKey(kPredefinedLocalMachine);
    case kRootUsers:
      return PredefinedRegistryKey(kPredefinedUsers);
    case kRootCurrentConfig:
      return PredefinedRegistryKey(kPredefinedCurrentConfig);
    case kRootDynData:
      return PredefinedRegistryKey(kPredefinedDynData);
  }
  return NULL;
}

int RegistryCreateKey(RegistryKeyHandle root, const std::string &keyPath,
                      const std::string &machine) {
  OpenedKey opened;
  RegistryKeyHandle base = NULL;
  int result = 0;
  if (BaseFor(root, machine, &opened, &base) &&
      CreateRegistryKeyPath(base, StripTrailingBackslash(keyPath), &opened.key)) {
    result = 1;
  }
  CloseOpened(&opened);
  return result;
}

std::string RegistryReadValue(RegistryKeyHandle root, const std::string &keyPath,
                              const std::string &valueName, const std::string &machine) {
  OpenedKey opened;
  std::string text;
  RegistryDataKind kind = kRegistryDataOther;
  std::vector<uint8_t> data;
  // A missing value reads as the empty text; a DWORD found but not read
  // (it vanished, or holds more than four bytes) reads as "0".
  if (OpenBelow(root, machine, keyPath, kRegistryAccessRead, &opened)) {
    const RegistryReadResult read = ReadRegistryValueData(opened.key, valueName, &kind, &data);
    if (read != kRegistryValueMissing) text = TextOfData(kind, read == kRegistryValueRead, data);
  }
  CloseOpened(&opened);
  return text;
}

int RegistryKeyExists(RegistryKeyHandle root, const std::string &keyPath,
                      const std::string &machine) {
  OpenedKey opened;
  const int result = OpenBelow(root, machine, keyPath, kRegistryAccessRead, &opened) ? 1 : 0;
  CloseOpened(&opened);
  return result;
}

int RegistryValueExists(RegistryKeyHandle root, const std::string &keyPath,
                        const std::string &valueName, const std::string &machine) {
  OpenedKey opened;
  int result = 0;
  if (OpenBelow(root, machine, keyPath, kRegistryAccessRead, &opened) &&
      RegistryValuePresent(opened.key, valueName)) {
    result = 1;
  }
  CloseOpened(&opened);
  return result;
}

int RegistryWriteValue(RegistryKeyHandle root, const std::string &keyPath,
                       const std::string &valueName, const std::string &data, int32_t type,
                       const std::string &machine) {
  OpenedKey opened;
  int result = 0;
  if (OpenBelow(root, machine, keyPath, kRegistryAccessAll, &opened)) {
    // A failed write still counts: callers only learn whether the key was
    // there to write into.
    if (type == kRegistryString) {
      WriteRegistryString(opened.key, valueName, data);
    } else if (type == kRegistryDword) {
      WriteRegistryDword(opened.key, valueName, RegistryDwordFromText(data));
    }
    result = 1;
  }
  CloseOpened(&opened);
  return result;
}

int RegistryEnumerateSubkeys(RegistryKeyHandle root, const std::string &keyPath, int recursive,
                             RegistryVisitor visitor, void *context) {
  const std::string path = StripLeadingBackslash(keyPath);
  RegistryKeyHandle key = NULL;
  if (root == NULL || !OpenRegistryKey(root, path, kRegistryAccessEnumerate, &key)) return 0;
  EnumerateBelow(root, path, recursive, visitor, context, key);
  CloseRegistryKeyHandle(&key);
  return 1;
}
