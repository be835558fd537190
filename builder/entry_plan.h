// Turns a scanned Project into the final entry list: the configuration
// prefix, the stored times and the writing order.
#ifndef QVS_BUILDER_ENTRY_PLAN_H
#define QVS_BUILDER_ENTRY_PLAN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "builder/project.h"

// "_$_INSTALLER_Data_" + seven decimal digits + "_$_". The digits are the
// CRC-32 of the project's script and of every entry's name and size, modulo
// 10,000,000: the same project always gets the same prefix.
std::string MakeConfigPrefix(const Project &project);

// The local-clock reading of a UTC time, in seconds since 1970, clamped to
// what a u32 holds. This is the scale the archive records.
uint32_t LocalClockSeconds(int64_t utc);

// Parses SOURCE_DATE_EPOCH (decimal seconds). Returns false when `text` is
// not a plain decimal number.
bool ParseSourceDateEpoch(const char *text, int64_t *seconds);

struct EntryPlan {
  std::string prefix;
  uint32_t archiveTime;
  std::vector<InputFile> entries;  // configuration entries, then product files
  uint64_t totalSize;
};

// Fills *plan from *project. With `haveEpoch`, every time is clamped to
// `epoch` and the archive time is the epoch; without it, the archive time is
// the newest input's. Memory entries take the archive time.
void MakeEntryPlan(const Project &project, bool haveEpoch, int64_t epoch, EntryPlan *plan);

#endif
