// File checks: the installer may leave nothing behind but what it owns.
#include <stdio.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/file_paths.h"
#include "tests/e2e/driver/window_search.h"

namespace {

std::string ListNames(const std::vector<FileMark> &files) {
  std::string names;
  for (const FileMark &file : files) names += (names.empty() ? "" : ", ") + file.name;
  return names.empty() ? "none" : names;
}

}  // namespace

bool CmdFileExists(DriverState *, const Words &args, std::string *message) {
  bool wanted = false;
  if (!ReadFlag(args[1], &wanted, message)) return false;
  std::string path = ExpandPath(args[0]);
  bool exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (exists == wanted) return true;
  *message = path + (exists ? " exists" : " does not exist");
  return false;
}

bool CmdWaitFile(DriverState *state, const Words &args, std::string *message) {
  DWORD timeoutMs = 0;
  if (!ReadTimeout(state, args, 1, &timeoutMs, message)) return false;
  const std::string path = ExpandPath(args[0]);
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start >= timeoutMs) {
      *message = path + " did not appear";
      return false;
    }
    Sleep(50);
  }
  return true;
}

bool CmdGlobCount(DriverState *, const Words &args, std::string *message) {
  long wanted = 0;
  if (!ParseNumber(args[1], &wanted) || wanted < 0) {
    *message = "bad count '" + args[1] + "'";
    return false;
  }
  std::string pattern = ExpandPath(args[0]);
  std::vector<FileMark> files = ListMatchingFiles(pattern);
  if (files.size() == (size_t)wanted) return true;
  char text[64];
  snprintf(text, sizeof text, "%zu files match, expected %ld: ", files.size(), wanted);
  *message = text + pattern + " -> " + ListNames(files);
  return false;
}

bool CmdGlobSave(DriverState *state, const Words &args, std::string *message) {
  state->savedFiles = ListMatchingFiles(ExpandPath(args[0]));
  *message = "saved " + ListNames(state->savedFiles);
  return true;
}

bool CmdGlobSame(DriverState *state, const Words &args, std::string *message) {
  std::vector<FileMark> now = ListMatchingFiles(ExpandPath(args[0]));
  bool same = now.size() == state->savedFiles.size();
  for (size_t i = 0; same && i < now.size(); i++) {
    const FileMark &a = now[i], &b = state->savedFiles[i];
    same = a.name == b.name && a.size == b.size &&
           CompareFileTime(&a.written, &b.written) == 0;
  }
  if (same) return true;
  *message = "files changed: saved " + ListNames(state->savedFiles) + ", now " + ListNames(now);
  return false;
}
