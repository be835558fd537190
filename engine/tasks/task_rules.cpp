#include "engine/tasks/task_rules.h"

#include "checks/os_codes.h"
#include "script/ansi_text.h"

namespace {

// Predefined root handles as the system numbers them; the data file
// stores these numbers, so they are part of its format.
const uint32_t kHandleClassesRoot = 0x80000000u;
const uint32_t kHandleCurrentUser = 0x80000001u;
const uint32_t kHandleLocalMachine = 0x80000002u;
const uint32_t kHandleUsers = 0x80000003u;
const uint32_t kHandleCurrentConfig = 0x80000005u;
const uint32_t kHandleDynData = 0x80000006u;

const int32_t kValueTypeText = 0;
const int32_t kValueTypeNumber = 1;
const int32_t kRegSz = 1;
const int32_t kRegDword = 4;

}  // namespace

bool IsNineXSystem(int osCode) {
  return osCode == kOsWindows95 || osCode == kOsWindows98 || osCode == kOsWindowsMe;
}

bool IsListedNtSystem(int osCode) {
  return osCode == kOsNT4 || (osCode >= kOsWindows2000 && osCode <= kOsWindows7);
}

int32_t TaskFlagForOs(const OsFlags &flags, int osCode) {
  switch (osCode) {
    case kOsWindows95: return flags.Win95;
    case kOsNT4: return flags.WinNT4;
    case kOsWindows98: return flags.Win98;
    case kOsWindowsMe: return flags.WinMe;
    case kOsWindows2000: return flags.Win2000;
    case kOsWindowsXP: return flags.WinXP;
    case kOsServer2003: return flags.WinServer2003;
    case kOsVista: return flags.WinVista;
    case kOsServer2008: return flags.WinServer2008;
    case kOsWindows7: return flags.Win7;
  }
  return 0;
}

int32_t TaskProgressPercent(size_t done, size_t total) {
  if (total == 0) return 0;
  if (done > total) done = total;
  return (int32_t)((done * 200 + total) / (total * 2));
}

int32_t RegistryTypeForValueType(int32_t valueType) {
  if (valueType == kValueTypeText) return kRegSz;
  if (valueType == kValueTypeNumber) return kRegDword;
  return 0;
}

int32_t RootHandleValue(int32_t code) {
  static const uint32_t kHandles[] = {kHandleClassesRoot, kHandleCurrentUser,
                                      kHandleLocalMachine, kHandleUsers,
                                      kHandleCurrentConfig, kHandleDynData};
  if (code < 0 || code >= (int32_t)(sizeof kHandles / sizeof kHandles[0])) return 0;
  return (int32_t)kHandles[code];
}

std::string DirectCommandLine(const std::string &path, const std::string &commandLine) {
  if (commandLine.empty()) return std::string();
  return "\"" + path + "\" " + commandLine;
}

std::string FileNamePartOf(const std::string &path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? path : path.substr(last + 1);
}

bool StartsWithIgnoringCase(const std::string &text, const std::string &prefix) {
  if (text.size() < prefix.size()) return false;
  return AnsiLower(text.substr(0, prefix.size())) == AnsiLower(prefix);
}
