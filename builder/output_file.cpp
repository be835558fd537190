#include "builder/output_file.h"

#include <errno.h>
#include <limits.h>
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

// Something other than a regular file at `path`, which renaming the
// installer over it would destroy.
bool IsNonRegular(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

std::string ResolvedPath(const std::string &path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) != NULL ? std::string(resolved) : std::string();
}

}  // namespace

std::string OutputPathProblem(const std::string &path, const std::string &project) {
  if (IsNonRegular(path))
    return path + ": exists and is not a regular file (a device, pipe, folder or link); "
                  "refusing to replace it";
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string realFolder = ResolvedPath(folder);
  std::string realProject = ResolvedPath(project);
  if (realFolder.empty() || realProject.empty()) return std::string();  // reported later
  bool inside = realProject == "/" || realFolder == realProject ||
                realFolder.compare(0, realProject.size() + 1, realProject + "/") == 0;
  if (inside)
    return path + ": inside the project folder; the installer would replace a project file and "
                  "be packed by the next build, so write it elsewhere";
  return std::string();
}

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
  if (ok && IsNonRegular(output->finalPath)) {
    *error = output->finalPath + ": is no longer a regular file; refusing to replace it";
    ok = false;
  }
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
