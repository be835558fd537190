// Installation benchmark of the unpacker module under Wine: walks an
// installer through the module's exports the way the installer's extraction
// worker does (Read, FindFirst, per entry FileInfo and GetFilename, Extract of
// every product file into DESTINATION, FindNext, Close) with callbacks that
// do the installer's bookkeeping, and measures the process's memory while it
// runs. Configuration entries are skipped, as the installer skips them.
//
//   module_bench MODULE.dll INSTALLER.exe DESTINATION   (a folder ending in "\")
//
// Prints one line: "files F bytes B seconds S memory-growth-kib M", where M
// is the largest resident set seen during the extraction (sampled, and the
// process's peak) less the resident set just before it.
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "tests/wine/crash_report.h"
#include "tests/wine/memory_sampler.h"
#include "tests/wine/module_binding.h"

namespace {

// The installer's configuration entries start with this folder name.
const char kConfigPrefix[] = "_$_INSTALLER_Data_";
const DWORD kSampleMilliseconds = 10;
const size_t kPathCapacity = 4096;

ModuleBinding g_module;
volatile LONG g_running = 1;
int64_t g_bytesDone = 0;

// The installer's file callback: counts bytes, answers stop once running
// ended; folders are only noted.
int QVS_CALL OnFile(const char *path, int64_t, int64_t justWritten, int64_t) {
  size_t length = strlen(path);
  if (length == 0 || path[length - 1] != '\\') g_bytesDone += justWritten;
  return g_running ? UNPACK_CONTINUE : UNPACK_CANCEL;
}

// "Always overwrite", the installer's default replace rule.
int QVS_CALL OnReplace(const char *, int64_t, int32_t) { return UNPACK_CONTINUE; }

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return (double)(to.QuadPart - from.QuadPart) / (double)frequency.QuadPart;
}

// DESTINATION + the entry name after its component folder, cut after the
// last "\" into `folder`; false when the name has no component folder.
bool DestinationFolder(const char *destination, const char *name, char *folder) {
  const char *relative = strchr(name, '\\');
  const char *last = strrchr(name, '\\');
  if (relative == NULL) return false;
  size_t base = strlen(destination);
  size_t part = (size_t)(last - relative);  // "sub\folder\" after the first "\"
  if (base + part + 2 > kPathCapacity) return false;
  memcpy(folder, destination, base);
  memcpy(folder + base, relative + 1, part);
  folder[base + part] = 0;  // the copied part ends in its "\\"
  return true;
}

int Run(const char *installer, const char *destination) {
  g_module.SetFileCallback(OnFile);
  g_module.SetReplaceCallback(OnReplace);
  UnpackerFileInfo info = g_module.Archive_FileInfo_Alloc();
  static char folder[kPathCapacity];
  MemorySampler sampler;
  StartMemorySampler(&sampler, kSampleMilliseconds);
  LARGE_INTEGER started, ended;
  QueryPerformanceCounter(&started);
  if (!g_module.Archive_Read(installer)) {
    printf("module_bench: the module cannot read %s\n", installer);
    return 1;
  }
  int64_t files = 0;
  int failures = 0;
  for (int more = g_module.Archive_FindFirst(); more; more = g_module.Archive_FindNext()) {
    g_module.Archive_FileInfo(info);
    const char *name = g_module.Archive_FileInfo_GetFilename(info);
    if (strstr(name, kConfigPrefix) != NULL) continue;
    if (!DestinationFolder(destination, name, folder)) continue;
    int result = g_module.Archive_Extract(folder, 0);
    if (result != UNPACK_DONE) {
      printf("module_bench: %s: result %d\n", name, result);
      if (++failures > 10) break;
    }
    files++;
  }
  g_module.Archive_Close();
  QueryPerformanceCounter(&ended);
  const uint64_t growth = StopMemorySampler(&sampler, true);
  g_module.Archive_FileInfo_Free(info);
  printf("files %lld bytes %lld seconds %.3f memory-growth-kib %llu\n", (long long)files,
         (long long)g_bytesDone, Seconds(started, ended), (unsigned long long)(growth / 1024));
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  InstallCrashReport();
  if (argc != 4) {
    fprintf(stderr, "usage: module_bench MODULE INSTALLER DESTINATION\\\n");
    return 2;
  }
  if (BindModule(argv[1], &g_module) != QVS_UNPACKER_EXPORT_COUNT) {
    printf("module_bench: cannot bind %s\n", argv[1]);
    return 1;
  }
  return Run(argv[2], argv[3]);
}
