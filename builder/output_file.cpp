#include "builder/output_file.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

// Path of the temporary file being written, for the signal handler. A
// fixed buffer: the handler may only call async-signal-safe functions.
char g_pendingPath[4096];
volatile sig_atomic_t g_havePending = 0;

void RemovePendingAndExit(int signalNumber) {
  if (g_havePending) unlink(g_pendingPath);
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

void WatchSignals() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  signal(SIGINT, RemovePendingAndExit);
  signal(SIGTERM, RemovePendingAndExit);
  signal(SIGHUP, RemovePendingAndExit);
}

void SetPending(const std::string &path) {
  g_havePending = 0;
  if (path.empty() || path.size() >= sizeof g_pendingPath) return;
  memcpy(g_pendingPath, path.c_str(), path.size() + 1);
  g_havePending = 1;
}

}  // namespace

bool OutputFileOpen(OutputFile *output, const std::string &path, std::string *error) {
  output->finalPath = path;
  output->tempPath = path + ".tmp-XXXXXX";
  output->file = NULL;
  std::vector<char> name(output->tempPath.begin(), output->tempPath.end());
  name.push_back('\0');
  WatchSignals();
  int fd = mkstemp(name.data());
  if (fd < 0) {
    *error = path + ": cannot create a file in its folder: " + strerror(errno);
    output->tempPath.clear();
    return false;
  }
  output->tempPath = name.data();
  SetPending(output->tempPath);
  output->file = fdopen(fd, "w+b");
  if (output->file == NULL) {
    close(fd);
    *error = path + ": " + strerror(errno);
    OutputFileDiscard(output);
    return false;
  }
  return true;
}

bool OutputFileCommit(OutputFile *output, std::string *error) {
  bool ok = output->file != NULL;
  if (ok && (fflush(output->file) != 0 || ferror(output->file) || fsync(fileno(output->file)) != 0)) {
    *error = output->finalPath + ": cannot write: " + strerror(errno);
    ok = false;
  }
  if (ok) {
    // mkstemp creates the file private; give it what a new executable gets.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fileno(output->file), 0777 & ~mask);
  }
  if (output->file != NULL && fclose(output->file) != 0 && ok) {
    *error = output->finalPath + ": cannot write: " + strerror(errno);
    ok = false;
  }
  output->file = NULL;
  if (ok && rename(output->tempPath.c_str(), output->finalPath.c_str()) != 0) {
    *error = output->finalPath + ": cannot rename the finished file into place: " + strerror(errno);
    ok = false;
  }
  if (ok) {
    output->tempPath.clear();
    SetPending(std::string());
  } else {
    OutputFileDiscard(output);
  }
  return ok;
}

void OutputFileDiscard(OutputFile *output) {
  if (output->file != NULL) fclose(output->file);
  output->file = NULL;
  if (!output->tempPath.empty()) unlink(output->tempPath.c_str());
  output->tempPath.clear();
  SetPending(std::string());
}
