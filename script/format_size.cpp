#include "script/format_size.h"

#include <stdio.h>

namespace {

const char *const kUnits[] = {"B", "KB", "MB", "GB", "TB", "PB", "EB"};
const int kUnitCount = 7;
const int kMaxDecimals = 9;

}  // namespace

std::string FormatSize(uint64_t bytes, int decimals) {
  int unit = 0;
  uint64_t scale = 1;
  // 1024^6 is the largest power below 2^64, so the scale never overflows.
  while (unit + 1 < kUnitCount && bytes / 1024 >= scale) {
    scale *= 1024;
    unit++;
  }
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  char text[64] = {0};
  if (unit == 0) {
    snprintf(text, sizeof text, "%llu %s", (unsigned long long)bytes, kUnits[0]);
  } else {
    double value = (double)bytes / (double)scale;
    snprintf(text, sizeof text, "%.*f %s", decimals, value, kUnits[unit]);
  }
  return text;
}
