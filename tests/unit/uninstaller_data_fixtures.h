// Two installations and their data files, written out by hand: the smallest
// one (no components, done records, uninstaller tasks or files to leave)
// and one that fills every group. The unit tests check the writer and the
// reader against them; the fuzz corpus starts from the same files.
#ifndef QVS_TESTS_UNIT_UNINSTALLER_DATA_FIXTURES_H
#define QVS_TESTS_UNIT_UNINSTALLER_DATA_FIXTURES_H

#include <initializer_list>

#include "format/uninstaller_data.h"

inline UninstallerData MinimalData() {
  UninstallerData data;
  data.localization = {"Information",
                       "The program was successfully uninstalled from your computer."};
  UninstallerConfig &c = data.config;
  c.ProgramName = "Demo Product";
  c.ProgramVersion = "1.2";
  c.CompanyName = "Quorvantis Demo Ltd.";
  c.ProgramWebsite = "https://example.com/demo";
  c.SupportEmail = "support@example.com";
  c.CreateAddRemoveEntry = 1;
  c.AddRemoveEntryName = "Demo Product 1.2";
  data.UninstCheckForInstances = 1;
  data.createdFiles = {"C:\\Program Files\\Demo\\demo.exe", "C:\\Program Files\\Demo\\Uninst1.exe",
                       "C:\\Program Files\\Demo\\Uninst1.dat"};
  data.createdFolders = {"C:\\Program Files\\Demo"};
  return data;
}

inline const char kMinimalFile[] =
    "[LocalizationUninstall]\r\n"
    "l1=Information\r\n"
    "l2=The program was successfully uninstalled from your computer.\r\n"
    "[UninstallerConfig]\r\n"
    "ProgramName = Demo Product\r\n"
    "ProgramVersion = 1.2\r\n"
    "CompanyName = Quorvantis Demo Ltd.\r\n"
    "ProgramWebsite = https://example.com/demo\r\n"
    "SupportEmail = support@example.com\r\n"
    "StartMenuPath = \r\n"
    "CreateAddRemoveEntry = 1\r\n"
    "AddRemoveEntryName = Demo Product 1.2\r\n"
    "AddRemoveForAllUsers = 0\r\n"
    "RebootRequired = 0\r\n"
    "CreatedFoldersCount = 1\r\n"
    "LeaveFilesCount = 0\r\n"
    "[CloseItemsUninstaller]\r\n"
    "UninstCheckForInstances = 1\r\n"
    "[CreatedFiles]\r\n"
    "f0=C:\\Program Files\\Demo\\demo.exe\r\n"
    "f1=C:\\Program Files\\Demo\\Uninst1.exe\r\n"
    "f2=C:\\Program Files\\Demo\\Uninst1.dat\r\n"
    "[CreatedFolders]\r\n"
    "f0=C:\\Program Files\\Demo\r\n";

inline DoneTaskRecord DoneRecord(int32_t id, int32_t type) {
  DoneTaskRecord record;
  record.ID = id;
  record.Type = type;
  return record;
}

inline void SetPrevious(DoneTaskRecord *record, int32_t type, const std::string &data) {
  record->hasPrevious = true;
  record->PreviousType = type;
  record->PreviousData = data;
}

inline UninstallerTaskRecord Task(int32_t id, int32_t type,
                                  std::initializer_list<int32_t> systems) {
  UninstallerTaskRecord task;
  task.ID = id;
  task.selected = true;
  task.Type = type;
  int32_t UninstallerTaskRecord::*fields[] = {
      &UninstallerTaskRecord::Win95,    &UninstallerTaskRecord::WinNT4,
      &UninstallerTaskRecord::Win98,    &UninstallerTaskRecord::WinMe,
      &UninstallerTaskRecord::Win2000,  &UninstallerTaskRecord::WinXP,
      &UninstallerTaskRecord::WinServer2003, &UninstallerTaskRecord::WinVista,
      &UninstallerTaskRecord::WinServer2008, &UninstallerTaskRecord::Win7};
  size_t i = 0;
  for (int32_t value : systems) task.*fields[i++] = value;
  return task;
}

inline UninstallerTaskRecord Unselected(int32_t id) {
  UninstallerTaskRecord task;
  task.ID = id;
  return task;
}

inline UninstallerData FullData() {
  UninstallerData data;
  data.localization = {"Information",
                       "The program was successfully uninstalled from your computer.",
                       "Active mutex: $P<br>"};
  UninstallerConfig &c = data.config;
  c.ProgramName = "Demo Product";
  c.ProgramVersion = "1.2.0";
  c.CompanyName = "Quorvantis Demo Ltd.";
  c.ProgramWebsite = "https://example.com/demo?a=1&b=2";
  c.SupportEmail = "support@example.com";
  c.StartMenuPath = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Demo Product";
  c.CreateAddRemoveEntry = 1;
  c.AddRemoveEntryName = "Demo Product 1.2.0";
  c.AddRemoveForAllUsers = 1;
  c.RebootRequired = 1;
  data.UninstCheckForInstances = 1;

  UninstallerCloseItem mutex, window, other;
  mutex.ID = 4;
  mutex.MutexName = "DemoMutex";
  window.ID = 9;
  window.Type = 1;
  window.WindowName = "Demo - Main";
  window.WindowClass = "DemoWndClass";
  window.MatchExactly = 1;
  other.ID = 12;
  other.Type = 5;
  data.closeItems = {mutex, window, other};

  data.components = {{1, "<DemoDir>", "C:\\Program Files\\Demo Product"},
                     {3, "<DemoDocs>", "C:\\Program Files\\Demo Product\\Docs"},
                     {7, "<DemoTools>", "D:\\Tools\\Demo"}};

  // The six root keys, each by its handle value, and every done type.
  const int32_t kRoots[] = {INT32_MIN, INT32_MIN + 1, INT32_MIN + 2,
                            INT32_MIN + 3, INT32_MIN + 5, INT32_MIN + 6};
  const char *const kKeys[] = {".demo\\shell", "Software\\Demo", "Software\\Quorvantis Demo",
                               ".DEFAULT\\Software\\Demo", "Software\\Demo Config", "Demo\\Dyn"};
  for (int i = 0; i < 6; i++) {
    DoneTaskRecord record = DoneRecord(10000001 + i, i % 2);
    record.BaseKey = kRoots[i];
    record.KeyPath = kKeys[i];
    data.doneTasks.push_back(record);
  }
  data.doneTasks[1].ValueName = "Settings";
  SetPrevious(&data.doneTasks[1], kPreviousString, "old = value ");
  data.doneTasks[3].ValueName = "Flags";
  SetPrevious(&data.doneTasks[3], 3, std::string("\x00\x01\xAB\xFF", 4));
  data.doneTasks[5].ValueName = "Counter";
  SetPrevious(&data.doneTasks[5], kPreviousDword, "305419896");
  DoneTaskRecord association = DoneRecord(10000007, kDoneFileAssociation);
  association.ExePath = "C:\\Program Files\\Demo Product\\demo.exe";
  association.Extension = ".demo";
  SetPrevious(&association, kPreviousString, "OldApp.Document");
  DoneTaskRecord dll = DoneRecord(10000008, kDoneDllRegistration);
  dll.DLLPath = "C:\\Program Files\\Demo Product\\demo.dll";
  DoneTaskRecord variable = DoneRecord(10000009, kDoneEnvironmentVariable);
  variable.VariableName = "DEMO_HOME";
  SetPrevious(&variable, kPreviousExpandString, "%SystemDrive%\\Old\r\nline");
  DoneTaskRecord iniGroup = DoneRecord(10000010, kDoneIniGroup);
  iniGroup.GroupName = "Demo Settings";
  iniGroup.IniPath = "C:\\WINDOWS\\demo.ini";
  DoneTaskRecord iniValue = DoneRecord(10000011, kDoneIniValue);
  iniValue.IniPath = "C:\\WINDOWS\\demo.ini";
  iniValue.Group = "Demo Settings";
  iniValue.ValueName = "Language";
  SetPrevious(&iniValue, kPreviousString, "English");
  data.doneTasks.insert(data.doneTasks.end(), {association, dll, variable, iniGroup, iniValue});

  const std::initializer_list<int32_t> kAll = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  UninstallerTaskRecord run = Task(40, 0, {0, 0, 1, 1, 1, 1, 1, 1, 1, 0});
  run.ProgramPath = "C:\\Program Files\\Demo Product\\cleanup.exe";
  run.CommandLine = "/quiet /mode=full";
  run.ExecutionTime = 1;
  run.RunHidden = 1;
  run.WaitUntilQuit = 1;
  UninstallerTaskRecord key = Task(41, 1, kAll);
  key.BaseKey = 2;
  key.Key = "Software\\Demo\\Cache";
  UninstallerTaskRecord value = Task(43, 2, kAll);
  value.BaseKey = 1;
  value.Key = "Software\\Demo";
  value.ValueName = "LastRun";
  UninstallerTaskRecord copy = Task(44, 3, kAll);
  copy.SourceFile = "C:\\Program Files\\Demo Product\\demo.ini";
  copy.DestinationFile = "C:\\Demo Backup\\demo.ini";
  UninstallerTaskRecord file = Task(45, 4, kAll);
  file.FilePath = "C:\\Program Files\\Demo Product\\demo.log";
  UninstallerTaskRecord folder = Task(46, 5, kAll), link = Task(47, 6, kAll),
                        page = Task(48, 7, kAll);
  folder.Address = "C:\\Program Files\\Demo Product\\Cache";
  link.Address = "C:\\Demo Links";
  page.Address = "https://example.com/demo/goodbye";
  UninstallerTaskRecord unknown = Task(50, 9, kAll);
  data.uninstallerTasks = {run,  key,  Unselected(42), value, copy,           file,
                           folder, link, page,          Unselected(49), unknown};

  data.createdFiles = {"C:\\Program Files\\Demo Product\\demo.exe",
                       "C:\\Program Files\\Demo Product\\Docs\\manual.txt",
                       "C:\\Program Files\\Demo Product\\Uninst1.exe",
                       "C:\\Program Files\\Demo Product\\Uninst1.dat"};
  data.createdFolders = {"C:\\Program Files\\Demo Product",
                         "C:\\Program Files\\Demo Product\\Docs"};
  data.leaveFiles = {"C:\\Program Files\\Demo Product\\settings.ini",
                     "C:\\Program Files\\Demo Product\\user.db"};
  return data;
}

// The ten per-system lines of a task that runs everywhere.
#define QVS_ALL_SYSTEMS                                                                 \
  "Win95 = 1\r\nWinNT4 = 1\r\nWin98 = 1\r\nWinMe = 1\r\nWin2000 = 1\r\nWinXP = 1\r\n" \
  "WinServer2003 = 1\r\nWinVista = 1\r\nWinServer2008 = 1\r\nWin7 = 1\r\n"

inline const char kFullFile[] =
    "[LocalizationUninstall]\r\n"
    "l1=Information\r\n"
    "l2=The program was successfully uninstalled from your computer.\r\n"
    "l3=Active mutex: $P<br>\r\n"
    "[UninstallerConfig]\r\n"
    "ProgramName = Demo Product\r\n"
    "ProgramVersion = 1.2.0\r\n"
    "CompanyName = Quorvantis Demo Ltd.\r\n"
    "ProgramWebsite = https://example.com/demo?a=1&b=2\r\n"
    "SupportEmail = support@example.com\r\n"
    "StartMenuPath = C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Demo Product\r\n"
    "CreateAddRemoveEntry = 1\r\n"
    "AddRemoveEntryName = Demo Product 1.2.0\r\n"
    "AddRemoveForAllUsers = 1\r\n"
    "RebootRequired = 1\r\n"
    "CreatedFoldersCount = 2\r\n"
    "LeaveFilesCount = 2\r\n"
    "[CloseItemsUninstaller]\r\n"
    "UninstCheckForInstances = 1\r\n"
    "Items = 4,9,12\r\n"
    "[4]\r\nID = 4\r\nType = 0\r\nMutexName = DemoMutex\r\n"
    "[9]\r\nID = 9\r\nType = 1\r\nWindowName = Demo - Main\r\nWindowClass = DemoWndClass\r\n"
    "MatchExactly = 1\r\n"
    "[12]\r\nID = 12\r\nType = 5\r\n"
    "[Components]\r\n"
    "Items = 1,3,7\r\n"
    "[1]\r\nPathVariable = <DemoDir>\r\nInstallationPath = C:\\Program Files\\Demo Product\r\n"
    "[3]\r\nPathVariable = <DemoDocs>\r\n"
    "InstallationPath = C:\\Program Files\\Demo Product\\Docs\r\n"
    "[7]\r\nPathVariable = <DemoTools>\r\nInstallationPath = D:\\Tools\\Demo\r\n"
    "[DoneTasks]\r\n"
    "Items = 10000001,10000002,10000003,10000004,10000005,10000006,10000007,10000008,"
    "10000009,10000010,10000011\r\n"
    "[10000001]\r\nType = 0\r\nBaseKey = -2147483648\r\nKeyPath = .demo\\shell\r\n"
    "[10000002]\r\nType = 1\r\nBaseKey = -2147483647\r\nKeyPath = Software\\Demo\r\n"
    "ValueName = Settings\r\nPreviousType = 1\r\nPreviousData = old = value \r\n"
    "[10000003]\r\nType = 0\r\nBaseKey = -2147483646\r\nKeyPath = Software\\Quorvantis Demo\r\n"
    "[10000004]\r\nType = 1\r\nBaseKey = -2147483645\r\nKeyPath = .DEFAULT\\Software\\Demo\r\n"
    "ValueName = Flags\r\nPreviousType = 3\r\nPreviousDataHex = 0001ABFF\r\n"
    "[10000005]\r\nType = 0\r\nBaseKey = -2147483643\r\nKeyPath = Software\\Demo Config\r\n"
    "[10000006]\r\nType = 1\r\nBaseKey = -2147483642\r\nKeyPath = Demo\\Dyn\r\n"
    "ValueName = Counter\r\nPreviousType = 4\r\nPreviousData = 305419896\r\n"
    "[10000007]\r\nType = 2\r\nExePath = C:\\Program Files\\Demo Product\\demo.exe\r\n"
    "Extension = .demo\r\nPreviousType = 1\r\nPreviousData = OldApp.Document\r\n"
    "[10000008]\r\nType = 3\r\nDLLPath = C:\\Program Files\\Demo Product\\demo.dll\r\n"
    "[10000009]\r\nType = 4\r\nVariableName = DEMO_HOME\r\nPreviousType = 2\r\n"
    "PreviousDataHex = 2553797374656D4472697665255C4F6C640D0A6C696E65\r\n"
    "[10000010]\r\nType = 5\r\nGroupName = Demo Settings\r\nIniPath = C:\\WINDOWS\\demo.ini\r\n"
    "[10000011]\r\nType = 6\r\nIniPath = C:\\WINDOWS\\demo.ini\r\nGroup = Demo Settings\r\n"
    "ValueName = Language\r\nPreviousType = 1\r\nPreviousData = English\r\n"
    "[UninstallerTasks]\r\n"
    "Items = 40,41,42,43,44,45,46,47,48,49,50\r\n"
    "[40]\r\nType = 0\r\n"
    "Win95 = 0\r\nWinNT4 = 0\r\nWin98 = 1\r\nWinMe = 1\r\nWin2000 = 1\r\nWinXP = 1\r\n"
    "WinServer2003 = 1\r\nWinVista = 1\r\nWinServer2008 = 1\r\nWin7 = 0\r\n"
    "ProgramPath = C:\\Program Files\\Demo Product\\cleanup.exe\r\n"
    "CommandLine = /quiet /mode=full\r\nRunMode = 0\r\nExecutionTime = 1\r\nRunHidden = 1\r\n"
    "WaitUntilQuit = 1\r\n"
    "[41]\r\nType = 1\r\n" QVS_ALL_SYSTEMS "BaseKey = 2\r\nKey = Software\\Demo\\Cache\r\n"
    "[43]\r\nType = 2\r\n" QVS_ALL_SYSTEMS
    "BaseKey = 1\r\nKey = Software\\Demo\r\nValueName = LastRun\r\n"
    "[44]\r\nType = 3\r\n" QVS_ALL_SYSTEMS
    "SourceFile = C:\\Program Files\\Demo Product\\demo.ini\r\n"
    "DestinationFile = C:\\Demo Backup\\demo.ini\r\n"
    "[45]\r\nType = 4\r\n" QVS_ALL_SYSTEMS
    "FilePath = C:\\Program Files\\Demo Product\\demo.log\r\n"
    "[46]\r\nType = 5\r\n" QVS_ALL_SYSTEMS "Address = C:\\Program Files\\Demo Product\\Cache\r\n"
    "[47]\r\nType = 6\r\n" QVS_ALL_SYSTEMS "Address = C:\\Demo Links\r\n"
    "[48]\r\nType = 7\r\n" QVS_ALL_SYSTEMS "Address = https://example.com/demo/goodbye\r\n"
    "[50]\r\nType = 9\r\n" QVS_ALL_SYSTEMS
    "[CreatedFiles]\r\n"
    "f0=C:\\Program Files\\Demo Product\\demo.exe\r\n"
    "f1=C:\\Program Files\\Demo Product\\Docs\\manual.txt\r\n"
    "f2=C:\\Program Files\\Demo Product\\Uninst1.exe\r\n"
    "f3=C:\\Program Files\\Demo Product\\Uninst1.dat\r\n"
    "[CreatedFolders]\r\n"
    "f0=C:\\Program Files\\Demo Product\r\n"
    "f1=C:\\Program Files\\Demo Product\\Docs\r\n"
    "[LeaveFiles]\r\n"
    "1 = C:\\Program Files\\Demo Product\\settings.ini\r\n"
    "2 = C:\\Program Files\\Demo Product\\user.db\r\n";

#endif
