#include "checks/system_probes.h"

#include "checks/required_items.h"
#include "checks/running_instances.h"
#include "platform/file_versions.h"
#include "platform/files.h"
#include "platform/hardware_info.h"
#include "platform/mutexes.h"
#include "platform/processes.h"

namespace {

const uint32_t kTimingMilliseconds = 250;
const uint64_t kTicksPerMhzOverTiming = 250000;
const size_t kImageHeaderSize = 64;

struct WindowQuery {
  const std::string *name;
  const std::string *windowClass;
  int containsFlag;
};

bool MatchWindow(WindowHandle, const std::string &title, const std::string &className,
                 void *context) {
  const WindowQuery *query = static_cast<const WindowQuery *>(context);
  return WindowMatches(title, className, *query->name, *query->windowClass, query->containsFlag);
}

}  // namespace

int32_t MeasureProcessorSpeed() {
  uint64_t start = ReadProcessorTimestamp();
  SleepMilliseconds(kTimingMilliseconds);
  uint64_t end = ReadProcessorTimestamp();
  return (int32_t)((end - start) / kTicksPerMhzOverTiming);
}

uint64_t MeasurePhysicalMemory() { return ReadTotalPhysicalMemory(); }

int IsProgramFile(const std::string &path) {
  int result = 0;
  FileHandle file = OpenFileForReading(path);
  uint8_t header[kImageHeaderSize] = {0};
  uint8_t signature[4] = {0};
  size_t got = 0;
  uint32_t offset = 0;
  if (file != NULL && ReadFromFile(file, header, sizeof header, &got) &&
      ReadImageHeaderOffset(header, got, &offset) && SeekFileTo(file, offset) &&
      ReadFromFile(file, signature, sizeof signature, &got) && IsImageSignature(signature, got))
    result = 1;
  CloseFileHandle(&file);
  return result;
}

std::string GetFileVersionText(const std::string &path) {
  uint32_t ms = 0, ls = 0;
  if (IsProgramFile(path) == 0 || !ReadFileVersionNumbers(path, &ms, &ls)) return std::string();
  return FormatFileVersion(ms, ls);
}

int IsMutexPresent(const std::string &name) {
  bool existed = false;
  MutexHandle mutex = CreateNamedMutex(name.c_str(), false, &existed);
  CloseMutexHandle(&mutex);
  return existed ? 1 : 0;
}

WindowHandle FindMatchingWindow(const std::string &windowName, const std::string &windowClass,
                                int containsFlag) {
  if (windowName.empty()) return NULL;
  WindowQuery query = {&windowName, &windowClass, containsFlag};
  return WalkTopWindows(MatchWindow, &query);
}
