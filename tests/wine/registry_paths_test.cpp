// The registry layer against the real registry, and the path variables
// against the real folders and environment, under Wine.
//
//   registry_paths_test
//
// Works below HKEY_CURRENT_USER\Software\QvsTest, which it deletes again.
// Prints a line per failed check and ends with "checks: P passed, F failed".
#include <stdio.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "checks/path_display.h"
#include "checks/path_expansion.h"
#include "checks/path_lookups.h"
#include "checks/registry.h"
#include "platform/environment.h"
#include "platform/text_width.h"
#include "script/document.h"
#include "script/script_settings.h"
#include "tests/wine/checks.h"
#include "tests/wine/crash_report.h"

namespace {

#define CHECK_EQ(actual, expected) CheckEqual((actual), (expected), #actual, __LINE__)

// Long texts are shown by their start and length.
std::string Shown(const std::string &text) {
  if (text.size() <= 200) return "\"" + text + "\"";
  return "\"" + text.substr(0, 60) + "...\" (" + std::to_string(text.size()) + " characters)";
}

void CheckEqual(const std::string &actual, const std::string &expected, const char *what,
                int line) {
  Check(actual == expected, std::string(what) + ": got " + Shown(actual) + ", want " +
                                Shown(expected), line);
}

const char kBase[] = "Software\\QvsTest";
const char kScratch[] = "Software\\QvsTest\\Run";

RegistryKeyHandle User() { return RegistryRootFromCode(kRootCurrentUser); }

// Raw values for the cases the layer itself never writes.
void SetRaw(const char *value, DWORD type, const void *data, DWORD size) {
  HKEY key = NULL;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegSetValueExA(key, value, 0, type, (const BYTE *)data, size);
    RegCloseKey(key);
  }
}

std::string Env(const char *name) {
  char buffer[4096] = {};
  DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
  return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

void TestCreateReadWrite() {
  const std::string key = std::string(kScratch) + "\\Values";
  CHECK(RegistryCreateKey(User(), key + "\\Deep\\Er\\") == 1, "nested keys created");
  CHECK(RegistryCreateKey(User(), key) == 1, "an existing key counts as created");
  CHECK(RegistryKeyExists(User(), key + "\\Deep\\Er") == 1, "created key exists");
  CHECK(RegistryKeyExists(User(), key + "\\Deep\\Er\\") == 1, "trailing backslash: same key");
  CHECK(RegistryKeyExists(User(), key + "\\Missing") == 0, "missing key");

  CHECK(RegistryWriteValue(User(), key + "\\", "Text", "hello", kRegistryString) == 1,
        "string written through a trailing backslash");
  CHECK_EQ(RegistryReadValue(User(), key, "Text"), "hello");
  CHECK_EQ(RegistryReadValue(User(), key + "\\", "Text"), "hello");
  CHECK_EQ(RegistryReadValue(User(), key, "Absent"), "");
  CHECK(RegistryValueExists(User(), key, "Text") == 1, "value exists");
  CHECK(RegistryValueExists(User(), key + "\\", "Text") == 1, "value exists, trailing backslash");
  CHECK(RegistryValueExists(User(), key, "Absent") == 0, "absent value");

  const struct {
    const char *data, *read;
  } dwords[] = {{"12abc", "12"}, {"$1F", "31"}, {"abc", "0"}, {"4294967295", "-1"},
                {"-1", "-1"},    {"%11", "3"},  {" 7", "7"}};
  for (const auto &d : dwords) {
    CHECK(RegistryWriteValue(User(), key, "Number", d.data, kRegistryDword) == 1, d.data);
    CHECK_EQ(RegistryReadValue(User(), key, "Number"), d.read);
  }
  // Types the layer does not write: skipped, yet reported as done.
  CHECK(RegistryWriteValue(User(), key, "Skipped", "x", kRegistryExpandString) == 1, "type 2");
  CHECK(RegistryWriteValue(User(), key, "Skipped", "x", kRegistryBinary) == 1, "type 3");
  CHECK(RegistryValueExists(User(), key, "Skipped") == 0, "nothing written for types 2 and 3");

  CHECK(RegistryValueExists(User(), key, "") == 0, "default value not set yet");
  RegistryWriteValue(User(), key, "", "", kRegistryString);
  CHECK(RegistryValueExists(User(), key, "") == 1, "default value set, even empty");

  // A write never creates its key.
  CHECK(RegistryWriteValue(User(), key + "\\NoSuch", "v", "1", kRegistryString) == 0,
        "write to a missing key fails");
  CHECK(RegistryKeyExists(User(), key + "\\NoSuch") == 0, "missing key not created by a write");
}

void TestValueTypes() {
  const std::string windir = Env("windir");
  const char expand[] = "%WINDIR%\\Fonts";
  SetRaw("Expand", REG_EXPAND_SZ, expand, sizeof(expand));
  SetRaw("Plain", REG_SZ, expand, sizeof(expand));
  CHECK(!windir.empty(), "windir is set");
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Expand"), windir + "\\Fonts");
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Plain"), windir + "\\Fonts");
  const char unterminated[] = {'a', 'b', 'c'};
  SetRaw("Unterminated", REG_SZ, unterminated, sizeof(unterminated));
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Unterminated"), "abc");

  const char multi[] = "one\0two\0";
  SetRaw("Multi", REG_MULTI_SZ, multi, sizeof(multi));
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Multi"), "");
  CHECK(RegistryValueExists(User(), kScratch, "Multi") == 1, "multi-string exists");

  const wchar_t binary[] = L"Hello\0junk";
  SetRaw("Binary", REG_BINARY, binary, sizeof(binary));
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Binary"), "Hello");
  if (GetACP() == 1252) {
    const wchar_t euro[] = {0x20AC, 'x', 0};
    SetRaw("Euro", REG_BINARY, euro, 4);  // no terminator: ends with the data
    CHECK_EQ(RegistryReadValue(User(), kScratch, "Euro"), "\x80x");
  }

  const unsigned char wide[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  SetRaw("WideDword", REG_DWORD, wide, sizeof(wide));
  CHECK_EQ(RegistryReadValue(User(), kScratch, "WideDword"), "0");
  const DWORD max = 0xFFFFFFFFu;
  SetRaw("Max", REG_DWORD, &max, sizeof(max));
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Max"), "-1");
}

void TestLongData() {
  std::string text(20000, 'q');
  text += "end";
  SetRaw("Long", REG_SZ, text.c_str(), (DWORD)text.size() + 1);
  CHECK_EQ(RegistryReadValue(User(), kScratch, "Long"), text);
  std::wstring wide(12000, L'w');
  SetRaw("LongBinary", REG_BINARY, wide.c_str(), (DWORD)(wide.size() * 2));
  CHECK(RegistryReadValue(User(), kScratch, "LongBinary") == std::string(12000, 'w'),
        "12,000-character binary text read whole");
  std::string many;
  for (int i = 0; i < 60; ++i) many += "%WINDIR%;";
  SetRaw("LongExpand", REG_EXPAND_SZ, many.c_str(), (DWORD)many.size() + 1);
  std::string expected;
  for (int i = 0; i < 60; ++i) expected += Env("windir") + ";";
  CHECK_EQ(RegistryReadValue(User(), kScratch, "LongExpand"), expected);
  CHECK(ExpandEnvironmentText(many) == expected, "expansion beyond 260 characters kept whole");
}

void TestRootCodes() {
  CHECK(RegistryRootFromCode(-1) == NULL && RegistryRootFromCode(6) == NULL, "codes outside 0-5");
  for (int32_t code = 0; code <= 5; ++code) {
    CHECK(RegistryRootFromCode(code) != NULL, "code " + std::to_string(code) + " has a root");
  }
  CHECK(RegistryKeyExists(RegistryRootFromCode(2), "Software") == 1, "HKLM\\Software");
  RegistryKeyHandle none = RegistryRootFromCode(7);
  CHECK_EQ(RegistryReadValue(none, "Software", ""), "");
  CHECK(RegistryKeyExists(none, "Software") == 0, "no root: key missing");
  CHECK(RegistryValueExists(none, "Software", "") == 0, "no root: value missing");
  CHECK(RegistryCreateKey(none, "Software\\QvsTest\\X") == 0, "no root: nothing created");
  CHECK(RegistryWriteValue(none, "Software", "v", "1", kRegistryString) == 0, "no root: no write");
  CHECK(RegistryEnumerateSubkeys(none, "Software", 1, NULL, NULL) == 0, "no root: no enumeration");
}

void TestMachineName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof(name);
  if (!GetComputerNameA(name, &size)) return;
  const std::string machine = std::string("\\\\") + name;
  const std::string key = std::string(kScratch) + "\\Values";
  CHECK_EQ(RegistryReadValue(User(), key, "Text", machine), "hello");
  CHECK(RegistryKeyExists(User(), key, machine) == 1, "key through the own machine's name");
}

std::vector<std::string> g_visited;
void Visit(RegistryKeyHandle, const std::string &path, void *) { g_visited.push_back(path); }

std::string Joined(const std::vector<std::string> &paths) {
  std::string all;
  for (const std::string &path : paths) all += path + ";";
  return all;
}

void TestEnumeration() {
  const std::string base = std::string(kScratch) + "\\Tree";
  for (const char *sub : {"\\A\\A1", "\\A\\A2\\A2x", "\\B"}) RegistryCreateKey(User(), base + sub);
  g_visited.clear();
  CHECK(RegistryEnumerateSubkeys(User(), "\\" + base, 1, Visit, NULL) == 1, "recursive walk");
  const std::string p = base + "\\";
  CHECK_EQ(Joined(g_visited),
           p + "A;" + p + "A\\A1;" + p + "A\\A2;" + p + "A\\A2\\A2x;" + p + "B;");
  g_visited.clear();
  RegistryEnumerateSubkeys(User(), base, 0, Visit, NULL);
  CHECK_EQ(Joined(g_visited), p + "A;" + p + "B;");
  CHECK(RegistryEnumerateSubkeys(User(), base + "\\None", 1, Visit, NULL) == 0, "missing key");
  CHECK(RegistryEnumerateSubkeys(User(), base, 1, NULL, NULL) == 1, "no visitor");
  g_visited.clear();
  RegistryEnumerateSubkeys(User(), "", 0, Visit, NULL);
  bool software = false;
  for (const std::string &path : g_visited) {
    software = software || lstrcmpiA(path.c_str(), "Software") == 0;
  }
  CHECK(software, "the root's subkeys by bare name");
}

// The folder of a CSIDL as the shell reports it, without a trailing backslash.
std::string ShellFolder(int csidl) {
  char buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(NULL, csidl, NULL, 0, buffer))) return std::string();
  std::string folder = buffer;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

ScriptSettings g_settings;
std::string g_startMenu;

void Sources(int osCode) {
  PathVariableSources sources;
  sources.osCode = osCode;
  sources.languageId = 1033;
  sources.settings = &g_settings;
  sources.startMenuFolder = &g_startMenu;
  SetPathVariableSources(sources);
}

void TestFixedVariables() {
  Sources(60);
  const std::string windir = Env("windir");
  CHECK_EQ(GetSpecialFolderPath(CSIDL_APPDATA), ShellFolder(CSIDL_APPDATA) + "\\");
  CHECK_EQ(GetSpecialFolderPath(0x7777), "");
  CHECK_EQ(ReplacePathVariables("<AppData>|<DESKTOP>|<documents>"),
           ShellFolder(CSIDL_APPDATA) + "|" + ShellFolder(CSIDL_DESKTOPDIRECTORY) + "|" +
               ShellFolder(CSIDL_PERSONAL));
  CHECK_EQ(ReplacePathVariables("<programfiles>\\P|<programfiles_x86>\\P"),
           ShellFolder(CSIDL_PROGRAM_FILES) + "\\P|" + ShellFolder(CSIDL_PROGRAM_FILESX86) + "\\P");
  CHECK_EQ(ReplacePathVariables("<windows>|<system>|<rootpartition>"),
           windir + "|" + windir + "\\system32|" +
               ShellFolder(CSIDL_DESKTOPDIRECTORY).substr(0, 2));
  char temp[MAX_PATH] = {}, longTemp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  GetLongPathNameA(temp, longTemp, MAX_PATH);
  std::string tempFolder = longTemp;
  tempFolder.pop_back();
  CHECK_EQ(ReplacePathVariables("%windir%\\<temp>"), windir + "\\" + tempFolder);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(NULL, exe, MAX_PATH);
  const std::string exePath = exe;
  CHECK_EQ(ReplacePathVariables("<installerexe>"), exePath);
  CHECK_EQ(ReplacePathVariables("<installerexedir>"), exePath.substr(0, exePath.rfind('\\')));
  char user[257] = {};
  DWORD userSize = sizeof(user);
  GetUserNameA(user, &userSize);
  CHECK_EQ(ReplacePathVariables("<lcid>:<CurrentUserName>"), std::string("1033:") + user);
  CHECK_EQ(ReplacePathVariables("<programfiles>"), ShellFolder(CSIDL_PROGRAM_FILES));
  CHECK_EQ(ReplacePathVariables("   "), "");
  CHECK_EQ(ReplacePathVariables("<nonsense>\\%QVS_UNSET_VARIABLE%"),
           "<nonsense>\\%QVS_UNSET_VARIABLE%");
  std::string longValue(1000, 'v');
  SetEnvironmentVariableA("QVS_LONG", longValue.c_str());
  CHECK_EQ(ReplacePathVariables("%QVS_LONG%\\<windows>"), longValue + "\\" + windir);
}

// Each OS code's rule, with the values of the real system.
void TestSystemRules() {
  const std::string windir = Env("windir");
  const std::string profile = Env("USERPROFILE");
  const std::string appData = ShellFolder(CSIDL_APPDATA);
  const std::string ql = "\\Microsoft\\Internet Explorer\\Quick Launch";
  const std::string text = "<appdata>|<commondesktop>|<system>|<programfiles_x86>|<quicklaunch>";
  const std::string regProgs = RegistryReadValue(
      RegistryRootFromCode(2), "Software\\Microsoft\\Windows\\CurrentVersion\\", "ProgramFilesDir");
  CHECK(!regProgs.empty(), "ProgramFilesDir is in the registry");
  Sources(10);  // Wine's application-data folder exists, so it is used
  CHECK_EQ(ReplacePathVariables(text), appData + "|" + windir + "\\All Users\\Desktop|" + windir +
                                           "\\system|" + regProgs + "|" + appData + ql);
  Sources(20);
  CHECK_EQ(ReplacePathVariables(text), profile + "\\Application Data|" + windir +
                                           "\\Profiles\\All Users\\Desktop|" + windir +
                                           "\\system32|" + regProgs + "|" + appData + ql);
  for (int os : {30, 40}) {
    Sources(os);
    CHECK_EQ(ReplacePathVariables("<localappdata>|<commonstartprograms>|<programfiles>"),
             windir + "\\Local Settings\\Application Data|" + windir + "\\Start Menu\\Programs|" +
                 regProgs);
  }
  Sources(50);
  CHECK_EQ(ReplacePathVariables(text + "|<rootpartition>"),
           appData + "|" + ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "|" + windir +
               "\\system32|" + ShellFolder(CSIDL_PROGRAM_FILES) + "|" + appData + ql + "|" +
               windir.substr(0, 2));
  for (int os : {60, 65, 70, 75, 80}) {
    Sources(os);
    CHECK_EQ(ReplacePathVariables("<programfiles_x86>|<commonstartprograms>|<localappdata>"),
             ShellFolder(CSIDL_PROGRAM_FILESX86) + "|" + ShellFolder(CSIDL_COMMON_PROGRAMS) + "|" +
                 ShellFolder(CSIDL_LOCAL_APPDATA));
  }
  for (int os : {5, 100}) {
    Sources(os);
    CHECK_EQ(ReplacePathVariables("<programfiles>\\Product"), "<programfiles>\\Product");
  }
}

void TestPureBasicFolder() {
  const std::string key = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
  Sources(70);
  const std::string drive = ShellFolder(CSIDL_DESKTOPDIRECTORY).substr(0, 3);
  CHECK_EQ(FindPureBasicFolder(), drive + "Program Files\\PureBasic\\");
  RegistryCreateKey(User(), key);
  RegistryWriteValue(User(), key, "", "\"C:\\PB Test\\PureBasic.exe\" \"%1\"", kRegistryString);
  CHECK_EQ(FindPureBasicFolder(), "C:\\PB Test\\");
  CHECK_EQ(ReplacePathVariables("<purebasic>Compilers"), "C:\\PB TestCompilers");
  RegistryWriteValue(User(), key, "", "C:\\PB\\PureBasic.exe %1", kRegistryString);
  CHECK_EQ(FindPureBasicFolder(), drive + "Program Files\\PureBasic\\");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\PureBasic.exe");
}

// The script reader expands through ReplacePathVariables and resolves
// registry variables from the registry, once.
void TestScriptHooks() {
  const std::string key = std::string(kScratch) + "\\Values";
  RegistryWriteValue(User(), key, "Folder", "D:\\Apps\\Tool\\", kRegistryString);
  const std::string script =
      "[GeneralInformation]\r\nProgramName = Demo\r\n"
      "InstallerWindowTitle = <ProgramName> in <windows>\r\n"
      "[RegistryVars]\r\nItems = found,missing,badroot\r\n"
      "[found]\r\nMainKey = 1\r\nKey = " + key + "\\\r\nValue = Folder\r\nPathVarName = <tool>\r\n"
      "[missing]\r\nMainKey = 1\r\nKey = " + key + "\r\nValue = Nope\r\nPathVarName = <other>\r\n"
      "DefaultTo = <programfiles>\\Other\r\n"
      "[badroot]\r\nMainKey = 9\r\nKey = " + key + "\r\nValue = Folder\r\nPathVarName = <bad>\r\n"
      "DefaultTo = X:\\Fallback\r\n";
  ClearDocument();
  CHECK(ParseDocument(script) > 0, "script parsed");
  g_settings = ScriptSettings();
  Sources(60);
  ReadInstallerScript(MakeScriptReadHooks(), &g_settings);
  ClearDocument();
  CHECK_EQ(g_settings.InstallerWindowTitle, "Demo in " + Env("windir"));
  CHECK(g_settings.registryVars.size() == 3, "three registry variables");
  if (g_settings.registryVars.size() == 3) {
    CHECK_EQ(g_settings.registryVars[0].resolved, "D:\\Apps\\Tool\\");
    CHECK_EQ(g_settings.registryVars[1].resolved, "<programfiles>\\Other");
    CHECK_EQ(g_settings.registryVars[2].resolved, "X:\\Fallback");
  }
  CHECK_EQ(ReplacePathVariables("<Tool>\\t.exe|<other>|<bad>"),
           "D:\\Apps\\Tool\\t.exe|<programfiles>\\Other|X:\\Fallback");
  g_startMenu = "C:\\Menu\\Demo\\";
  CHECK_EQ(ReplacePathVariables("<defaultstartmenugroup>\\x.lnk"), "C:\\Menu\\Demo\\x.lnk");
}

// Several threads expanding at once get the same answers.
DWORD WINAPI ExpandMany(LPVOID result) {
  std::string *out = static_cast<std::string *>(result);
  for (int i = 0; i < 200; ++i) {
    const std::string text = ReplacePathVariables("<appdata>|<temp>|<tool>|%windir%");
    if (i == 0) *out = text;
    if (text != *out) *out = "differs";
  }
  return 0;
}

void TestThreads() {
  std::string results[4];
  HANDLE threads[4] = {};
  for (int i = 0; i < 4; ++i) threads[i] = CreateThread(NULL, 0, ExpandMany, &results[i], 0, NULL);
  WaitForMultipleObjects(4, threads, TRUE, 60000);
  for (HANDLE thread : threads) {
    if (thread != NULL) CloseHandle(thread);
  }
  const std::string expected = ReplacePathVariables("<appdata>|<temp>|<tool>|%windir%");
  for (const std::string &result : results) CHECK_EQ(result, expected);
}

void TestCompaction() {
  HWND label = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 20, NULL, NULL, NULL, NULL);
  if (label == NULL) {
    printf("note: no window, compaction not checked\n");
    return;
  }
  const std::string path = "C:\\Program Files\\Some Vendor\\Some Product\\bin\\library.dll";
  const int full = MeasureTextWidth(label, path);
  CHECK(full > 0, "text measured");
  CHECK_EQ(CompactPathForDisplay(label, path, full), path);
  const std::string compact = CompactPathForDisplay(label, path, full / 2);
  CHECK(compact.find("\\..\\") != std::string::npos && compact.size() < path.size(),
        "compacted: " + compact);
  CHECK(compact.compare(0, 2, "C:") == 0, "head from the folder's start: " + compact);
  DestroyWindow(label);
}

}  // namespace

int main() {
  InstallCrashReport();
  RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
  if (RegistryCreateKey(User(), kScratch) != 1) {
    printf("cannot create the scratch key\nchecks: 0 passed, 1 failed\n");
    return 1;
  }
  TestCreateReadWrite();
  TestValueTypes();
  TestLongData();
  TestRootCodes();
  TestMachineName();
  TestEnumeration();
  TestFixedVariables();
  TestSystemRules();
  TestPureBasicFolder();
  TestScriptHooks();
  TestThreads();
  TestCompaction();
  RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
  CHECK(RegistryKeyExists(User(), kBase) == 0, "scratch key deleted");
  return ReportChecks();
}
