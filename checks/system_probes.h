// The machine facts the system checks measure on Windows.
#ifndef QVS_CHECKS_SYSTEM_PROBES_H
#define QVS_CHECKS_SYSTEM_PROBES_H

#include <stdint.h>

#include <string>

#include "platform/top_windows.h"

// Processor speed in MHz: time-stamp counter ticks over 250 ms, divided by
// 250000. Blocks the calling thread for 250 ms.
int32_t MeasureProcessorSpeed();
// Total physical memory in bytes.
uint64_t MeasurePhysicalMemory();

// 1 when `path` starts like a PE image ("MZ" and, at the offset its header
// names, "PE\0\0"), else 0.
int IsProgramFile(const std::string &path);
// The file version "a.b.c.d" of a program file; empty when the file is not
// a program file or has no version resource.
std::string GetFileVersionText(const std::string &path);

// 1 when a mutex of this name exists. The handle this test opens is closed
// again either way, so the test itself never keeps a mutex alive.
int IsMutexPresent(const std::string &name);
// The first top-level window whose title (and class, when one is given)
// matches; NULL when none does. See WindowMatches.
WindowHandle FindMatchingWindow(const std::string &windowName, const std::string &windowClass,
                                int containsFlag);

#endif
