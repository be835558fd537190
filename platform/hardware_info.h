// The processor's time-stamp counter and the amount of physical memory.
#ifndef QVS_PLATFORM_HARDWARE_INFO_H
#define QVS_PLATFORM_HARDWARE_INFO_H

#include <stdint.h>

// The processor's time-stamp counter (RDTSC).
uint64_t ReadProcessorTimestamp();

// Total physical memory in bytes: GlobalMemoryStatusEx where kernel32 has
// it, else the 32-bit field of GlobalMemoryStatus (read as unsigned, so a
// machine with 2 GB or more is never reported as having less than none).
uint64_t ReadTotalPhysicalMemory();

#endif
