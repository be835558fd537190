#include "engine/state/install_log.h"

#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/threads.h"

namespace {

struct Log {
  FileHandle file = NULL;
  LockHandle lock = NULL;
};

Log &TheLog() {
  static Log log;
  return log;
}

}  // namespace

bool OpenInstallLog(const std::string &path, bool append) {
  Log &log = TheLog();
  if (log.lock == NULL) log.lock = CreateLock();
  CloseFileHandle(&log.file);
  log.file = OpenPlainFileForWriting(path, append);
  return log.file != NULL;
}

void UseInstallLogFile(FileHandle file) {
  Log &log = TheLog();
  if (log.lock == NULL) log.lock = CreateLock();
  CloseFileHandle(&log.file);
  log.file = file;
  // The user's copy wrote first; go on after what it wrote.
  if (file != NULL) SeekFileToEnd(file);
}

FileHandle InstallLogFile() { return TheLog().file; }

void LogLine(const std::string &text) {
  Log &log = TheLog();
  if (log.file == NULL) return;
  const std::string line = FormatLogLine(LocalSecondsSince1970(), text);
  EnterLock(log.lock);
  WriteToFile(log.file, line.data(), line.size());
  LeaveLock(log.lock);
}

void CloseInstallLog() {
  Log &log = TheLog();
  EnterLock(log.lock);
  CloseFileHandle(&log.file);
  LeaveLock(log.lock);
}
