#include "platform/hardware_info.h"

#include <windows.h>
#include <x86intrin.h>

#include "platform/libraries.h"

namespace {
typedef BOOL(WINAPI *GlobalMemoryStatusExFn)(LPMEMORYSTATUSEX);
}

uint64_t ReadProcessorTimestamp() { return (uint64_t)__rdtsc(); }

uint64_t ReadTotalPhysicalMemory() {
  uint64_t total = 0;
  LibraryHandle kernel = GetLoadedSystemLibrary("kernel32.dll");
  GlobalMemoryStatusExFn statusEx =
      (GlobalMemoryStatusExFn)FindLibraryFunction(kernel, "GlobalMemoryStatusEx");
  if (statusEx != NULL) {
    MEMORYSTATUSEX status;
    ZeroMemory(&status, sizeof status);
    status.dwLength = sizeof status;
    if (statusEx(&status)) total = status.ullTotalPhys;
  } else {
    MEMORYSTATUS status;
    ZeroMemory(&status, sizeof status);
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    total = (uint64_t)(uint32_t)status.dwTotalPhys;
  }
  return total;
}
