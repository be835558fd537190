// Byte counts written for people: "512 B", "1.5 KB", "1.00 GB".
// Portable: no system calls.
#ifndef QVS_SCRIPT_FORMAT_SIZE_H
#define QVS_SCRIPT_FORMAT_SIZE_H

#include <stdint.h>

#include <string>

// `bytes` in the largest unit of B, KB, MB, GB, TB, PB, EB (powers of 1024)
// that does not exceed it, with `decimals` places rounded to nearest (0 to
// 9; outside that range it is clamped). Whole bytes never carry decimals.
std::string FormatSize(uint64_t bytes, int decimals);

#endif
