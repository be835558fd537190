// The Win32 registry calls of the installer, ANSI throughout, with no
// registry view asked for (a 32-bit process sees the 32-bit view).
//
// A RegistryKeyHandle is NULL when no key is open. CloseRegistryKeyHandle
// clears it and is safe to call twice; it never closes a predefined root.
#ifndef QVS_PLATFORM_REGISTRY_API_H
#define QVS_PLATFORM_REGISTRY_API_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

typedef void *RegistryKeyHandle;

enum PredefinedRegistryRoot {
  kPredefinedClassesRoot,
  kPredefinedCurrentUser,
  kPredefinedLocalMachine,
  kPredefinedUsers,
  kPredefinedCurrentConfig,
  kPredefinedDynData,
};
RegistryKeyHandle PredefinedRegistryKey(PredefinedRegistryRoot root);

enum RegistryAccess {
  kRegistryAccessRead,       // KEY_READ
  kRegistryAccessAll,        // KEY_ALL_ACCESS
  kRegistryAccessEnumerate,  // KEY_ENUMERATE_SUB_KEYS
};

// Opens `path` below `parent` (an empty path opens `parent` itself anew).
bool OpenRegistryKey(RegistryKeyHandle parent, const std::string &path, RegistryAccess access,
                     RegistryKeyHandle *key);
// Opens or creates `path` below `parent`, with every missing key on the way,
// for all access.
bool CreateRegistryKeyPath(RegistryKeyHandle parent, const std::string &path,
                           RegistryKeyHandle *key);
// The root `root` of the registry of `machine`.
bool ConnectRemoteRegistry(const std::string &machine, RegistryKeyHandle root,
                           RegistryKeyHandle *key);
void CloseRegistryKeyHandle(RegistryKeyHandle *key);

// The kinds of registry data the installer tells apart.
enum RegistryDataKind {
  kRegistryDataOther,
  kRegistryDataString,        // REG_SZ
  kRegistryDataExpandString,  // REG_EXPAND_SZ
  kRegistryDataBinary,        // REG_BINARY
  kRegistryDataDword,         // REG_DWORD (little-endian)
};

// True when `key` has a value named `valueName` (empty: the default value),
// whatever its type and size.
bool RegistryValuePresent(RegistryKeyHandle key, const std::string &valueName);
// The whole data of a value, however long (the size is asked first, and
// asked again if the value grows meanwhile), up to kRegistryDataLimit bytes.
// `kind` receives the value's kind once it is found, also when its data
// then cannot be read.
static const size_t kRegistryDataLimit = 64u << 20;
enum RegistryReadResult { kRegistryValueMissing, kRegistryValueUnreadable, kRegistryValueRead };
RegistryReadResult ReadRegistryValueData(RegistryKeyHandle key, const std::string &valueName,
                                         RegistryDataKind *kind, std::vector<uint8_t> *data);

// As ReadRegistryValueData, with the value's type as the registry numbers
// it (REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4, REG_MULTI_SZ 7,
// ...), for keeping a value exactly as it was.
RegistryReadResult ReadRegistryValueTyped(RegistryKeyHandle key, const std::string &valueName,
                                          uint32_t *typeCode, std::vector<uint8_t> *data);

// Writes a REG_SZ value with its terminating zero, or a REG_DWORD value.
bool WriteRegistryString(RegistryKeyHandle key, const std::string &valueName,
                         const std::string &text);
// Writes a REG_EXPAND_SZ value with its terminating zero.
bool WriteRegistryExpandString(RegistryKeyHandle key, const std::string &valueName,
                               const std::string &text);
bool WriteRegistryDword(RegistryKeyHandle key, const std::string &valueName, uint32_t value);
enum RegistryEnumResult { kRegistryEnumName, kRegistryEnumEnd, kRegistryEnumFailed };
// The name of subkey `index` of a key opened for enumeration, read into a
// buffer of `bufferSize` characters.
RegistryEnumResult EnumerateRegistrySubkey(RegistryKeyHandle key, uint32_t index,
                                           size_t bufferSize, std::string *name);

// Lets window messages, queued calls and other threads run during a long
// scan (SleepEx(0, alertable)).
void YieldDuringScan();

// UTF-16 code units converted to the ANSI code page; empty when they
// cannot be converted.
std::string AnsiFromUtf16(const std::vector<uint16_t> &units);

#endif
