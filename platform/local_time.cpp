#include "platform/local_time.h"

#include <windows.h>

namespace {

// FILETIME counts 100 ns units from 1601; 1970 is this many of them later.
const uint64_t kUnitsFrom1601To1970 = 116444736000000000ull;
const uint64_t kUnitsPerSecond = 10000000ull;

}  // namespace

int64_t LocalSecondsSince1970() {
  SYSTEMTIME now;
  FILETIME file;
  GetLocalTime(&now);
  if (!SystemTimeToFileTime(&now, &file)) return 0;
  const uint64_t units = ((uint64_t)file.dwHighDateTime << 32) | file.dwLowDateTime;
  if (units < kUnitsFrom1601To1970) return 0;
  return (int64_t)((units - kUnitsFrom1601To1970) / kUnitsPerSecond);
}
