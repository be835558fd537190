// The process's memory while something runs: a thread samples the resident
// set every few milliseconds and keeps the largest figure. Shared by the
// module's Wine test and its benchmark. Link with psapi.
#ifndef QVS_TESTS_WINE_MEMORY_SAMPLER_H
#define QVS_TESTS_WINE_MEMORY_SAMPLER_H

#include <stdint.h>
#include <windows.h>

#include <psapi.h>

inline uint64_t ResidentBytes(bool peak = false) {
  PROCESS_MEMORY_COUNTERS counters;
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

struct MemorySampler {
  DWORD intervalMilliseconds;
  volatile LONG stop;
  uint64_t before;   // the resident set when sampling started
  uint64_t largest;  // the largest one seen since
  HANDLE thread;
};

inline DWORD WINAPI SampleMemory(LPVOID parameter) {
  MemorySampler *sampler = (MemorySampler *)parameter;
  while (!sampler->stop) {
    uint64_t now = ResidentBytes();
    if (now > sampler->largest) sampler->largest = now;
    Sleep(sampler->intervalMilliseconds);
  }
  return 0;
}

inline void StartMemorySampler(MemorySampler *sampler, DWORD intervalMilliseconds) {
  sampler->intervalMilliseconds = intervalMilliseconds;
  sampler->stop = 0;
  sampler->before = ResidentBytes();
  sampler->largest = 0;
  sampler->thread = CreateThread(NULL, 0, SampleMemory, sampler, 0, NULL);
}

// Ends the sampling; the growth over the start, in bytes. `withPeak` also
// counts the system's own peak figure, which catches a spike between samples.
inline uint64_t StopMemorySampler(MemorySampler *sampler, bool withPeak) {
  sampler->stop = 1;
  if (sampler->thread != NULL) {
    WaitForSingleObject(sampler->thread, INFINITE);
    CloseHandle(sampler->thread);
    sampler->thread = NULL;
  }
  uint64_t largest = sampler->largest;
  if (withPeak && ResidentBytes(true) > largest) largest = ResidentBytes(true);
  return largest > sampler->before ? largest - sampler->before : 0;
}

#endif
