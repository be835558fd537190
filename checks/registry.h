// The registry layer: six operations shared by the checks, the path
// variables and the installation tasks. They keep no state: each opens what
// it needs, acts, closes every key it opened and returns. Nothing here
// shows a message; callers decide what a failure means.
//
// Roots are handles: callers turn a script's root-key code into one with
// RegistryRootFromCode. A NULL root (a code outside 0 to 5) names nothing:
// reads give the empty text, tests 0, writes 0, and no system call is made.
//
// `machine` empty means the local registry; otherwise the operation works
// below the root of that machine's registry (RegConnectRegistryA), closing
// the connection before it returns.
//
// Key paths lose one trailing backslash before use (Software\Foo\ is
// Software\Foo); enumeration instead drops one leading backslash.
#ifndef QVS_CHECKS_REGISTRY_H
#define QVS_CHECKS_REGISTRY_H

#include <stdint.h>

#include <string>

#include "platform/registry_api.h"
#include "script/registry_text.h"

// The predefined root of a root-key code; NULL for codes outside 0 to 5.
RegistryKeyHandle RegistryRootFromCode(int32_t code);

// Creates the key with any missing keys above it; an existing key counts as
// created. 1 on success, else 0.
int RegistryCreateKey(RegistryKeyHandle root, const std::string &keyPath,
                      const std::string &machine = std::string());

// The value as text: REG_SZ and REG_EXPAND_SZ with environment references
// expanded, REG_DWORD as signed decimal ("0" when the DWORD cannot be read
// after it was found), REG_BINARY read as UTF-16LE text converted to ANSI;
// the empty text for other types and for a missing key or value. Data of
// any length is read in full.
std::string RegistryReadValue(RegistryKeyHandle root, const std::string &keyPath,
                              const std::string &valueName,
                              const std::string &machine = std::string());

// 1 when the key can be opened for reading, else 0.
int RegistryKeyExists(RegistryKeyHandle root, const std::string &keyPath,
                      const std::string &machine = std::string());

// 1 when the key has the value (the empty name: the default value is set),
// whatever its type and size; else 0.
int RegistryValueExists(RegistryKeyHandle root, const std::string &keyPath,
                        const std::string &valueName,
                        const std::string &machine = std::string());

// Writes into an existing key (it is never created here): type 1 (REG_SZ)
// the text, type 4 (REG_DWORD) the text read as a number, low 32 bits;
// other types write nothing. 1 whenever the key could be opened for
// writing, even when nothing was written; 0 when it could not.
int RegistryWriteValue(RegistryKeyHandle root, const std::string &keyPath,
                       const std::string &valueName, const std::string &data, int32_t type,
                       const std::string &machine = std::string());

// Called with the root and a subkey's path below it (the bare name when the
// enumerated path is empty). May be NULL.
typedef void (*RegistryVisitor)(RegistryKeyHandle root, const std::string &subkeyPath,
                                void *context);

// Visits the subkeys of `keyPath`; with `recursive` 1 each subkey's own
// subkeys follow it before its next sibling (depth first). Yields the
// processor after each subkey. 1 when the key could be opened for
// enumeration, else 0 with nothing visited. Local registry only.
int RegistryEnumerateSubkeys(RegistryKeyHandle root, const std::string &keyPath, int recursive,
                             RegistryVisitor visitor, void *context);

#endif
