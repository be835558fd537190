// Whole builds through RunBuild, read back with list, verify and extract:
// reproducibility, the installer layout, round trips, corruption, and no
// output left behind by a failed build.
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <string.h>
#include <utime.h>

#include "archive/archive_format.h"
#include "builder/build_command.h"
#include "builder/embedded_english.h"
#include "builder/inspect_commands.h"
#include "builder_test_project.h"
#include "format/installer_layout.h"

namespace {

uint64_t LittleEndian(const std::string &data, size_t at, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; i--) value = (value << 8) | (uint8_t)data[at + i];
  return value;
}

// Runs a list/verify/extract command and returns its report.
std::string Report(int (*command)(const std::string &, FILE *), const std::string &path,
                   int *exitCode) {
  char *text = NULL;
  size_t size = 0;
  FILE *out = open_memstream(&text, &size);
  *exitCode = command(path, out);
  fclose(out);
  std::string result(text, size);
  free(text);
  return result;
}

std::vector<std::string> FolderNames(const std::string &path) {
  std::vector<std::string> names;
  DIR *dir = opendir(path.c_str());
  while (dir != NULL) {
    struct dirent *item = readdir(dir);
    if (item == NULL) break;
    if (item->d_name[0] != '.') names.push_back(item->d_name);
  }
  if (dir != NULL) closedir(dir);
  return names;
}

// A project with a three-chunk file, small files and an empty one. The run
// of small files after the big one fills the compression window with many
// chunks waiting behind a large one.
void AddProductFiles(TestProject *test) {
  test->AddMinimal();
  WriteTestFile(test->root, "Files/1/big.bin", PseudoText(1401856, 1));
  for (int i = 0; i < 40; i++)
    WriteTestFile(test->root, "Files/1/docs/part" + std::to_string(100 + i) + ".txt",
                  PseudoText(700 + 997 * (size_t)i, 10 + (uint32_t)i));
  WriteTestFile(test->root, "Files/1/docs/readme.txt", PseudoText(6484, 2));
  WriteTestFile(test->root, "Files/2/empty.dat", "");
  WriteTestFile(test->root, "Files/2/caf\xC3\xA9.txt", "caf\xC3\xA9");
}

struct EpochScope {
  explicit EpochScope(const char *value) { setenv("SOURCE_DATE_EPOCH", value, 1); }
  ~EpochScope() { unsetenv("SOURCE_DATE_EPOCH"); }
};

}  // namespace

TEST(BuilderBuild, SameBytesWhateverTheThreadCountAndFileTimes) {
  TestProject test;
  AddProductFiles(&test);
  EpochScope epoch("1600000000");
  std::string outputs[3];
  const uint32_t threads[3] = {1, 2, 4};
  for (int i = 0; i < 3; i++) {
    BuildOptions options = test.Options("out" + std::to_string(i) + ".exe");
    options.threads = threads[i];
    ASSERT_EQ(RunBuild(options), 0);
    outputs[i] = ReadTestFile(options.output);
    // Newer file times than the epoch are clamped: touching changes nothing.
    struct utimbuf times = {1700000000 + i, 1700000000 + i};
    utime((test.root + "/Files/1/big.bin").c_str(), &times);
  }
  ASSERT_GT(outputs[0].size(), 5000u);
  EXPECT_TRUE(outputs[0] == outputs[1]);
  EXPECT_TRUE(outputs[0] == outputs[2]);

  // The epoch is the archive time (header offset 9), clamped mtimes included.
  size_t archiveAt = outputs[0].find("QLZMA");
  ASSERT_NE(archiveAt, std::string::npos);
  uint32_t archiveTime = (uint32_t)LittleEndian(outputs[0], archiveAt + 9, 4);
  EpochScope nextDay("1600086400");
  BuildOptions options = test.Options("later.exe");
  ASSERT_EQ(RunBuild(options), 0);
  std::string later = ReadTestFile(options.output);
  EXPECT_EQ((uint32_t)LittleEndian(later, archiveAt + 9, 4), archiveTime + 86400);
}

TEST(BuilderBuild, InstallerLayoutCarriesStubFlagModuleAndArchive) {
  TestProject test;
  AddProductFiles(&test);
  BuildOptions options = test.Options("layout.exe");
  options.requireAdmin = true;
  ASSERT_EQ(RunBuild(options), 0);
  std::string data = ReadTestFile(options.output);
  std::string stub = ReadTestFile(options.stubPath);
  std::string module = ReadTestFile(options.modulePath);
  uint8_t start[kStartMarkerLength];
  uint8_t end[kEndMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  size_t n = stub.size();
  ASSERT_EQ(data.compare(0, n, stub), 0);
  EXPECT_EQ(data.compare(n, kStartMarkerLength, (const char *)start, kStartMarkerLength), 0);
  EXPECT_EQ(LittleEndian(data, n + 20, 4), 1u);
  EXPECT_EQ(LittleEndian(data, n + 24, 8), module.size());
  EXPECT_EQ(data.compare(n + 32, module.size(), module), 0);
  size_t endAt = n + 32 + module.size();
  EXPECT_EQ(data.compare(endAt, kEndMarkerLength, (const char *)end, kEndMarkerLength), 0);
  EXPECT_EQ(data.compare(endAt + kEndMarkerLength, 5, "QLZMA"), 0);
  EXPECT_EQ(FindMarker((const uint8_t *)data.data(), data.size(), start, kStartMarkerLength),
            (int64_t)n);
  EXPECT_EQ(FindMarker((const uint8_t *)data.data(), data.size(), end, kEndMarkerLength),
            (int64_t)endAt);

  // Without the option the flag follows the script's [Builder] group.
  options.requireAdmin = false;
  options.output = test.folder + "/user.exe";
  ASSERT_EQ(RunBuild(options), 0);
  EXPECT_EQ(LittleEndian(ReadTestFile(options.output), n + 20, 4), 0u);
  WriteTestFile(test.root, "Script.qvs", "[Builder]\r\nRequireAdministrator=1\r\n");
  ASSERT_EQ(RunBuild(options), 0);
  EXPECT_EQ(LittleEndian(ReadTestFile(options.output), n + 20, 4), 1u);
}

TEST(BuilderBuild, ListVerifyAndExtractRoundTrip) {
  TestProject test;
  AddProductFiles(&test);
  BuildOptions options = test.Options("round.exe");
  options.threads = 2;
  ASSERT_EQ(RunBuild(options), 0);
  int exitCode = -1;
  std::string listing = Report(RunList, options.output, &exitCode);
  EXPECT_EQ(exitCode, 0);
  EXPECT_NE(listing.find("   1401856 "), std::string::npos) << listing;
  EXPECT_NE(listing.find("1\\docs\\readme.txt"), std::string::npos);
  EXPECT_NE(listing.find("\\Config\\Script.qvs"), std::string::npos);
  EXPECT_NE(listing.find("2\\caf\xC3\xA9.txt"), std::string::npos);  // shown as UTF-8

  std::string verified = Report(RunVerify, options.output, &exitCode);
  EXPECT_EQ(exitCode, 0) << verified;
  EXPECT_NE(verified.find("OK, 46 entries"), std::string::npos) << verified;

  std::string target = test.folder + "/extracted";
  char *text = NULL;
  size_t size = 0;
  FILE *out = open_memstream(&text, &size);
  EXPECT_EQ(RunExtract(options.output, target, out), 0);
  fclose(out);
  free(text);
  const char *files[] = {"big.bin", "docs/part100.txt", "docs/part139.txt", "docs/readme.txt"};
  for (const char *file : files) {
    EXPECT_TRUE(ReadTestFile(target + "/1/" + file) == ReadTestFile(test.root + "/Files/1/" + file))
        << file;
  }
  EXPECT_TRUE(TestPathExists(target + "/2/empty.dat"));
  EXPECT_EQ(ReadTestFile(target + "/2/caf\xC3\xA9.txt"), "caf\xC3\xA9");
  std::vector<std::string> top = FolderNames(target);
  std::string prefix;
  for (const std::string &name : top) {
    if (name.compare(0, 3, "_$_") == 0) prefix = name;
  }
  ASSERT_FALSE(prefix.empty());
  EXPECT_EQ(ReadTestFile(target + "/" + prefix + "/Config/Script.qvs"),
            ReadTestFile(test.root + "/Script.qvs"));
}

TEST(BuilderBuild, VerifyCatchesCorruptionAndNotesTrailingBytes) {
  TestProject test;
  AddProductFiles(&test);
  BuildOptions options = test.Options("good.exe");
  ASSERT_EQ(RunBuild(options), 0);
  std::string data = ReadTestFile(options.output);
  int exitCode = -1;

  std::string signedCopy = test.folder + "/signed.exe";
  WriteTestFile(test.folder, "signed.exe", data + std::string(4096, '\x5A'));
  std::string report = Report(RunVerify, signedCopy, &exitCode);
  EXPECT_EQ(exitCode, 0) << report;
  EXPECT_NE(report.find("note: 4096 bytes after the last entry"), std::string::npos) << report;

  // A byte flipped inside the big file's compressed data, well past its record.
  std::string flipped = data;
  size_t at = flipped.find("1\\big.bin");
  ASSERT_NE(at, std::string::npos);
  flipped[at + 200000] ^= 0x10;
  WriteTestFile(test.folder, "flipped.exe", flipped);
  Report(RunVerify, test.folder + "/flipped.exe", &exitCode);
  EXPECT_EQ(exitCode, 1);

  WriteTestFile(test.folder, "short.exe", data.substr(0, data.size() - 100));
  Report(RunVerify, test.folder + "/short.exe", &exitCode);
  EXPECT_EQ(exitCode, 1);

  // A bare archive verifies too.
  size_t archiveAt = data.find("QLZMA");
  WriteTestFile(test.folder, "bare.qlzma", data.substr(archiveAt));
  Report(RunVerify, test.folder + "/bare.qlzma", &exitCode);
  EXPECT_EQ(exitCode, 0);
  WriteTestFile(test.folder, "stub-only.exe", data.substr(0, 1000));
  Report(RunVerify, test.folder + "/stub-only.exe", &exitCode);
  EXPECT_EQ(exitCode, 1);
}

TEST(BuilderBuild, FailedBuildsLeaveNoOutputAndKeepTheOldFile) {
  TestProject test;
  AddProductFiles(&test);
  WriteTestFile(test.root, "Files/1/nul.txt", "x");
  WriteTestFile(test.folder, "kept.exe", "previous installer");
  BuildOptions options = test.Options("kept.exe");
  EXPECT_EQ(RunBuild(options), 1);
  EXPECT_EQ(ReadTestFile(options.output), "previous installer");
  unlink((test.root + "/Files/1/nul.txt").c_str());

  // Stub and module that push the end marker past 1 MiB are refused.
  WriteTestFile(test.folder, "huge-stub.exe", "MZ" + std::string(1048576 - 2 - 50 - 2001, 'h'));
  options.stubPath = test.folder + "/huge-stub.exe";
  options.output = test.folder + "/huge.exe";
  EXPECT_EQ(RunBuild(options), 1);
  // One byte less fits exactly: the end marker then ends at byte 1,048,576.
  WriteTestFile(test.folder, "huge-stub.exe", "MZ" + std::string(1048576 - 2 - 50 - 2002, 'h'));
  EXPECT_EQ(RunBuild(options), 0);
  unlink(options.output.c_str());

  // A stub holding a plain marker would make the installer find itself.
  uint8_t start[kStartMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  WriteTestFile(test.folder, "marked-stub.exe", "MZ" + std::string((const char *)start, kStartMarkerLength));
  options.stubPath = test.folder + "/marked-stub.exe";
  EXPECT_EQ(RunBuild(options), 1);

  options.stubPath = test.folder + "/missing-stub.exe";
  EXPECT_EQ(RunBuild(options), 1);
  options.stubPath = test.folder + "/stub.exe";
  options.output = test.folder + "/no-such-folder/out.exe";
  EXPECT_EQ(RunBuild(options), 1);

  std::vector<std::string> left = FolderNames(test.folder);
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected = {"huge-stub.exe", "kept.exe",   "marked-stub.exe",
                                       "module.dll",    "project",    "stub.exe"};
  EXPECT_EQ(left, expected);
}

TEST(BuilderBuild, AddEnglishStoresTheBuiltInFile) {
  if (kEnglishLanguageFileSize == 0) GTEST_SKIP() << "built without lang/English.lng";
  TestProject test;
  WriteTestFile(test.root, "Script.qvs", "[GeneralInformation]\r\nProgramName=Test\r\n");
  BuildOptions options = test.Options("english.exe");
  EXPECT_EQ(RunBuild(options), 1);  // no language at all
  options.addEnglish = true;
  ASSERT_EQ(RunBuild(options), 0);
  std::string target = test.folder + "/x";
  FILE *out = fopen("/dev/null", "w");
  ASSERT_EQ(RunExtract(options.output, target, out), 0);
  fclose(out);
  for (const std::string &name : FolderNames(target)) {
    std::string english = ReadTestFile(target + "/" + name + "/Languages/English.lng");
    EXPECT_EQ(english, std::string((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize));
  }
}
