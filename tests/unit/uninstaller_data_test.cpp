// The uninstaller's data file: the writer against files written out by
// hand, and the reader giving back every field it wrote.
#include <gtest/gtest.h>

#include <tuple>

#include "format/uninstaller_data.h"
#include "tests/unit/uninstaller_data_fixtures.h"

namespace {

auto Fields(const UninstallerConfig &c) {
  return std::tie(c.ProgramName, c.ProgramVersion, c.CompanyName, c.ProgramWebsite,
                  c.SupportEmail, c.StartMenuPath, c.CreateAddRemoveEntry, c.AddRemoveEntryName,
                  c.AddRemoveForAllUsers, c.RebootRequired);
}
auto Fields(const UninstallerCloseItem &i) {
  return std::tie(i.ID, i.Type, i.MutexName, i.WindowName, i.WindowClass, i.MatchExactly);
}
auto Fields(const UninstallerComponent &c) {
  return std::tie(c.ID, c.PathVariable, c.InstallationPath);
}
auto Fields(const DoneTaskRecord &d) {
  return std::tie(d.ID, d.Name, d.Type, d.ComponentID, d.BaseKey, d.KeyPath, d.ValueName,
                  d.ExePath, d.Extension, d.DLLPath, d.VariableName, d.GroupName, d.IniPath,
                  d.Group, d.hasPrevious, d.PreviousType, d.PreviousData, d.hasWritten,
                  d.WrittenData);
}
auto Fields(const UninstallerTaskRecord &t) {
  return std::tie(t.ID, t.selected, t.Type, t.Win95, t.WinNT4, t.Win98, t.WinMe, t.Win2000,
                  t.WinXP, t.WinServer2003, t.WinVista, t.WinServer2008, t.Win7, t.ProgramPath,
                  t.CommandLine, t.RunMode, t.ExecutionTime, t.RunHidden, t.WaitUntilQuit,
                  t.BaseKey, t.Key, t.ValueName, t.SourceFile, t.DestinationFile, t.FilePath,
                  t.Address);
}

template <typename Record>
void ExpectSameList(const std::vector<Record> &actual, const std::vector<Record> &expected,
                    const char *what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < actual.size(); i++)
    EXPECT_TRUE(Fields(actual[i]) == Fields(expected[i])) << what << " #" << i;
}

void ExpectSameData(const UninstallerData &actual, const UninstallerData &expected) {
  EXPECT_EQ(actual.localization, expected.localization);
  EXPECT_TRUE(Fields(actual.config) == Fields(expected.config));
  EXPECT_EQ(actual.UninstCheckForInstances, expected.UninstCheckForInstances);
  ExpectSameList(actual.closeItems, expected.closeItems, "close item");
  ExpectSameList(actual.components, expected.components, "component");
  ExpectSameList(actual.doneTasks, expected.doneTasks, "done record");
  ExpectSameList(actual.uninstallerTasks, expected.uninstallerTasks, "uninstaller task");
  EXPECT_EQ(actual.createdFiles, expected.createdFiles);
  EXPECT_EQ(actual.createdFolders, expected.createdFolders);
  EXPECT_EQ(actual.leaveFiles, expected.leaveFiles);
}

// Line by line first, so that a difference names its line.
void ExpectSameText(const std::string &actual, const std::string &expected) {
  size_t a = 0, e = 0;
  for (int line = 1; a < actual.size() && e < expected.size(); line++) {
    size_t aEnd = actual.find("\r\n", a), eEnd = expected.find("\r\n", e);
    EXPECT_EQ(actual.substr(a, aEnd - a), expected.substr(e, eEnd - e)) << "line " << line;
    if (aEnd == std::string::npos || eEnd == std::string::npos) break;
    a = aEnd + 2;
    e = eEnd + 2;
  }
  EXPECT_EQ(actual, expected);
}

UninstallerData ReadBack(const std::string &text) {
  UninstallerData data;
  std::string error;
  EXPECT_TRUE(ReadUninstallerData(text, &data, &error)) << error;
  return data;
}

std::string Without(std::string text, const std::string &part) {
  size_t at = text.find(part);
  EXPECT_NE(at, std::string::npos) << part;
  if (at != std::string::npos) text.erase(at, part.size());
  return text;
}

bool Has(const std::string &text, const std::string &line) {
  return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

TEST(UninstallerDataFile, MinimalInstallationHasTheFiveAlwaysWrittenGroups) {
  ExpectSameText(WriteUninstallerData(MinimalData()), kMinimalFile);
  ExpectSameData(ReadBack(kMinimalFile), MinimalData());
  // A file without the additive count lines, as other writers make it.
  std::string plain =
      Without(kMinimalFile, "CreatedFoldersCount = 1\r\nLeaveFilesCount = 0\r\n");
  ExpectSameData(ReadBack(plain), MinimalData());
}

TEST(UninstallerDataFile, EveryGroupIsWrittenAsExpectedAndReadBack) {
  ExpectSameText(WriteUninstallerData(FullData()), kFullFile);
  ExpectSameData(ReadBack(kFullFile), FullData());
}

TEST(UninstallerDataFile, ValuesKeepBlanksAndEqualSigns) {
  UninstallerData data = MinimalData();
  data.localization[0] = " l= ";
  data.config.ProgramName = "  lead";
  data.config.ProgramVersion = "trail  ";
  data.config.CompanyName = "a = b=c";
  data.config.ProgramWebsite = "= x";
  data.config.SupportEmail = "";
  data.createdFiles[0] = " f=x ";
  data.leaveFiles = {" = spaced "};
  std::string text = WriteUninstallerData(data);
  for (const char *line : {"l1= l= ", "ProgramName =   lead", "ProgramVersion = trail  ",
                           "CompanyName = a = b=c", "ProgramWebsite = = x", "SupportEmail = ",
                           "f0= f=x ", "1 =  = spaced "})
    EXPECT_TRUE(Has(text, line)) << line;
  ExpectSameData(ReadBack(text), data);
}

TEST(UninstallerDataFile, TextsThatCannotStandOnALine) {
  UninstallerData data = FullData();
  data.localization[0] = "a\r\nb";
  data.config.ProgramName = std::string("x\0y", 3);
  data.closeItems[0].MutexName = "m\nn";
  data.components[0].InstallationPath = "C:\\a\rb";
  data.leaveFiles[0] = "C:\\keep\n";
  data.createdFiles[1] = "C:\\bad\nname";
  data.createdFolders[0] = "C:\\x\r";
  data.doneTasks[0].KeyPath = "a\nb";
  data.uninstallerTasks[1].Key = "k\r";
  std::string text = WriteUninstallerData(data);
  // Shown or matched texts keep their place with blanks...
  for (const char *line : {"l1=a  b", "ProgramName = x y", "MutexName = m n",
                           "InstallationPath = C:\\a b", "1 = C:\\keep "})
    EXPECT_TRUE(Has(text, line)) << line;
  // ...what the uninstaller would remove or run is left out.
  EXPECT_TRUE(Has(text, "f1=C:\\Program Files\\Demo Product\\Uninst1.exe"));
  EXPECT_TRUE(Has(text, "CreatedFoldersCount = 1"));
  EXPECT_TRUE(Has(text, "[CreatedFolders]\r\nf0=C:\\Program Files\\Demo Product\\Docs"));
  EXPECT_TRUE(Has(text, "Items = 10000002,10000003,10000004,10000005,10000006,10000007,"
                        "10000008,10000009,10000010,10000011"));
  EXPECT_TRUE(Has(text, "Items = 40,41,42,43,44,45,46,47,48,49,50"));
  EXPECT_FALSE(Has(text, "[41]"));

  UninstallerData expected = data;
  expected.localization[0] = "a  b";
  expected.config.ProgramName = "x y";
  expected.closeItems[0].MutexName = "m n";
  expected.components[0].InstallationPath = "C:\\a b";
  expected.leaveFiles[0] = "C:\\keep ";
  expected.createdFiles.erase(expected.createdFiles.begin() + 1);
  expected.createdFolders.erase(expected.createdFolders.begin());
  expected.doneTasks.erase(expected.doneTasks.begin());
  expected.uninstallerTasks[1] = Unselected(41);
  ExpectSameData(ReadBack(text), expected);

  // With no done record left, the group goes.
  for (DoneTaskRecord &record : data.doneTasks) record.KeyPath = record.IniPath = "\n";
  data.doneTasks.resize(6);
  EXPECT_EQ(WriteUninstallerData(data).find("[DoneTasks]"), std::string::npos);
}

TEST(UninstallerDataFile, PreviousDataKeepsEveryByte) {
  struct Case {
    int32_t type;
    std::string data;
    const char *line;
  } cases[] = {
      {kPreviousString, "", "PreviousData = "},
      {kPreviousString, " C:\\Old Path = x ", "PreviousData =  C:\\Old Path = x "},
      {kPreviousString, "two\r\nlines", "PreviousDataHex = 74776F0D0A6C696E6573"},
      {kPreviousDword, "4294967295", "PreviousData = 4294967295"},
      {7, std::string("a\0b\0\0", 5), "PreviousDataHex = 6100620000"},  // REG_MULTI_SZ
      {11, std::string("\x01\x02\x03\x04\x05\x06\x07\x80", 8),
       "PreviousDataHex = 0102030405060780"},  // REG_QWORD
      {3, "", "PreviousDataHex = "},
  };
  for (const Case &c : cases) {
    UninstallerData data = MinimalData();
    data.doneTasks = {DoneRecord(77, kDoneEnvironmentVariable)};
    data.doneTasks[0].VariableName = "PATH";
    SetPrevious(&data.doneTasks[0], c.type, c.data);
    std::string text = WriteUninstallerData(data);
    EXPECT_TRUE(Has(text, "PreviousType = " + std::to_string(c.type) + "\r\n" + c.line)) << c.line;
    ExpectSameData(ReadBack(text), data);
  }
}

// The value an environment task wrote, beside the one it replaced: as it
// stands when it fits on a line, else in hexadecimal; refused when both
// forms or bad digits are given.
TEST(UninstallerDataFile, WrittenDataKeepsEveryByte) {
  UninstallerData data = MinimalData();
  data.doneTasks = {DoneRecord(77, kDoneEnvironmentVariable),
                    DoneRecord(78, kDoneEnvironmentVariable)};
  data.doneTasks[0].VariableName = "PATH";
  SetPrevious(&data.doneTasks[0], kPreviousExpandString, "%SystemRoot%;C:\\Old");
  data.doneTasks[0].hasWritten = true;
  data.doneTasks[0].WrittenData = " %SystemRoot%;C:\\Old;C:\\App = x";
  data.doneTasks[1].VariableName = "LINES";
  data.doneTasks[1].hasWritten = true;
  data.doneTasks[1].WrittenData = "a\nb";
  const std::string text = WriteUninstallerData(data);
  EXPECT_TRUE(Has(text, "PreviousData = %SystemRoot%;C:\\Old\r\n"
                        "WrittenData =  %SystemRoot%;C:\\Old;C:\\App = x"));
  EXPECT_TRUE(Has(text, "VariableName = LINES\r\nWrittenDataHex = 610A62"));
  ExpectSameData(ReadBack(text), data);

  UninstallerData out;
  std::string error;
  std::string both = text;
  both.replace(both.find("WrittenDataHex"), 14, "WrittenData = 1\r\nWrittenDataHex");
  EXPECT_FALSE(ReadUninstallerData(both, &out, &error));
  EXPECT_NE(error.find("both WrittenData and WrittenDataHex"), std::string::npos) << error;
  std::string badDigits = text;
  badDigits.replace(badDigits.find("610A62"), 6, "610A6");
  EXPECT_FALSE(ReadUninstallerData(badDigits, &out, &error));
  EXPECT_NE(error.find("WrittenDataHex is not hexadecimal"), std::string::npos) << error;
}

TEST(UninstallerDataFile, FieldsOutsideTheFormatAreNotCarried) {
  UninstallerData data = MinimalData();
  DoneTaskRecord record = DoneRecord(5, kDoneRegistryKey);
  record.Name = "1700000000";
  record.ComponentID = 3;
  record.ValueName = "not of this type";
  data.doneTasks = {record};
  UninstallerCloseItem mutex;
  mutex.WindowName = "not of this type";
  data.closeItems = {mutex};
  UninstallerTaskRecord unselected = Task(8, 4, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  unselected.selected = false;
  unselected.FilePath = "C:\\never written";
  data.uninstallerTasks = {unselected};
  std::string text = WriteUninstallerData(data);
  for (const char *absent : {"1700000000", "ComponentID", "not of this type", "never", "[8]"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  UninstallerData read = ReadBack(text);
  ASSERT_EQ(read.doneTasks.size(), 1u);
  EXPECT_EQ(read.doneTasks[0].Name, "");
  EXPECT_EQ(read.doneTasks[0].ValueName, "");
  EXPECT_TRUE(Fields(read.uninstallerTasks.at(0)) == Fields(Unselected(8)));
}

TEST(UninstallerDataFile, WriterRefusesDataBeyondTheLimits) {
  UninstallerData data = MinimalData();
  data.doneTasks.assign(kMaxUninstallerListItems, DoneRecord(1, kDoneDllRegistration));
  std::string atLimit = WriteUninstallerData(data);
  EXPECT_EQ(ReadBack(atLimit).doneTasks.size(), kMaxUninstallerListItems);
  data.doneTasks.push_back(DoneRecord(1, kDoneDllRegistration));
  EXPECT_EQ(WriteUninstallerData(data), "");

  data = MinimalData();
  data.localization.assign(kMaxUninstallerStrings + 1, "x");
  EXPECT_EQ(WriteUninstallerData(data), "");
  data = MinimalData();
  data.createdFolders.assign(kMaxUninstallerPathEntries + 1, "C:\\x");
  EXPECT_EQ(WriteUninstallerData(data), "");
  data = MinimalData();
  data.config.ProgramName.assign(kMaxUninstallerDataSize, 'x');
  EXPECT_EQ(WriteUninstallerData(data), "");
}

}  // namespace
