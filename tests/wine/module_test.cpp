// Loads the unpacker module the way the stub does and checks it against
// installers: ones assembled here for the edge cases ("selftest"), and one
// made by the builder from a project folder ("check").
//
//   module_test selftest MODULE.dll WORKDIR
//   module_test check MODULE.dll INSTALLER PROJECT WORKDIR
//
// Prints a line per failed check and ends with "checks: P passed, F failed".
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "format/installer_layout.h"
#include "tests/wine/checks.h"
#include "tests/wine/crash_report.h"
#include "tests/wine/module_binding.h"
#include "tests/wine/test_fixtures.h"

namespace {

ModuleBinding g_module;

// What the callbacks saw.
struct CallbackLog {
  std::vector<std::string> folders;  // paths ending in "\"
  int fileCalls;
  int64_t bytesReported;
  int64_t lastFileBytes;
  int stopAfterCalls;  // > 0: answer -2 on that call
  int replaceAnswer;
  int replaceCalls;
  int64_t replaceSize;
  int32_t replaceTime;
};
CallbackLog g_log;

void ResetLog() {
  g_log = CallbackLog();
  g_log.replaceAnswer = UNPACK_CONTINUE;
}

int QVS_CALL OnFile(const char *path, int64_t fileSize, int64_t justWritten, int64_t written) {
  size_t length = strlen(path);
  if (length > 0 && path[length - 1] == '\\') {
    g_log.folders.push_back(path);
    return UNPACK_CONTINUE;
  }
  (void)fileSize;
  g_log.fileCalls++;
  g_log.bytesReported += justWritten;
  g_log.lastFileBytes = written;
  if (g_log.stopAfterCalls > 0 && g_log.fileCalls == g_log.stopAfterCalls) return UNPACK_CANCEL;
  return UNPACK_CONTINUE;
}

int QVS_CALL OnReplace(const char *path, int64_t entrySize, int32_t entryTime) {
  (void)path;
  g_log.replaceCalls++;
  g_log.replaceSize = entrySize;
  g_log.replaceTime = entryTime;
  return g_log.replaceAnswer;
}

std::string FileNameOf(const std::string &entryName) {
  size_t slash = entryName.rfind('\\');
  return slash == std::string::npos ? entryName : entryName.substr(slash + 1);
}

// Seconds since 1970 on the local clock of a file's last write.
int64_t LocalWriteTime(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  FILETIME local;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  uint64_t ticks = (uint64_t)local.dwHighDateTime << 32 | local.dwLowDateTime;
  return (int64_t)(ticks / 10000000ull) - 11644473600ll;
}

// Names of temporary files the module might have left in `folder`.
int CountTemporaryFiles(const std::string &folder) {
  int count = 0;
  std::vector<std::string> names = ListFolder(folder);
  for (size_t i = 0; i < names.size(); i++)
    if (names[i].size() > 4 && names[i].compare(names[i].size() - 4, 4, ".tmp") == 0) count++;
  return count;
}

// Moves the open archive to entry `index` (0-based); false when it has fewer.
bool SeekEntry(size_t index) {
  if (!g_module.Archive_FindFirst()) return false;
  for (size_t i = 0; i < index; i++)
    if (!g_module.Archive_FindNext()) return false;
  return true;
}

std::vector<FixtureEntry> SelftestEntries() {
  std::vector<FixtureEntry> entries;
  entries.push_back(
      {"_$_INSTALLER_Data_0000001_$_\\Config\\Script.qvs", MakeContent(300, 1), 1600000000, 0x20});
  entries.push_back({"7\\empty.txt", Bytes(), 1600000100, 0x20});
  entries.push_back({"7\\one.bin", MakeContent(1, 2), 1600000200, 0x80});
  entries.push_back({"7\\sub\\chunk.txt", MakeContent(6484, 3), 1500000000, 0x21});
  entries.push_back({"8\\big.dat", MakeContent(1401856, 4), 1650000000, 0x2020});
  return entries;
}

void CheckBinding(const char *modulePath) {
  int bound = BindModule(modulePath, &g_module);
  CHECK(bound == QVS_UNPACKER_EXPORT_COUNT + 2, "all 20 exports bound by plain name");
  if (bound != QVS_UNPACKER_EXPORT_COUNT + 2) return;
  CHECK(strcmp(g_module.GetPluginSignature(), QVS_PLUGIN_SIGNATURE) == 0, "signature");
}

void CheckWalkAndMemory(const std::string &installer, const std::vector<FixtureEntry> &entries) {
  int64_t total = 0;
  for (size_t i = 0; i < entries.size(); i++) total += (int64_t)entries[i].data.size();
  CHECK(g_module.Archive_GetUncompressedSize(installer.c_str()) == total,
        "total uncompressed size");
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, "Read opens the installer");
  CHECK(g_module.Archive_GetEntryCount() == (int64_t)entries.size(), "entry count");
  UnpackerFileInfo info = g_module.Archive_FileInfo_Alloc();
  size_t index = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext(), index++) {
    if (index >= entries.size()) break;
    const FixtureEntry &entry = entries[index];
    g_module.Archive_FileInfo(info);
    CHECK(entry.name == g_module.Archive_FileInfo_GetFilename(info), "name of " + entry.name);
    CHECK(g_module.Archive_FileInfo_GetUncompressedSize(info) == (int64_t)entry.data.size(),
          "size of " + entry.name);
    CHECK(g_module.Archive_FileInfo_IsEncrypted(info) == 0, "not encrypted");
    CHECK((g_module.Archive_FileInfo_GetCompressedSize(info) == 0) == entry.data.empty(),
          "compressed size of " + entry.name);
    Bytes buffer(entry.data.size() + 1, 0xEE);
    CHECK(g_module.Archive_ExtractMem(buffer.data(), (int32_t)entry.data.size()) == 1,
          "ExtractMem of " + entry.name);
    CHECK(std::equal(entry.data.begin(), entry.data.end(), buffer.begin()) &&
              buffer[entry.data.size()] == 0xEE,
          "ExtractMem bytes of " + entry.name);
    if (!entry.data.empty())
      CHECK(g_module.Archive_ExtractMem(buffer.data(), (int32_t)entry.data.size() - 1) == 0,
            "ExtractMem refuses a small buffer for " + entry.name);
  }
  CHECK(index == entries.size(), "walk visits every entry");
  g_module.Archive_FileInfo_Free(info);
  g_module.Archive_Close();
}

void CheckExtractToFolders(const std::string &installer, const std::vector<FixtureEntry> &entries,
                           const std::string &work) {
  std::string base = work + "\\out\\";
  std::string target = base + "a\\b\\";
  g_module.SetFileCallback(OnFile);
  g_module.SetReplaceCallback(OnReplace);
  // Through a handle the caller holds, as the stub reads its own file: the
  // module reads it at named positions and never closes it.
  HANDLE held = CreateFileA(installer.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  CHECK(g_module.Archive_GetUncompressedSizeFromHandle(held) ==
            g_module.Archive_GetUncompressedSize(installer.c_str()),
        "the size through a handle");
  CHECK(g_module.Archive_ReadFromHandle(held) != 0, "Read for Extract, through a handle");
  size_t index = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext(), index++) {
    const FixtureEntry &entry = entries[index];
    ResetLog();
    CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_DONE, "Extract " + entry.name);
    std::string path = target + FileNameOf(entry.name);
    Bytes written;
    CHECK(ReadWholeFile(path, &written) && written == entry.data, "bytes of " + path);
    CHECK(g_log.bytesReported == (int64_t)entry.data.size() &&
              g_log.lastFileBytes == (int64_t)entry.data.size(),
          "callback byte counts for " + entry.name);
    size_t chunks = (entry.data.size() + 524287) / 524288;
    CHECK(g_log.fileCalls == (int)(chunks > 0 ? chunks : 1),
          "one callback per chunk for " + entry.name);
    CHECK(LocalWriteTime(path) == entry.time, "modification time of " + entry.name);
    DWORD attributes = GetFileAttributesA(path.c_str());
    // Wine shows every plain file as "archive", so only set bits are compared.
    CHECK(
        (attributes & entry.attributes & 0x21) == (entry.attributes & 0x21) &&
            (attributes & FILE_ATTRIBUTE_READONLY) == (entry.attributes & FILE_ATTRIBUTE_READONLY),
        "attributes of " + entry.name);
    if (index == 0) {
      std::vector<std::string> expected;
      expected.push_back(base);
      expected.push_back(base + "a\\");
      expected.push_back(target);
      CHECK(g_log.folders == expected, "created folders reported outermost first");
    } else {
      CHECK(g_log.folders.empty(), "existing folders not reported");
    }
  }
  CHECK(CountTemporaryFiles(target) == 0, "no temporary file left");

  // Replace answers on chunk.txt (read-only since its extraction).
  std::string chunkPath = target + "chunk.txt";
  const FixtureEntry &chunk = entries[3];
  Bytes old(10, 'o');
  SetFileAttributesA(chunkPath.c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteWholeFile(chunkPath, old);
  SetFileAttributesA(chunkPath.c_str(), FILE_ATTRIBUTE_READONLY);
  SeekEntry(3);
  ResetLog();
  g_log.replaceAnswer = UNPACK_CANCEL;
  Bytes now;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_DONE, "keep answer counts as done");
  CHECK(ReadWholeFile(chunkPath, &now) && now == old, "keep answer leaves the file");
  CHECK(g_log.replaceCalls == 1 && g_log.replaceSize == 6484 && g_log.replaceTime == 1500000000,
        "replace callback gets size and time");
  CHECK(g_log.fileCalls == 0, "nothing written when kept");
  ResetLog();
  g_log.replaceAnswer = UNPACK_CONTINUE;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_DONE, "overwrite answer");
  CHECK(ReadWholeFile(chunkPath, &now) && now == chunk.data, "read-only file overwritten");
  SetFileAttributesA(chunkPath.c_str(), FILE_ATTRIBUTE_NORMAL);
  WriteWholeFile(chunkPath, old);
  ResetLog();
  g_log.replaceAnswer = UNPACK_NO_SUCH_FILE;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_DONE &&
            ReadWholeFile(chunkPath, &now) && now == chunk.data,
        "answer 0 writes the file");

  // Stop through the file callback in big.dat's first chunk.
  std::string bigPath = target + "big.dat";
  DeleteFileA(bigPath.c_str());
  SeekEntry(4);
  ResetLog();
  g_log.stopAfterCalls = 1;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_STOPPED, "stop gives -2");
  CHECK(!FileExists(bigPath) && CountTemporaryFiles(target) == 0, "stop leaves no file");
  WriteWholeFile(bigPath, old);
  ResetLog();
  g_log.stopAfterCalls = 2;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_STOPPED, "stop in the second chunk");
  CHECK(ReadWholeFile(bigPath, &now) && now == old, "stop keeps the existing file whole");
  ResetLog();
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_DONE &&
            ReadWholeFile(bigPath, &now) && now == entries[4].data,
        "extract after a stop");
  g_module.Archive_Close();
  g_module.SetFileCallback(NULL);
  g_module.SetReplaceCallback(NULL);
  char first[2] = {0, 0};
  DWORD got = 0;
  CHECK(SetFilePointer(held, 0, NULL, FILE_BEGIN) == 0 && ReadFile(held, first, 2, &got, NULL) &&
            got == 2,
        "the caller's handle stays open after Close");
  CloseHandle(held);
}

void CheckCorruptCopy(const Bytes &installerBytes, const std::string &work, size_t index) {
  Bytes bad = installerBytes;
  size_t crc = EntryCrcOffset(bad, index);
  CHECK(crc != 0, "CRC field found");
  if (crc == 0) return;
  bad[crc] ^= 0x01;
  std::string path = work + "\\corrupt.exe";
  WriteWholeFile(path, bad);
  std::string target = work + "\\corrupt-out\\";
  CHECK(g_module.Archive_Read(path.c_str()) && SeekEntry(index), "corrupt copy opens");
  UnpackerFileInfo info = g_module.Archive_FileInfo_Alloc();
  g_module.Archive_FileInfo(info);
  int64_t size = g_module.Archive_FileInfo_GetUncompressedSize(info);
  std::string fileName = FileNameOf(g_module.Archive_FileInfo_GetFilename(info));
  g_module.Archive_FileInfo_Free(info);
  Bytes buffer((size_t)size + 1);
  CHECK(g_module.Archive_ExtractMem(buffer.data(), (int32_t)size) == 0,
        "ExtractMem fails on bad CRC");
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_CRC_MISMATCH,
        "CRC mismatch gives -7");
  CHECK(!FileExists(target + fileName) && CountTemporaryFiles(target) == 0,
        "CRC mismatch leaves no file");
  Bytes old(5, 'x');
  WriteWholeFile(target + fileName, old);
  Bytes now;
  CHECK(g_module.Archive_Extract(target.c_str(), 0) == UNPACK_CRC_MISMATCH &&
            ReadWholeFile(target + fileName, &now) && now == old,
        "CRC mismatch keeps the existing file");
  g_module.Archive_Close();
}

void CheckLocating(const Bytes &module, const std::string &work) {
  std::vector<FixtureEntry> one(1, FixtureEntry{"1\\a.txt", MakeContent(100, 9), 0, 0x20});
  Bytes archive = MakeArchive(one);
  std::string path = work + "\\located.exe";
  struct Case {
    const char *what;
    Bytes bytes;
    int64_t size;  // expected GetUncompressedSize
    int readable;
  } cases[] = {
      {"bare archive refused", archive, 0, 0},
      {"block after 4 KiB stub", MakeInstaller(module, archive, 4096), 100, 1},
      {"start marker at the last place it fits",
       MakeInstaller(Bytes(), archive, kMarkerSearchSize - 50), 100, 1},
      {"start marker beyond 1 MiB", MakeInstaller(Bytes(), archive, kMarkerSearchSize - 49), 0, 0},
      {"end marker not after the module", MakeInstaller(module, archive, 4096, 1), 0, 0},
      {"module size past the file", MakeInstaller(module, archive, 4096, 1ll << 40), 0, 0},
      {"no payload after the block", MakeInstaller(module, Bytes(), 4096), -1, 0},
      {"archive without entries",
       MakeInstaller(module, MakeArchive(std::vector<FixtureEntry>()), 4096), -1, 1},
      {"damaged archive header",
       MakeInstaller(module, Bytes(archive.begin(), archive.begin() + 30), 4096), 0, 0},
  };
  for (const Case &test : cases) {
    WriteWholeFile(path, test.bytes);
    CHECK(g_module.Archive_GetUncompressedSize(path.c_str()) == test.size,
          std::string(test.what) + ": size");
    CHECK((g_module.Archive_Read(path.c_str()) != 0) == (test.readable != 0),
          std::string(test.what) + ": Read");
    g_module.Archive_Close();
  }
  // Bytes after the archive (a signature) change nothing.
  Bytes signedLike = MakeInstaller(module, archive, 4096);
  signedLike.insert(signedLike.end(), 3000, 0x30);
  WriteWholeFile(path, signedLike);
  Bytes buffer(100);
  CHECK(g_module.Archive_Read(path.c_str()) && g_module.Archive_FindFirst() &&
            g_module.Archive_ExtractMem(buffer.data(), 100) == 1 && buffer == one[0].data &&
            !g_module.Archive_FindNext(),
        "trailing bytes ignored");
  g_module.Archive_Close();
  CHECK(!g_module.Archive_Read((work + "\\missing.exe").c_str()), "missing file");
  CHECK(g_module.Archive_Extract(work.c_str(), 0) == UNPACK_INTERNAL_ERROR,
        "Extract without archive");
  CHECK(!g_module.Archive_FindFirst() && g_module.Archive_GetEntryCount() == -1,
        "walk without archive");
}

int RunSelftest(const char *modulePath, const std::string &work) {
  CheckBinding(modulePath);
  if (g_failed > 0) return 1;
  Bytes module;
  CHECK(ReadWholeFile(modulePath, &module), "read the module file");
  std::vector<FixtureEntry> entries = SelftestEntries();
  Bytes installerBytes = MakeInstaller(module, MakeArchive(entries), 70000);
  std::string installer = work + "\\selftest.exe";
  CHECK(WriteWholeFile(installer, installerBytes), "write the test installer");
  CheckWalkAndMemory(installer, entries);
  CheckExtractToFolders(installer, entries, work);
  CheckCorruptCopy(installerBytes, work, 4);
  CheckLocating(module, work);
  return 0;
}

// The project file an entry came from, or empty when the builder makes it.
std::string ProjectSource(const std::string &project, const std::string &entryName) {
  std::string name = entryName;
  if (name.compare(0, 3, "_$_") == 0) {
    size_t slash = name.find('\\');
    name = name.substr(slash + 1);
    const char *renamed[][2] = {{"Config\\Script.qvs", "Script.qvs"},
                                {"Config\\Wizard.bmp", "Wizard.bmp"},
                                {"Config\\Header.bmp", "Header.bmp"},
                                {"Config\\Background.bmp", "Background.bmp"}};
    bool known = name.compare(0, 10, "Languages\\") == 0 || name.compare(0, 8, "License\\") == 0 ||
                 name.compare(0, 12, "Information\\") == 0;
    for (size_t i = 0; i < 4; i++)
      if (name == renamed[i][0]) name = renamed[i][1], known = true;
    if (!known) return std::string();
  } else {
    name = "Files\\" + name;
  }
  return project + "\\" + name;
}

int RunCheck(const char *modulePath, const std::string &installer, const std::string &project,
             const std::string &work) {
  CheckBinding(modulePath);
  if (g_failed > 0) return 1;
  int64_t total = g_module.Archive_GetUncompressedSize(installer.c_str());
  CHECK(total > 0, "installer has a payload");
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, "Read opens the installer");
  g_module.SetFileCallback(OnFile);
  UnpackerFileInfo info = g_module.Archive_FileInfo_Alloc();
  int64_t sum = 0, compared = 0, entries = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext()) {
    g_module.Archive_FileInfo(info);
    std::string name = g_module.Archive_FileInfo_GetFilename(info);
    int64_t size = g_module.Archive_FileInfo_GetUncompressedSize(info);
    sum += size;
    entries++;
    Bytes memory((size_t)size);
    CHECK(g_module.Archive_ExtractMem(memory.data(), (int32_t)size) == 1, "ExtractMem " + name);
    std::string folder = work + "\\tree\\" + name.substr(0, name.rfind('\\') + 1);
    ResetLog();
    CHECK(g_module.Archive_Extract(folder.c_str(), 0) == UNPACK_DONE, "Extract " + name);
    Bytes written;
    CHECK(ReadWholeFile(folder + FileNameOf(name), &written) && written == memory,
          "Extract and ExtractMem agree on " + name);
    CHECK(g_log.bytesReported == size, "callback bytes of " + name);
    std::string source = ProjectSource(project, name);
    Bytes original;
    if (!source.empty() && ReadWholeFile(source, &original)) {
      CHECK(original == memory, "bytes of " + name + " equal " + source);
      compared++;
    }
  }
  g_module.Archive_FileInfo_Free(info);
  g_module.Archive_Close();
  CHECK(sum == total, "sizes add up to the total");
  CHECK(compared > 0, "entries compared with project files");
  printf("entries: %lld, compared with project files: %lld\n", (long long)entries,
         (long long)compared);
  Bytes installerBytes;
  CHECK(ReadWholeFile(installer, &installerBytes), "read the installer");
  CheckCorruptCopy(installerBytes, work, 0);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  InstallCrashReport();
  if (argc == 4 && strcmp(argv[1], "selftest") == 0) {
    RunSelftest(argv[2], argv[3]);
  } else if (argc == 6 && strcmp(argv[1], "check") == 0) {
    RunCheck(argv[2], argv[3], argv[4], argv[5]);
  } else {
    fprintf(stderr,
            "usage: module_test selftest MODULE WORKDIR\n"
            "       module_test check MODULE INSTALLER PROJECT WORKDIR\n");
    return 2;
  }
  return ReportChecks();
}
