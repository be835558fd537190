// Hostile and careless inputs to the builder and its inspection commands,
// each one a case that once destroyed a file or ended in a wrong "OK":
// outputs that must be refused, extraction over existing files, texts
// refused, verify refusals and the printing of entry names.
#include <gtest/gtest.h>

#include <glob.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "archive/archive_format.h"
#include "archive/chunk_codec.h"
#include "builder/build_command.h"
#include "builder/inspect_commands.h"
#include "builder/project_scan.h"
#include "builder/source_file.h"
#include "builder_test_project.h"
#include "format/installer_layout.h"
#include "format/payload_limits.h"

namespace {

const std::string kPrefix = "_$_INSTALLER_Data_1234567_$_";
const std::string kScript = "[GeneralInformation]\r\nProgramName=Test\r\n";
const std::string kLanguage = "[Information]\r\nName=English\r\nLangID=1033\r\n";

// One archive entry written byte by byte, so that tests can make what the
// archive writer refuses: any chunk sizes, flags and CRCs.
struct RawEntry {
  std::string name;
  std::vector<std::string> chunks;  // uncompressed bytes of each chunk
  uint32_t encrypted;
  uint32_t crcChange;  // XORed into the stored CRC
};

RawEntry Entry(const std::string &name, const std::string &data) {
  RawEntry entry = {name, {}, 0, 0};
  if (!data.empty()) entry.chunks.push_back(data);
  return entry;
}

void Put(std::string *out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; i++) out->push_back((char)(value >> (8 * i)));
}

std::string RawArchive(const std::vector<RawEntry> &entries) {
  std::string body;
  uint64_t totals[2] = {0, 0};  // compressed, uncompressed
  ChunkEncoder *encoder = ChunkEncoderCreate(6, false);
  std::vector<uint8_t> packed((size_t)LzmaChunkBound(kChunkSize));
  for (const RawEntry &entry : entries) {
    std::string chunks;
    uint64_t sizes[2] = {0, 0};
    uLong crc = crc32(0, Z_NULL, 0);
    for (const std::string &chunk : entry.chunks) {
      uint32_t c = 0;
      ChunkEncoderCompress(encoder, (const uint8_t *)chunk.data(), (uint32_t)chunk.size(),
                           packed.data(), packed.size(), &c);
      Put(&chunks, c, 4);
      Put(&chunks, chunk.size(), 4);
      chunks.append((const char *)packed.data(), c);
      sizes[0] += c;
      sizes[1] += chunk.size();
      crc = crc32(crc, (const Bytef *)chunk.data(), (uInt)chunk.size());
    }
    Put(&body, entry.name.size() + 1, 4);
    body += entry.name + std::string(1, '\0');
    Put(&body, 1600000000, 4);
    Put(&body, 0x20, 4);
    Put(&body, sizes[0], 8);
    Put(&body, sizes[1], 8);
    Put(&body, (uint32_t)crc ^ entry.crcChange, 4);
    Put(&body, entry.encrypted, 4);
    body += chunks;
    totals[0] += sizes[0];
    totals[1] += sizes[1];
  }
  ChunkEncoderFree(encoder);
  std::string archive("QLZMA\1\0\0\0", 9);
  Put(&archive, 1600000000, 4);
  Put(&archive, entries.size(), 8);
  Put(&archive, totals[0], 8);
  Put(&archive, totals[1], 8);
  archive.push_back((char)kLzmaPropertiesByte);
  Put(&archive, kLzmaDictionarySize, 4);
  return archive + body;
}

// The configuration entries every sound installer carries, then `extra`.
std::vector<RawEntry> SoundEntries(const std::vector<RawEntry> &extra) {
  std::vector<RawEntry> entries = {Entry(kPrefix + "\\Config\\Script.qvs", kScript),
                                   Entry(kPrefix + "\\Languages\\English.lng", kLanguage),
                                   Entry("1\\app.exe", "MZ program")};
  entries.insert(entries.end(), extra.begin(), extra.end());
  return entries;
}

struct Outcome {
  int exitCode;
  std::string text;  // what it printed on stdout and stderr
};

std::string g_extractFolder;
int ExtractToTheFolder(const std::string &path, FILE *out) {
  return RunExtract(path, g_extractFolder, out);
}

// Runs list, verify or ExtractToTheFolder on `path`, catching its output.
Outcome Inspect(int (*command)(const std::string &, FILE *), const std::string &path) {
  FILE *file = tmpfile();
  fflush(stderr);
  int savedErr = dup(2);
  dup2(fileno(file), 2);
  Outcome outcome = {command(path, file), std::string()};
  fflush(file);
  dup2(savedErr, 2);
  close(savedErr);
  rewind(file);
  for (int c = fgetc(file); c != EOF; c = fgetc(file)) outcome.text.push_back((char)c);
  fclose(file);
  return outcome;
}

int Extract(const std::string &path, const std::string &folder) {
  g_extractFolder = folder;
  return Inspect(ExtractToTheFolder, path).exitCode;
}

bool Has(const std::string &text, const std::string &what) {
  return text.find(what) != std::string::npos;
}

}  // namespace

TEST(BuilderSafety, OutputsThatMustBeRefused) {
  TestProject test;
  test.AddMinimal();
  WriteTestFile(test.root, "Files/1/app.exe", "vendor's program");
  BuildOptions options = test.Options("pipe");
  ASSERT_EQ(mkfifo(options.output.c_str(), 0600), 0);
  EXPECT_EQ(RunBuild(options), 1);  // once: exit 0 and the FIFO replaced
  struct stat info;
  ASSERT_EQ(lstat(options.output.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  WriteTestFile(test.folder, "real.exe", "kept");
  ASSERT_EQ(symlink("real.exe", (test.folder + "/link.exe").c_str()), 0);
  mkdir((test.folder + "/folder.exe").c_str(), 0777);
  const char *notRegular[] = {"link.exe", "folder.exe"};
  for (const char *name : notRegular) EXPECT_EQ(RunBuild(test.Options(name)), 1) << name;
  EXPECT_EQ(ReadTestFile(test.folder + "/real.exe"), "kept");

  // Inside the project: a vendor's file, the script, a new name, and the
  // project reached through a link.
  ASSERT_EQ(symlink("project", (test.folder + "/alias").c_str()), 0);
  const char *inside[] = {"project/Files/1/app.exe", "project/Script.qvs", "project/new.exe",
                          "alias/Files/new.exe"};
  for (const char *name : inside) EXPECT_EQ(RunBuild(test.Options(name)), 1) << name;
  EXPECT_EQ(ReadTestFile(test.root + "/Files/1/app.exe"), "vendor's program");
  EXPECT_EQ(ReadTestFile(test.root + "/Script.qvs"), kScript);
  EXPECT_FALSE(TestPathExists(test.root + "/new.exe"));
  EXPECT_FALSE(TestPathExists(test.root + "/Files/new.exe"));

  EXPECT_EQ(RunBuild(test.Options("real.exe")), 0);  // a regular file is replaced
}

TEST(BuilderSafety, ExtractionNeverDestroysAnExistingFile) {
  TestProject test;
  RawEntry corrupt = Entry("1\\kept.txt", "new bytes that fail their CRC");
  corrupt.crcChange = 1;
  std::string archive = RawArchive(
      {Entry("1\\first.txt", "first good copy"), corrupt, Entry("1\\first.txt", "second copy")});
  WriteTestFile(test.folder, "a.qlzma", archive);
  std::string target = test.folder + "/out";
  WriteTestFile(test.folder, "out/1/kept.txt", "the user's file");
  EXPECT_EQ(Extract(test.folder + "/a.qlzma", target), 1);
  // Once truncated and then deleted; now left as it was.
  EXPECT_EQ(ReadTestFile(target + "/1/kept.txt"), "the user's file");
  EXPECT_EQ(ReadTestFile(target + "/1/first.txt"), "first good copy");
  glob_t left;
  EXPECT_EQ(glob((target + "/1/.qvs-extract-*").c_str(), 0, NULL, &left), GLOB_NOMATCH);
  globfree(&left);

  // A FIFO in an entry's place is neither opened (which would block) nor
  // replaced.
  ASSERT_EQ(mkfifo((target + "/1/fifo.txt").c_str(), 0600), 0);
  WriteTestFile(test.folder, "b.qlzma", RawArchive({Entry("1\\fifo.txt", "data")}));
  EXPECT_EQ(Extract(test.folder + "/b.qlzma", target), 1);
  struct stat info;
  ASSERT_EQ(lstat((target + "/1/fifo.txt").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(BuilderSafety, TextsAndPathsTheInstallerWouldMisreadAreRefused) {
  TestProject test;
  // A bare LF among CRLF lines: the installer joined the two lines.
  WriteTestFile(test.root, "Script.qvs", "[GeneralInformation]\r\nProgramName=Test\nX=1\r\n");
  WriteTestFile(test.root, "Languages/Zero.lng", std::string("[Information]\r\nName=Z\0\r\n", 24));
  WriteTestFile(test.root, "Languages/Huge.lng", std::string(kMaxLanguageFileSize + 1, ';'));
  WriteTestFile(test.root, "License/1033.txt", std::string(kMaxInfoTextSize + 1, 'x'));
  WriteTestFile(test.root, "Files/1/a\xF0\x80\x80\xAE", "overlong dot");
  WriteTestFile(test.root, "Files/1/" + std::string(159, 'p'), "x");
  std::vector<std::string> problems, notes;
  Project project;
  ScanOptions options = {NULL, 0, NULL};
  EXPECT_FALSE(ScanProject(test.root, options, &project, &problems, &notes));
  std::string all;
  for (const std::string &problem : problems) all += problem + "\n";
  const char *expected[] = {"Script.qvs: line 2 ends in LF only", "Zero.lng: zero byte",
                            "Huge.lng: larger than 1024 KiB", "1033.txt: larger than 4096 KiB",
                            "not representable", "install folder of 100"};
  for (const char *what : expected) EXPECT_TRUE(Has(all, what)) << what << "\n" << all;

  WriteTestFile(test.root, "Script.qvs", std::string(kMaxScriptSize + 1, ';'));
  problems.clear();
  EXPECT_FALSE(ScanProject(test.root, options, &project, &problems, &notes));
  all.clear();
  for (const std::string &problem : problems) all += problem + "\n";
  EXPECT_TRUE(Has(all, "Script.qvs: larger than 8192 KiB")) << all;
}

TEST(BuilderSafety, SourcesChangedOrReplacedWhileBuildingAreRefused) {
  TestProject test;
  std::string path = test.folder + "/source.bin";
  WriteTestFile(test.folder, "source.bin", "0123456789");
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  FileStatus status;
  ASSERT_TRUE(StatusOfPath(path, true, &status));
  SourceIdentity scanned = IdentityOf(status);
  std::string bytes, error;
  ASSERT_TRUE(ReadSourceFile(path, scanned, &bytes, &error)) << error;
  EXPECT_EQ(bytes, "0123456789");

  // Rewritten with the same size: its modification time gives it away.
  struct timespec times[2] = {{0, UTIME_OMIT}, {info.st_mtim.tv_sec + 5, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_FALSE(ReadSourceFile(path, scanned, &bytes, &error));
  EXPECT_TRUE(Has(error, "changed while the installer was being built")) << error;

  // Replaced by a FIFO after the scan: refused at once instead of waiting
  // for a writer forever.
  unlink(path.c_str());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(OpenSourceFile(path, scanned, &error), -1);
  EXPECT_TRUE(Has(error, "replaced by another file")) << error;
}

TEST(BuilderSafety, VerifyRefusesWhatTheInstallerWouldNotTake) {
  TestProject test;
  std::string path = test.folder + "/v.qlzma";
  WriteTestFile(test.folder, "v.qlzma", RawArchive(SoundEntries({})));
  Outcome sound = Inspect(RunVerify, path);
  ASSERT_EQ(sound.exitCode, 0) << sound.text;

  RawEntry encrypted = Entry("1\\secret.bin", "x");
  encrypted.encrypted = 1;
  RawEntry shortChunk = Entry("1\\chunks.bin", std::string(1000, 'a'));
  shortChunk.chunks.push_back(std::string(1000, 'b'));
  struct Case {
    std::vector<RawEntry> entries;
    const char *expected;
  };
  const Case cases[] = {
      {SoundEntries({encrypted}), "encrypted flag set"},
      {SoundEntries({Entry("1\\app.exe", "again")}), "a second entry of this name"},
      {SoundEntries({Entry("1\\APP.exe", "case")}), "differs only in letter case"},
      {SoundEntries({shortChunk}), "chunk 0 holds 1000 bytes"},
      {{}, "holds no entries"},
      {SoundEntries({Entry("1\\CON", "x")}), "reserved device name"},
      {SoundEntries({Entry("1\\AUX.txt", "x")}), "reserved device name"},
      {SoundEntries({Entry("1\\dot.", "x")}), "ends with a space or a dot"},
      {SoundEntries({Entry("1\\a|b", "x")}), "not allowed on Windows"},
      {SoundEntries({Entry("$14\\x", "x")}), "component ID"},
      {SoundEntries({Entry("_$_INSTALLER_Data_12345x7_$_\\Config\\Script.qvs", kScript)}),
       "without the prefix"},
      {{Entry(kPrefix + "\\Config\\Script.qvs", "[G]\r\nA=1\nB=2\r\n"),
        Entry(kPrefix + "\\Languages\\English.lng", kLanguage)},
       "ends in LF only"},
      {{Entry(kPrefix + "\\Config\\Script.qvs", kScript)}, "no language file"},
      {{Entry(kPrefix + "\\Languages\\English.lng", kLanguage)}, "no installer script"},
  };
  for (const Case &item : cases) {
    WriteTestFile(test.folder, "v.qlzma", RawArchive(item.entries));
    Outcome outcome = Inspect(RunVerify, path);
    EXPECT_EQ(outcome.exitCode, 1) << item.expected;
    EXPECT_TRUE(Has(outcome.text, item.expected)) << item.expected << "\n" << outcome.text;
    EXPECT_TRUE(Has(outcome.text, "FAILED")) << item.expected;
  }
}

TEST(BuilderSafety, InspectionReadsTheArchiveTheModuleInstalls) {
  // The module's bytes hide an end marker and a decoy archive; list and
  // extract once followed it while the module installed the real one.
  uint8_t start[kStartMarkerLength], end[kEndMarkerLength];
  RestoreMarker(kScrambledStartMarker, kStartMarkerLength, start);
  RestoreMarker(kScrambledEndMarker, kEndMarkerLength, end);
  std::string marker((const char *)end, kEndMarkerLength);
  std::string module = "MZ module" + marker + RawArchive({Entry("1\\decoy.txt", "decoy")});
  std::string installer = "MZ stub" + std::string((const char *)start, kStartMarkerLength);
  Put(&installer, 0, 4);
  Put(&installer, module.size(), 8);
  installer += module + marker + RawArchive(SoundEntries({}));
  TestProject test;
  WriteTestFile(test.folder, "setup.exe", installer);
  Outcome listed = Inspect(RunList, test.folder + "/setup.exe");
  EXPECT_EQ(listed.exitCode, 0) << listed.text;
  EXPECT_TRUE(Has(listed.text, "1\\app.exe"));
  EXPECT_FALSE(Has(listed.text, "decoy"));
  EXPECT_EQ(Extract(test.folder + "/setup.exe", test.folder + "/x"), 0);
  EXPECT_EQ(ReadTestFile(test.folder + "/x/1/app.exe"), "MZ program");
  EXPECT_FALSE(TestPathExists(test.folder + "/x/1/decoy.txt"));
}

TEST(BuilderSafety, EntryNamesArePrintedEscaped) {
  TestProject test;
  // An escape sequence that erases the line and a carriage return that
  // would let a name overwrite the FAILED line; a Windows-1252 name.
  std::string erase = "1\\x\x1B[2K\rOK";
  std::string path = test.folder + "/n.qlzma";
  WriteTestFile(test.folder, "n.qlzma",
                RawArchive(SoundEntries({Entry(erase, "x"), Entry("1\\caf\xE9.txt", "x")})));
  Outcome listed = Inspect(RunList, path);
  Outcome verified = Inspect(RunVerify, path);
  g_extractFolder = test.folder + "/x";
  Outcome extracted = Inspect(ExtractToTheFolder, path);
  EXPECT_EQ(verified.exitCode, 1);
  EXPECT_EQ(extracted.exitCode, 1);  // the name with control characters is refused
  for (const Outcome *outcome : {&listed, &verified, &extracted}) {
    EXPECT_FALSE(Has(outcome->text, "\x1B") || Has(outcome->text, "\r")) << outcome->text;
    EXPECT_TRUE(Has(outcome->text, "1\\x<1B>[2K<0D>OK")) << outcome->text;
  }
  EXPECT_TRUE(Has(listed.text, "1\\caf\xC3\xA9.txt")) << listed.text;
}
