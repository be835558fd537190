#include "builder/stub_locator.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

std::string ExecutableFolder() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  path[length] = '\0';
  std::string result(path);
  size_t slash = result.rfind('/');
  return slash == std::string::npos ? std::string(".") : result.substr(0, slash);
}

std::string ResolveBuildInput(const std::string &given, const char *envName,
                              const std::string &flavour, const char *relative) {
  if (!given.empty()) return given;
  const char *fromEnvironment = getenv(envName);
  if (fromEnvironment != NULL && *fromEnvironment != '\0') return fromEnvironment;
  std::string folder = ExecutableFolder();
  if (folder.empty()) folder = ".";
  std::string path = folder + "/../../" + flavour + "/" + relative;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) != NULL) return resolved;
  return path;
}
