// A fake machine for the system checks' host tests: registry values, keys
// and subkeys, files, running mutexes and windows, measured hardware, and a
// log of the message boxes shown with scripted answers. The English
// language strings are loaded from lang/English.lng.
#ifndef QVS_TESTS_UNIT_CHECKS_TEST_SUPPORT_H
#define QVS_TESTS_UNIT_CHECKS_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "checks/check_environment.h"
#include "checks/running_instances.h"
#include "script/document.h"
#include "script/language_data.h"
#include "script/language_strings.h"
#include "script/registry_text.h"

struct ShownMessage {
  std::string text;
  std::string caption;
  CheckButtons buttons;
  CheckIcon icon;
};

struct FakeWindow {
  std::string title;
  std::string className;
};

struct FakeMachine {
  // "root|key|value" -> data; keys are remembered separately.
  std::map<std::string, std::string> values;
  std::set<std::string> keys;
  std::map<std::string, std::vector<std::string>> subkeys;  // "root|key" -> paths
  std::map<std::string, uint64_t> files;                    // path -> size
  std::map<std::string, std::string> fileVersions;
  std::set<std::string> mutexes;
  std::vector<FakeWindow> windows;
  int is64Bit = 0;
  int32_t speed = 0;
  uint64_t memory = 0;
  int speedMeasured = 0;
  int memoryMeasured = 0;
  int is64BitAsked = 0;
  std::vector<std::string> readsOfValues;  // "root|key|value" in read order
  std::deque<bool> answers;                // Yes (true) or No for Yes/No boxes
  std::vector<ShownMessage> shown;
  std::vector<std::string> opened;         // web addresses
};

inline FakeMachine *&CurrentFake() {
  static FakeMachine *fake = nullptr;
  return fake;
}

inline std::string FakeValueId(int32_t root, const std::string &key, const std::string &value) {
  return std::to_string(root) + "|" + key + "|" + value;
}

namespace fake_env {

inline bool ShowMessage(const std::string &text, const std::string &caption, CheckButtons buttons,
                        CheckIcon icon) {
  FakeMachine &m = *CurrentFake();
  m.shown.push_back(ShownMessage{text, caption, buttons, icon});
  if (buttons != kCheckButtonsYesNo || m.answers.empty()) return false;
  bool yes = m.answers.front();
  m.answers.pop_front();
  return yes;
}
inline std::string Expand(const std::string &text) {
  std::string out = text;
  size_t at = out.find("<product>");
  if (at != std::string::npos) out.replace(at, 9, "Expanded Product");
  return out;
}
inline int Is64Bit() {
  CurrentFake()->is64BitAsked++;
  return CurrentFake()->is64Bit;
}
inline int32_t Speed() {
  CurrentFake()->speedMeasured++;
  return CurrentFake()->speed;
}
inline uint64_t Memory() {
  CurrentFake()->memoryMeasured++;
  return CurrentFake()->memory;
}
inline bool KeyExists(int32_t root, const std::string &key) {
  return CurrentFake()->keys.count(std::to_string(root) + "|" + key) > 0;
}
inline bool ValueExists(int32_t root, const std::string &key, const std::string &value) {
  return CurrentFake()->values.count(FakeValueId(root, key, value)) > 0;
}
inline std::string ReadValue(int32_t root, const std::string &key, const std::string &value) {
  FakeMachine &m = *CurrentFake();
  m.readsOfValues.push_back(FakeValueId(root, key, value));
  auto found = m.values.find(FakeValueId(root, key, value));
  return found == m.values.end() ? std::string() : found->second;
}
inline std::vector<std::string> Subkeys(int32_t root, const std::string &key) {
  auto found = CurrentFake()->subkeys.find(std::to_string(root) + "|" + key);
  return found == CurrentFake()->subkeys.end() ? std::vector<std::string>() : found->second;
}
inline bool FileExists(const std::string &path) { return CurrentFake()->files.count(path) > 0; }
inline bool NonEmptyFile(const std::string &path) {
  auto found = CurrentFake()->files.find(path);
  return found != CurrentFake()->files.end() && found->second > 0;
}
inline std::string FileVersion(const std::string &path) {
  auto found = CurrentFake()->fileVersions.find(path);
  return found == CurrentFake()->fileVersions.end() ? std::string() : found->second;
}
inline bool MutexPresent(const std::string &name) { return CurrentFake()->mutexes.count(name) > 0; }
inline bool WindowPresent(const std::string &name, const std::string &cls, int contains) {
  for (const FakeWindow &w : CurrentFake()->windows)
    if (WindowMatches(w.title, w.className, name, cls, contains)) return true;
  return false;
}
inline void OpenWeb(const std::string &address) { CurrentFake()->opened.push_back(address); }

}  // namespace fake_env

// The English strings loaded, a fresh fake machine on Windows 7 and an
// environment bound to it.
class CheckTest : public ::testing::Test {
 protected:
  FakeMachine machine;
  CheckEnvironment env;

  void SetUp() override {
    ClearDocument();
    ClearSelection();
    ResetLanguageStrings();
    std::vector<LanguageFile> languages = {ReadLanguageFile(ReadEnglishFile())};
    ASSERT_GT(LoadLanguageStrings(languages, "English"), 0);
    ClearDocument();
    CurrentFake() = &machine;
    env.osCode = 80;
    env.showMessage = fake_env::ShowMessage;
    env.expandText = fake_env::Expand;
    env.isSystem64Bit = fake_env::Is64Bit;
    env.measureProcessorSpeed = fake_env::Speed;
    env.measurePhysicalMemory = fake_env::Memory;
    env.registryKeyExists = fake_env::KeyExists;
    env.registryValueExists = fake_env::ValueExists;
    env.registryReadValue = fake_env::ReadValue;
    env.registrySubkeys = fake_env::Subkeys;
    env.fileExists = fake_env::FileExists;
    env.nonEmptyFileExists = fake_env::NonEmptyFile;
    env.fileVersionText = fake_env::FileVersion;
    env.isMutexPresent = fake_env::MutexPresent;
    env.isWindowPresent = fake_env::WindowPresent;
    env.openWebAddress = fake_env::OpenWeb;
  }
  void TearDown() override {
    CurrentFake() = nullptr;
    ResetLanguageStrings();
  }

  void SetValue(int32_t root, const std::string &key, const std::string &value,
                const std::string &data) {
    machine.values[FakeValueId(root, key, value)] = data;
    machine.keys.insert(std::to_string(root) + "|" + key);
  }

  static std::string ReadEnglishFile() {
    std::string path(__FILE__);
    size_t at = path.rfind("tests/unit/");
    std::string root = at == std::string::npos ? std::string("./") : path.substr(0, at);
    std::ifstream in(root + "lang/English.lng", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

#endif
