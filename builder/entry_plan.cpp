#include "builder/entry_plan.h"

#include <stdio.h>
#include <zlib.h>

#include "builder/os_system.h"

namespace {

uint32_t Crc(uint32_t crc, const void *data, size_t size) {
  return (uint32_t)crc32(crc, (const Bytef *)data, (uInt)size);
}

uint32_t CrcEntry(uint32_t crc, const InputFile &file) {
  uint8_t size[8];
  for (int i = 0; i < 8; i++) size[i] = (uint8_t)(file.size >> (8 * i));
  crc = Crc(crc, file.entryName.data(), file.entryName.size() + 1);  // with its zero
  return Crc(crc, size, sizeof size);
}

}  // namespace

std::string MakeConfigPrefix(const Project &project) {
  uint32_t crc = Crc(0, project.scriptText.data(), project.scriptText.size());
  for (const InputFile &file : project.configEntries) crc = CrcEntry(crc, file);
  for (const InputFile &file : project.productEntries) crc = CrcEntry(crc, file);
  char digits[16];
  snprintf(digits, sizeof digits, "%07u", (unsigned)(crc % 10000000u));
  return std::string("_$_INSTALLER_Data_") + digits + "_$_";
}

uint32_t LocalClockSeconds(int64_t utc) {
  int64_t local = utc;
  if (!LocalClockFromUtc(utc, &local)) local = utc;
  if (local < 0) return 0;
  if (local > (int64_t)UINT32_MAX) return UINT32_MAX;
  return (uint32_t)local;
}

bool ParseSourceDateEpoch(const char *text, int64_t *seconds) {
  if (text == NULL || *text == '\0') return false;
  int64_t value = 0;
  for (const char *p = text; *p != '\0'; p++) {
    if (*p < '0' || *p > '9' || value > (INT64_MAX - 9) / 10) return false;
    value = value * 10 + (*p - '0');
  }
  *seconds = value;
  return true;
}

void MakeEntryPlan(const Project &project, bool haveEpoch, int64_t epoch, EntryPlan *plan) {
  plan->prefix = MakeConfigPrefix(project);
  plan->entries.clear();
  plan->totalSize = 0;
  int64_t newest = 0;
  for (const InputFile &file : project.configEntries) {
    plan->entries.push_back(file);
    plan->entries.back().entryName = plan->prefix + "\\" + file.entryName;
  }
  plan->entries.insert(plan->entries.end(), project.productEntries.begin(),
                       project.productEntries.end());
  for (InputFile &file : plan->entries) {
    int64_t when = file.modifiedUtc;
    if (haveEpoch && when > epoch) when = epoch;
    file.modifiedUtc = when;
    if (file.memory == NULL && when > newest) newest = when;
    plan->totalSize += file.size;
  }
  int64_t archiveUtc = haveEpoch ? epoch : newest;
  plan->archiveTime = LocalClockSeconds(archiveUtc);
  for (InputFile &file : plan->entries) {
    if (file.memory != NULL) file.modifiedUtc = archiveUtc;
    file.modificationTime = LocalClockSeconds(file.modifiedUtc);
  }
}
