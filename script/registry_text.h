// The text side of the registry layer: root-key codes and their display
// names, the key-path rules, and the conversions between registry data and
// the texts the installer exchanges. No system call: the Windows side
// (checks/registry.h) and the host tests share it.
#ifndef QVS_SCRIPT_REGISTRY_TEXT_H
#define QVS_SCRIPT_REGISTRY_TEXT_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Root-key codes as scripts and the uninstaller configuration write them.
enum RegistryRootCode {
  kRootClassesRoot = 0,
  kRootCurrentUser = 1,
  kRootLocalMachine = 2,
  kRootUsers = 3,
  kRootCurrentConfig = 4,
  kRootDynData = 5,
};

// Value types, by the numbers scripts use for them.
enum RegistryValueType {
  kRegistryString = 1,
  kRegistryExpandString = 2,
  kRegistryBinary = 3,
  kRegistryDword = 4,
};

// True for the codes 0 to 5; every other code names no root.
bool IsRegistryRootCode(int32_t code);

// "HKEY_CLASSES_ROOT" ... "HKEY_DYN_DATA"; empty for a code that names no
// root.
std::string RegistryRootName(int32_t code);

// A key as the user sees it: root name, "\" and the key path, e.g.
// HKEY_LOCAL_MACHINE\Software\Foo. A code that names no root shows as its
// number, so a message still tells which item it was.
std::string FormatRegistryKey(int32_t code, const std::string &keyPath);
// A value: the key, " -> " and the value name.
std::string FormatRegistryValue(int32_t code, const std::string &keyPath,
                                const std::string &valueName);

// `path` less one trailing backslash (create, read, test and write), or less
// one leading backslash (enumeration). Only one is removed.
std::string StripTrailingBackslash(const std::string &path);
std::string StripLeadingBackslash(const std::string &path);

// The data text of a DWORD write: the installer's number reading, low 32
// bits ("12abc" is 12, "$1F" is 31, "abc" is 0).
uint32_t RegistryDwordFromText(const std::string &text);
// A DWORD read back: its signed decimal text (4294967295 reads "-1").
// `size` bytes of little-endian data; fewer than four are zero-extended.
std::string RegistryDwordText(const uint8_t *data, size_t size);

// String data as text: the bytes up to the first zero byte, or all of them
// when there is none (data written without its terminator loses nothing).
std::string RegistryStringText(const uint8_t *data, size_t size);

// Binary data read as UTF-16LE: the code units up to the first zero unit or
// the end of the data; an odd last byte is a unit of its own with a zero
// high byte.
std::vector<uint16_t> RegistryBinaryUnits(const uint8_t *data, size_t size);

#endif
