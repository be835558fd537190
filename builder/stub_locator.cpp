#include "builder/stub_locator.h"

#include "builder/os_files.h"
#include "builder/os_system.h"

std::string ResolveBuildInput(const std::string &given, const char *envName,
                              const std::string &flavour, const char *relative) {
  if (!given.empty()) return given;
  std::string fromEnvironment;
  if (EnvironmentValue(envName, &fromEnvironment)) return fromEnvironment;
  std::string folder = ExecutableFolder();
  if (folder.empty()) folder = ".";
  const std::string relativePath(relative);
  const size_t slash = relativePath.rfind('/');
  const std::string fileName = slash == std::string::npos ? relativePath : relativePath.substr(slash + 1);
  FileStatus status;
  const std::string distribution = JoinPath(folder, flavour);
  if (StatusOfPath(distribution, true, &status) && status.kind == kFileFolder)
    return JoinPath(distribution, fileName);
  std::string path = JoinPath(JoinPath(JoinPath(folder, ".."), ".."), flavour);
  for (size_t start = 0; start <= relativePath.size();) {
    size_t end = relativePath.find('/', start);
    if (end == std::string::npos) end = relativePath.size();
    path = JoinPath(path, relativePath.substr(start, end - start));
    start = end + 1;
  }
  std::string resolved = ResolvedPath(path);
  return resolved.empty() ? path : resolved;
}
