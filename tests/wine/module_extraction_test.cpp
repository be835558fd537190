// The unpacker module's extraction as the installer drives it while worker
// threads decode ahead: entries skipped and extracted again, files moved
// aside by the replace callback, damaged data on a new destination, the
// memory the process grows by, and a FreeLibrary while workers still run.
//
//   module_extraction_test MODULE.dll WORKDIR
//
// Prints a line per failed check and ends with "checks: P passed, F failed".
#include <stdio.h>
#include <string.h>
#include <windows.h>
// After windows.h, which they build on.
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "tests/wine/checks.h"
#include "tests/wine/crash_report.h"
#include "tests/wine/memory_sampler.h"
#include "tests/wine/module_binding.h"
#include "tests/wine/test_fixtures.h"

namespace {

ModuleBinding g_module;

// The installer's bound: the process grows by at most this much while it
// extracts, whatever the size of the product.
const uint64_t kMemoryGrowthLimit = 16ull << 20;
const DWORD kSampleMilliseconds = 2;

std::string g_movedAside;  // the replace callback renames the file to this
int g_fileCalls = 0;

int QVS_CALL CountFileCalls(const char *, int64_t, int64_t, int64_t) {
  g_fileCalls++;
  return UNPACK_CONTINUE;
}

// Moves the existing file aside, as the installer does to restore it after
// a rollback, and answers "overwrite".
int QVS_CALL MoveAside(const char *path, int64_t, int32_t) {
  if (!g_movedAside.empty()) MoveFileA(path, g_movedAside.c_str());
  return UNPACK_CONTINUE;
}

std::string FileNameOf(const std::string &entryName) {
  return entryName.substr(entryName.rfind('\\') + 1);
}

// Threads of this process; -1 when they cannot be counted.
int ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  THREADENTRY32 thread;
  thread.dwSize = sizeof thread;
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
    count += thread.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

bool HasTemporaryFile(const std::string &folder) {
  std::vector<std::string> names = ListFolder(folder);
  for (size_t i = 0; i < names.size(); i++)
    if (names[i].size() > 4 && names[i].compare(names[i].size() - 4, 4, ".tmp") == 0) return true;
  return false;
}

// Many small entries between multi-chunk ones, under two components.
std::vector<FixtureEntry> WalkEntries() {
  std::vector<FixtureEntry> entries;
  entries.push_back(
      {"_$_INSTALLER_Data_0000001_$_\\Config\\Script.qvs", MakeContent(300, 1), 1600000000, 0x20});
  for (uint32_t i = 0; i < 24; i++) {
    size_t size = i % 6 == 5 ? 1401856 + i : 200 + i * 2311;
    std::string component = i % 2 == 0 ? "1" : "2";
    entries.push_back({component + "\\d" + std::to_string(i % 3) + "\\f" + std::to_string(i) + ".bin",
                       MakeContent(size, 100 + i), 1600000000 + i, 0x20});
  }
  return entries;
}

bool WriteInstaller(const std::string &path, const std::vector<FixtureEntry> &entries,
                    const Bytes &module) {
  Bytes archive = MakeArchive(entries);
  return !archive.empty() && WriteWholeFile(path, MakeInstaller(module, archive, 4096));
}

bool FileHolds(const std::string &path, const Bytes &expected) {
  Bytes now;
  return ReadWholeFile(path, &now) && now == expected;
}

// Walks the archive, extracting the entries `wanted` says (by index) into
// `folder` and passing over the rest, twice each when `twice` is set.
void ExtractSome(const std::string &installer, const std::vector<FixtureEntry> &entries,
                 const std::string &folder, bool (*wanted)(size_t), bool twice,
                 const std::string &what) {
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, what + ": Read");
  size_t index = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext(), index++) {
    if (index >= entries.size() || !wanted(index)) continue;
    const FixtureEntry &entry = entries[index];
    std::string path = folder + FileNameOf(entry.name);
    for (int round = 0; round < (twice ? 2 : 1); round++) {
      CHECK(g_module.Archive_Extract(folder.c_str(), 0) == UNPACK_DONE,
            what + ": Extract " + entry.name);
      CHECK(FileHolds(path, entry.data), what + ": bytes of " + entry.name);
    }
  }
  g_module.Archive_Close();
  CHECK(!HasTemporaryFile(folder), what + ": no temporary file left");
}

bool Everything(size_t) { return true; }
bool EveryThird(size_t index) { return index % 3 == 1; }
bool LargeOnes(size_t index) { return index % 6 == 0 && index > 0; }
bool SecondHalf(size_t index) { return index >= 12; }

void CheckSkipsAndRetries(const std::string &installer, const std::vector<FixtureEntry> &entries,
                          const std::string &work) {
  g_module.SetFileCallback(CountFileCalls);
  g_module.SetReplaceCallback(NULL);
  ExtractSome(installer, entries, work + "\\all\\", Everything, false, "every entry");
  ExtractSome(installer, entries, work + "\\third\\", EveryThird, false, "every third");
  ExtractSome(installer, entries, work + "\\large\\", LargeOnes, true, "large ones twice");
  ExtractSome(installer, entries, work + "\\half\\", SecondHalf, true, "second half twice");
  // A walk that extracts nothing in between, then one entry: the state the
  // installer's own first walk leaves behind.
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, "walk without extraction");
  int walked = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext()) walked++;
  CHECK(walked == (int)entries.size(), "walk without extraction visits every entry");
  CHECK(g_module.Archive_FindFirst() && g_module.Archive_FindNext() &&
            g_module.Archive_Extract((work + "\\again\\").c_str(), 0) == UNPACK_DONE &&
            FileHolds(work + "\\again\\" + FileNameOf(entries[1].name), entries[1].data),
        "extraction after a walk to the end");
  g_module.Archive_Close();
}

void CheckMovedAside(const std::string &installer, const std::vector<FixtureEntry> &entries,
                     const std::string &work) {
  std::string folder = work + "\\aside\\";
  CreateDirectoryA(folder.c_str(), NULL);
  const FixtureEntry &entry = entries[6];  // multi-chunk
  std::string path = folder + FileNameOf(entry.name);
  Bytes old(1234, 'o');
  WriteWholeFile(path, old);
  g_movedAside = path + ".old";
  g_module.SetReplaceCallback(MoveAside);
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, "moved aside: Read");
  for (int i = 0, more = g_module.Archive_FindFirst(); more && i < 6; i++)
    more = g_module.Archive_FindNext();
  CHECK(g_module.Archive_Extract(folder.c_str(), 0) == UNPACK_DONE, "moved aside: Extract");
  CHECK(FileHolds(path, entry.data), "moved aside: the new file is written");
  CHECK(FileHolds(g_movedAside, old), "moved aside: the old file is kept where it was moved");
  CHECK(!HasTemporaryFile(folder), "moved aside: no temporary file");
  g_module.Archive_Close();
  g_module.SetReplaceCallback(NULL);
  g_movedAside.clear();
}

// Offset of the second chunk's data of entry `index` within `installer`.
size_t SecondChunkData(const Bytes &installer, size_t index) {
  size_t crc = EntryCrcOffset(installer, index);
  if (crc == 0) return 0;
  size_t first = crc + 8;  // CRC and encrypted flag end the record
  uint32_t c = installer[first] | installer[first + 1] << 8 | installer[first + 2] << 16 |
               (uint32_t)installer[first + 3] << 24;
  return first + kChunkHeaderSize + c + kChunkHeaderSize;
}

void CheckDamagedData(const std::string &work, const std::vector<FixtureEntry> &entries,
                      const Bytes &module) {
  std::string path = work + "\\damaged.exe";
  Bytes archive = MakeArchive(entries);
  Bytes installer = MakeInstaller(module, archive, 4096);
  size_t data = SecondChunkData(installer, 6);
  CHECK(data != 0 && data + 64 < installer.size(), "damaged: chunk found");
  if (data == 0 || data + 64 >= installer.size()) return;
  for (size_t i = 0; i < 64; i++) installer[data + i] ^= 0xA5;
  WriteWholeFile(path, installer);
  std::string folder = work + "\\damaged\\";
  int threadsBefore = ThreadCount();
  CHECK(g_module.Archive_Read(path.c_str()) != 0, "damaged: Read");
  int index = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext(), index++) {
    const FixtureEntry &entry = entries[index];
    std::string target = folder + FileNameOf(entry.name);
    int result = g_module.Archive_Extract(folder.c_str(), 0);
    if (index == 6) {
      CHECK(result == UNPACK_DECOMPRESSION_ERROR || result == UNPACK_CRC_MISMATCH,
            "damaged: -1 or -7 for the damaged entry");
      CHECK(!FileExists(target), "damaged: no partial file");
      CHECK(ThreadCount() == threadsBefore, "damaged: no worker left after the failure");
    } else {
      CHECK(result == UNPACK_DONE && FileHolds(target, entry.data),
            "damaged: the other entries are whole: " + entry.name);
    }
  }
  CHECK(ThreadCount() > threadsBefore, "damaged: workers start again for the next entries");
  g_module.Archive_Close();
  CHECK(ThreadCount() == threadsBefore, "damaged: no worker left after Close");
  CHECK(!HasTemporaryFile(folder), "damaged: no temporary file");
}

// Two entries larger than the bound among many small ones: the process
// must not grow by the size of an entry, nor by the size of the product.
void CheckMemoryBound(const std::string &work, const Bytes &module) {
  std::vector<FixtureEntry> entries;
  Bytes large(24u << 20);
  for (size_t i = 0; i < large.size(); i++) large[i] = (uint8_t)(i * 7 / 4096);
  for (uint32_t i = 0; i < 120; i++)
    entries.push_back({"1\\s" + std::to_string(i) + ".txt", MakeContent(3000 + i * 97, i), 0, 0x20});
  entries.push_back({"1\\large1.dat", large, 0, 0x20});
  entries.push_back({"1\\large2.dat", large, 0, 0x20});
  std::string installer = work + "\\memory.exe";
  CHECK(WriteInstaller(installer, entries, module), "memory: installer written");
  large = Bytes();
  Bytes expected = entries.back().data;
  entries.clear();
  std::string folder = work + "\\memory\\";
  g_module.SetFileCallback(CountFileCalls);
  MemorySampler sampler;
  StartMemorySampler(&sampler, kSampleMilliseconds);
  CHECK(g_module.Archive_Read(installer.c_str()) != 0, "memory: Read");
  int extracted = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext())
    extracted += g_module.Archive_Extract(folder.c_str(), 0) == UNPACK_DONE;
  g_module.Archive_Close();
  const uint64_t growth = StopMemorySampler(&sampler, false);
  printf("memory growth during extraction: %llu KiB\n", (unsigned long long)(growth >> 10));
  CHECK(extracted == 122, "memory: every entry extracted");
  CHECK(growth <= kMemoryGrowthLimit, "memory: the process grew by at most 16 MiB");
  CHECK(FileHolds(folder + "large2.dat", expected), "memory: bytes of the large entry");
}

// The stub ending with FreeLibrary while workers still run: the module must
// stay mapped for them instead of vanishing under their code.
void CheckFreeLibraryWhileWorking(const char *modulePath, const std::string &installer,
                                  const std::string &work) {
  HMODULE extra = LoadLibraryA(modulePath);
  CHECK(extra == g_module.handle, "module loaded a second time");
  CHECK(g_module.Archive_Read(installer.c_str()) != 0 && g_module.Archive_FindFirst() &&
            g_module.Archive_FindNext() &&
            g_module.Archive_Extract((work + "\\unload\\").c_str(), 0) == UNPACK_DONE,
        "workers started");
  FreeLibrary(extra);
  FreeLibrary(g_module.handle);
  Sleep(50);
  CHECK(GetModuleHandleA(modulePath) != NULL, "the workers keep the module loaded");
  // The process ends with the workers still waiting: ExitProcess ends them.
}

int Run(const char *modulePath, const std::string &work) {
  if (BindModule(modulePath, &g_module) != QVS_UNPACKER_EXPORT_COUNT + 2) {
    CHECK(false, "all 20 exports bound");
    return 1;
  }
  Bytes module;
  CHECK(ReadWholeFile(modulePath, &module), "read the module file");
  std::vector<FixtureEntry> entries = WalkEntries();
  std::string installer = work + "\\walk.exe";
  CHECK(WriteInstaller(installer, entries, module), "installer written");
  CheckSkipsAndRetries(installer, entries, work);
  CheckMovedAside(installer, entries, work);
  CheckDamagedData(work, entries, module);
  CheckMemoryBound(work, module);
  CheckFreeLibraryWhileWorking(modulePath, installer, work);
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  InstallCrashReport();
  if (argc != 3) {
    fprintf(stderr, "usage: module_extraction_test MODULE WORKDIR\n");
    return 2;
  }
  Run(argv[1], argv[2]);
  return ReportChecks();
}
