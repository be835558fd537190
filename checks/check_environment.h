// What the system checks need from the machine, as one record of function
// pointers. The checks themselves make no system call: the stub binds the
// record to Windows (SystemCheckEnvironment in system_environment.h), and
// the host tests bind it to fakes. Every pointer must be set before a check
// that uses it runs; the header of each check names the ones it calls.
//
// Registry operations take a script's root-key code; a code outside 0 to 5
// names no root, so its key or value is missing.
#ifndef QVS_CHECKS_CHECK_ENVIRONMENT_H
#define QVS_CHECKS_CHECK_ENVIRONMENT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "checks/os_classification.h"

enum CheckButtons { kCheckButtonsOk, kCheckButtonsYesNo };
// Information (MB_ICONINFORMATION) or exclamation (MB_ICONEXCLAMATION).
enum CheckIcon { kCheckIconInformation, kCheckIconExclamation };

// A check's verdict: go on with the installation, or end the installer
// (the caller ends it through CleanExit).
enum CheckResult { kCheckContinue, kCheckEndInstaller };

struct CheckEnvironment {
  // The OS code, which only the requirement check goes by; the other checks
  // go by the system it acts as (OsCodeActingAs of osCode and os).
  int osCode = 0;
  OsDetails os;

  // Shows a modal message box; true when the user pressed Yes.
  bool (*showMessage)(const std::string &text, const std::string &caption,
                      CheckButtons buttons, CheckIcon icon) = nullptr;
  // Path variables of a script text, expanded at the moment of use.
  std::string (*expandText)(const std::string &text) = nullptr;

  int (*isSystem64Bit)() = nullptr;
  int32_t (*measureProcessorSpeed)() = nullptr;   // MHz
  uint64_t (*measurePhysicalMemory)() = nullptr;  // bytes

  bool (*registryKeyExists)(int32_t rootCode, const std::string &keyPath) = nullptr;
  bool (*registryValueExists)(int32_t rootCode, const std::string &keyPath,
                              const std::string &valueName) = nullptr;
  std::string (*registryReadValue)(int32_t rootCode, const std::string &keyPath,
                                   const std::string &valueName) = nullptr;
  // The paths of the direct subkeys of `keyPath` ("keyPath\name"), in
  // enumeration order; none when the key cannot be opened.
  std::vector<std::string> (*registrySubkeys)(int32_t rootCode,
                                              const std::string &keyPath) = nullptr;

  // True when `path` names an existing file (not a folder).
  bool (*fileExists)(const std::string &path) = nullptr;
  // True when `path` names an existing file of at least one byte.
  bool (*nonEmptyFileExists)(const std::string &path) = nullptr;
  // The file version as "a.b.c.d", empty when there is none.
  std::string (*fileVersionText)(const std::string &path) = nullptr;

  bool (*isMutexPresent)(const std::string &name) = nullptr;
  // True when a top-level window matches (FindMatchingWindow's rules).
  bool (*isWindowPresent)(const std::string &windowName, const std::string &windowClass,
                          int containsFlag) = nullptr;

  // Starts the default browser on `address`; reports nothing.
  void (*openWebAddress)(const std::string &address) = nullptr;
};

#endif
