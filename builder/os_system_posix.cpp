// The builder's process-wide system calls on Linux (see os_system.h).
#include "builder/os_system.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "builder/os_files.h"

extern char **environ;

namespace {

// Paths for the signal handler, in fixed buffers: a handler may only call
// async-signal-safe functions.
char g_pendingPaths[kInterruptSlots][4096];
volatile sig_atomic_t g_pendingSet[kInterruptSlots];

void RemovePendingAndExit(int signalNumber) {
  for (int i = 0; i < kInterruptSlots; i++)
    if (g_pendingSet[i]) unlink(g_pendingPaths[i]);
  for (int i = 0; i < kInterruptSlots; i++)
    if (g_pendingSet[i]) rmdir(g_pendingPaths[i]);
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

bool IsExecutableFile(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

void ClosePipe(int ends[2]) {
  for (int i = 0; i < 2; i++) {
    if (ends[i] >= 0) close(ends[i]);
    ends[i] = -1;
  }
}

// Feeds `input` to the child and collects its output until both are done.
void ExchangeWithChild(int toChild, int fromChild, const std::string &input, std::string *output) {
  size_t written = 0;
  if (input.empty()) {
    close(toChild);
    toChild = -1;
  }
  while (fromChild >= 0) {
    struct pollfd fds[2] = {{fromChild, POLLIN, 0}, {toChild, POLLOUT, 0}};
    if (poll(fds, toChild >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (toChild >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t wrote = write(toChild, input.data() + written, input.size() - written);
      if (wrote > 0) written += (size_t)wrote;
      if (wrote <= 0 || written == input.size()) {
        close(toChild);
        toChild = -1;
      }
    }
    if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
      char buffer[4096];
      ssize_t got = read(fromChild, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      output->append(buffer, (size_t)got);
    }
  }
  if (toChild >= 0) close(toChild);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char **argv) {
  return std::vector<std::string>(argv, argv + argc);
}

// Messages are UTF-8 already, as a Linux terminal expects.
void PrepareConsole() {}

bool IsTerminal(FILE *stream) { return isatty(fileno(stream)) != 0; }

void ClearTerminalLine(FILE *stream) { fputs("\r\033[K", stream); }

void KeepBytesUnchanged(FILE *) {}

std::string ExecutableFolder() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  path[length] = '\0';
  return FolderOfPath(path);
}

bool EnvironmentValue(const char *name, std::string *value) {
  const char *text = getenv(name);
  if (text == NULL || *text == '\0') return false;
  *value = text;
  return true;
}

bool LocalClockFromUtc(int64_t utc, int64_t *local) {
  time_t t = (time_t)utc;
  struct tm parts;
  if (localtime_r(&t, &parts) == NULL) return false;
  *local = (int64_t)timegm(&parts);
  return true;
}

void RemoveOnInterrupt(InterruptSlot slot, const std::string &path) {
  if (slot < 0 || slot >= kInterruptSlots) return;
  WatchSignals();
  g_pendingSet[slot] = 0;
  if (path.empty() || path.size() >= sizeof g_pendingPaths[slot]) return;
  memcpy(g_pendingPaths[slot], path.c_str(), path.size() + 1);
  g_pendingSet[slot] = 1;
}

std::vector<std::string> SigningToolNames() { return {"osslsigncode"}; }

std::string FindProgram(const std::string &name) {
  std::string folders;
  if (!EnvironmentValue("PATH", &folders)) return std::string();
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    // An empty or relative entry would mean the current folder.
    if (!folder.empty() && folder[0] == '/') {
      std::string candidate = JoinPath(folder, name);
      if (IsExecutableFile(candidate)) return candidate;
    }
    start = end + 1;
  }
  return std::string();
}

bool RunProgram(const std::vector<std::string> &arguments, const std::string &input,
                std::string *output, int *exitCode) {
  if (arguments.empty()) {
    errno = EINVAL;
    return false;
  }
  // A child that ends before it has read its input must not kill the
  // builder through SIGPIPE; the write reports EPIPE instead.
  signal(SIGPIPE, SIG_IGN);
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
    int saved = errno;
    ClosePipe(in);
    ClosePipe(out);
    errno = saved;
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, out[1], 2);
  std::vector<char *> argv;
  for (const std::string &argument : arguments) argv.push_back((char *)argument.c_str());
  argv.push_back(NULL);
  pid_t child = 0;
  int result = posix_spawn(&child, argv[0], &actions, NULL, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (result != 0) {
    close(in[1]);
    close(out[0]);
    errno = result;
    return false;
  }
  ExchangeWithChild(in[1], out[0], input, output);
  close(out[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  return true;
}
